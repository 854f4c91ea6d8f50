// A button drawing: any bytes made into values for its stored properties
// (each of any kind, so that reading converts or refuses it), a size and a
// state, which the button draws once; drawing changes nothing it stores.
// The settings file it then saves goes through another button, which loads
// it (and draws it) and saves what loads and saves unchanged.

#include "fuzz_look.h"

#include "RavlenLib/property_bag.h"
#include "RavlenLib/ravlen.h"
#include "core/stored_properties.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QWidget>

#include <fuzzer/FuzzedDataProvider.h>

#include <bit>

namespace {

QString text(FuzzedDataProvider &input)
{
    return QString::fromStdString(input.ConsumeRandomLengthString(64));
}

// A small picture: drawing scales it to the face, so a large one only costs time.
QImage picture(FuzzedDataProvider &input)
{
    QImage image(input.ConsumeIntegralInRange(1, 24), input.ConsumeIntegralInRange(1, 24), QImage::Format_ARGB32);
    const std::vector<uint8_t> pixels = input.ConsumeBytes<uint8_t>(image.sizeInBytes());
    std::copy(pixels.begin(), pixels.end(), image.bits());
    std::fill(image.bits() + pixels.size(), image.bits() + image.sizeInBytes(), 0);
    return image;
}

QVariant value(FuzzedDataProvider &input)
{
    switch (input.ConsumeIntegralInRange(0, 6)) {
    case 0:
        return input.ConsumeBool();
    case 1:
        return input.ConsumeIntegral<qint32>();
    case 2:
        return QVariant::fromValue(input.ConsumeIntegral<qint16>());
    case 3: // any bits, infinities and NaNs among them
        return std::bit_cast<float>(input.ConsumeIntegral<quint32>());
    case 4:
        return text(input);
    case 5:
        return picture(input);
    default: {
        QFont font(text(input));
        font.setPointSizeF(input.ConsumeFloatingPointInRange(1.0, 200.0));
        font.setBold(input.ConsumeBool());
        font.setItalic(input.ConsumeBool());
        return font;
    }
    }
}

QByteArray stored(const Ravlen &button)
{
    PropertyBag bag;
    button.writeProperties(bag);
    return QJsonDocument(bag.toJson()).toJson(QJsonDocument::Compact);
}

// The look's Singles as the button reports them.
RavlenLook singlesOf(const Ravlen &button)
{
    RavlenLook look;
    look.alpha.value = button.alphaValue();
    look.arrow.size = button.arrowSize();
    look.border.size = button.borderSize();
    look.icon.size = button.buttonIconSize();
    look.motion.fadeDelay = button.fadeDelay();
    look.round.height = button.roundHeight();
    look.round.width = button.roundWidth();
    look.shadow.size = button.shadowSize();
    look.texture.alpha = button.textureAlpha();
    look.texture.size = button.textureSize();
    return look;
}

// The file a fresh button that loads the one at path saves there.
QByteArray loadedAndSaved(const QString &path, QWidget &window)
{
    Ravlen button(&window);
    button.LoadButtonSettings(path);
    checkSingles(singlesOf(button));
    button.SaveButtonSettings(path);
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly), QStringLiteral("the button saved no file"));
    return file.readAll();
}

// What a button saves, another button loads and saves unchanged.
void checkSettingsFile(Ravlen &drawn, QWidget &window)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fuzz.rls"));
    drawn.SaveButtonSettings(path);
    const QByteArray first = loadedAndSaved(path, window);
    const QByteArray again = loadedAndSaved(path, window);
    FUZZ_CHECK(first == again, QStringLiteral("%1\nsaved again as\n%2").arg(shown(first), shown(again)));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startApplication<QApplication>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    PropertyBag bag;
    for (const QString &key : StoredProperties::keys()) {
        if (input.ConsumeBool())
            bag.insert(key, value(input));
    }
    // In a window, as in the game (without a parent it would start at a
    // top-level window's size).
    static QWidget window;
    Ravlen button(&window);
    button.readProperties(bag);
    button.resize(input.ConsumeIntegralInRange(1, 320), input.ConsumeIntegralInRange(1, 120));
    const QByteArray before = stored(button);
    button.DrawIt(input.ConsumeIntegralInRange(Ravlen::rl_Normal - 1, Ravlen::rl_Down + 1));
    const QByteArray after = stored(button);
    FUZZ_CHECK(before == after, QStringLiteral("%1\nafter drawing\n%2").arg(shown(before), shown(after)));
    checkSettingsFile(button, window);
    return 0;
}
