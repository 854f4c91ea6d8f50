// Creates a button, styles it through its named properties, saves its look
// to a settings file and loads that file into a second button.
//
//   ravlen-settings-example [file.rls]

#include "RavlenLib/ravlen.h"

#include <QApplication>
#include <QDir>
#include <QMetaProperty>
#include <QTextStream>

namespace {

void print(QTextStream &out, const char *title, const Ravlen &button)
{
    out << title << '\n';
    const QMetaObject *meta = button.metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        const QVariant value = property.read(&button);
        QString text;
        if (property.isEnumType())
            text = QString::fromLatin1(property.enumerator().valueToKey(value.toInt()));
        if (text.isEmpty())
            text = value.canConvert<QString>() ? value.toString()
                                               : QStringLiteral("<%1>").arg(QLatin1String(value.typeName()));
        out << "  " << property.name() << " = " << text << '\n';
    }
    out.flush();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString fileName = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                      : QDir::temp().filePath(QStringLiteral("example.rls"));

    Ravlen first;
    first.setProperty("Caption", QStringLiteral("&Start"));
    first.setProperty("ButtonStyle", int(Ravlen::Gradient));
    first.setProperty("GradientNormal1", 0x00336699u);
    first.setProperty("GradientNormal2", 0x00CCEEFFu);
    first.setProperty("FadeDelay", 40.0f);
    first.setProperty("BorderStyle", QStringLiteral("Border_SimpleBox"));
    first.setProperty("BorderSize", 2.5f); // made whole: 2
    first.setProperty("Sound", true);
    first.setProperty("SoundClick", int(Ravlen::Sound_3));
    first.setProperty("CaptionColor", 0x80000012u); // a system colour, kept as the reference

    first.SaveButtonSettings(fileName);

    Ravlen second;
    second.LoadButtonSettings(fileName);

    QTextStream out(stdout);
    out << "settings file: " << QDir::toNativeSeparators(fileName) << '\n';
    print(out, "first button:", first);
    print(out, "second button (loaded; the caption is not part of a settings file):", second);
    return 0;
}
