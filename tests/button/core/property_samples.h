#pragma once

#include "RavlenLib/ravlen.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QVariant>

// A value for every property, in the interface's order, that differs from a
// new button's default and that its setter keeps as given, so that each can
// be told apart after a trip through a stored layout or a settings file.
struct PropertySample {
    const char *name;
    QVariant value;
};

inline QPixmap samplePicture(Qt::GlobalColor colour, int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(colour);
    image.setPixel(0, 0, qRgb(1, 2, 3)); // not uniform, so a lost pixel shows
    return QPixmap::fromImage(image);
}

// clang-format off
inline QList<PropertySample> propertySamples()
{
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSizeF(15.25);
    font.setBold(true);
    return {
        {"Enabled", false}, {"Font", font}, {"BorderStyle", 2}, {"CaptionColor", 0x123456u}, {"Tint", true},
        {"TintColor", 0x0A0B0Cu}, {"TintBright", -120}, {"picNormal", samplePicture(Qt::red, 8)},
        {"picOver", samplePicture(Qt::green, 9)}, {"picDown", samplePicture(Qt::blue, 10)}, {"CustomPic", true},
        {"ButtonIcon", samplePicture(Qt::yellow, 16)}, {"ButtonIconShow", true}, {"MaskColor", 0xFF00FFu},
        {"ButtonIconPos", 3}, {"GradientNormal1", 0x010203u}, {"GradientNormal2", 0x040506u},
        {"GradientOver1", 0x070809u}, {"GradientOver2", 0x0A0B0Du}, {"GradientDown1", 0x0E0F10u},
        {"GradientDown2", 0x111213u}, {"GradientStyle", 2}, {"UpMotion", true}, {"UserDrag", true}, {"Fade", false},
        {"FadeDelay", 40.0}, {"CaptionShadow", true}, {"CaptionShadowColor", 0x202020u}, {"AutoSize", true},
        {"Effects", 5}, {"EnableEffects", false}, {"ButtonIconSize", 150.0}, {"ButtonStyle", 7}, {"Alpha", true},
        {"AlphaValue", 99.0}, {"RoundBorder", true}, {"RoundWidth", 12.0}, {"RoundHeight", 9.0},
        {"RoundSizeAuto", false}, {"TintType", 4}, {"ArrowShow", true}, {"ArrowDirection", 3},
        {"ArrowColor", 0x00FF80u}, {"ArrowPosition", 4}, {"ArrowSize", 17.0}, {"CaptionAutoAlign", false},
        {"CaptionAlignment", 8}, {"ArrowSplit", false}, {"DoubleClickEnable", true}, {"Texture", true},
        {"TextureImage", samplePicture(Qt::cyan, 4)}, {"TextureSize", 7.0}, {"TextureAlpha", 33.0},
        {"TextureType", 3}, {"SoundClick", 3}, {"SoundIn", 98}, {"SoundOut", 99}, {"SoundDown", 10}, {"SoundUp", 1},
        {"SoundCustom1", QStringLiteral("/tmp/Klänge/click one.wav")},
        {"SoundCustom2", QStringLiteral("C:\\Sounds\\two.wav")}, {"Sound", true},
        {"Settings", 0}, // a command: any other value acts and reads back 0
        {"SettingsFile", QStringLiteral("Knöpfe/blau €.rls")}, {"BorderSize", 3.0}, {"BorderColor", 0x0000C0u},
        {"MouseIcon", samplePicture(Qt::magenta, 32)}, {"Shadow", true}, {"ShadowColor", 0x303030u},
        {"ShadowSize", 2.5}, {"ShadowStyle", 3}, {"ButtonIconShadow", false},
        {"Caption", QStringLiteral("&Los ~$08364")}, {"Animate", false}, {"ButtonIconAllPic", false},
        {"CaptionAntiAliased", true}, {"ButtonState", 2},
    };
}
// clang-format on

// Sets every sample; MaskColor last, since setting ButtonStyle resets it.
inline void applySamples(Ravlen &button)
{
    for (const PropertySample &sample : propertySamples())
        button.setProperty(sample.name, sample.value);
    button.setProperty("MaskColor", 0xFF00FFu);
}

// Property values in a form that compares by content: enumerations and
// numbers as doubles, pictures as ARGB images.
inline QVariant comparable(const QVariant &value)
{
    if (value.metaType().flags().testFlag(QMetaType::IsEnumeration))
        return value.toLongLong();
    switch (value.typeId()) {
    case QMetaType::QPixmap:
        return value.value<QPixmap>().toImage().convertToFormat(QImage::Format_ARGB32);
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::LongLong:
        return value.toDouble();
    default:
        return value;
    }
}

#define COMPARE_PROPERTY(button, name, expected) QCOMPARE(comparable((button).property(name)), comparable(expected))
