// Builds the Designer form of two Ravlen buttons and checks that they came
// out as designed: the properties set in the form, and a painted face.
//
//   ravlen-consumer        (exit status 0 when every check holds)

#include "ui_consumer_window.h"

#include <RavlenLib/ravlen.h>
#include <RavlenLib/ravlenlib_version.h>

#include <QApplication>
#include <QImage>
#include <QSet>
#include <QTextStream>

static_assert(RAVLENLIB_VERSION >= RAVLENLIB_VERSION_CHECK(1, 0, 0), "built against RavlenLib 1");

namespace {

int failures = 0;

void check(bool holds, const QString &what)
{
    QTextStream(stdout) << (holds ? "ok: " : "FAILED: ") << what << Qt::endl;
    failures += holds ? 0 : 1;
}

// A face with a skin or gradient has many colours; an unpainted widget has one.
int colourCount(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    }
    return int(colours.size());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    Ui::ConsumerWindow form;
    form.setupUi(&window);
    window.show();

    check(form.saveButton->caption() == QLatin1String("&Save"), QStringLiteral("the form's caption"));
    check(form.saveButton->buttonStyle() == Ravlen::Vista, QStringLiteral("the form's skin"));
    check(form.saveButton->captionColor() == 0, QStringLiteral("the form's caption colour"));
    check(!form.saveButton->fade(), QStringLiteral("the form's fade switch"));
    check(form.quitButton->buttonStyle() == Ravlen::Gradient, QStringLiteral("the second button's gradient face"));
    check(form.quitButton->gradientNormal1() == 0x808000, QStringLiteral("the form's gradient colour"));
    check(form.quitButton->fadeDelay() == 40, QStringLiteral("the form's fade delay"));

    const QImage saveFace = form.saveButton->grab().toImage();
    const QImage quitFace = form.quitButton->grab().toImage();
    check(!saveFace.isNull() && colourCount(saveFace) > 16, QStringLiteral("the skinned button paints its face"));
    check(!quitFace.isNull() && colourCount(quitFace) > 16, QStringLiteral("the gradient button paints its face"));
    check(saveFace != quitFace, QStringLiteral("the two looks differ"));

    QTextStream(stdout) << "RavlenLib " << RAVLENLIB_VERSION_STRING << ": " << failures << " failed" << Qt::endl;
    return failures == 0 ? 0 : 1;
}
