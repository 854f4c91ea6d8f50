#include "stored_properties.h"

#include "field_values.h"

#include <QPixmap>

#include <array>

namespace {

// What goes into the bag for each kind of field. Colours are stored as the
// signed 32-bit number a container knows, so a system-colour reference
// such as 0x80000012 is kept as -2147483630.
QVariant stored(bool value) { return value; }
QVariant stored(qint32 value) { return value; }
QVariant stored(OleColor value) { return qint32(value); }
QVariant stored(qint16 value) { return QVariant::fromValue(value); }
QVariant stored(float value) { return value; }
QVariant stored(const QString &value) { return value; }
QVariant stored(const QImage &value) { return value; }
QVariant stored(const QFont &value) { return value; }

// What a field takes from a bag value, or fallback when the value holds
// nothing the field can use.
bool taken(const QVariant &value, bool fallback)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::QString) {
        const QString word = value.toString().trimmed();
        if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
    }
    const auto number = FieldValues::numberFrom(value);
    return number ? *number != 0 : fallback;
}

template <typename Field>
Field takenNumber(const QVariant &value, Field fallback, Field (*convert)(double))
{
    const auto number = FieldValues::numberFrom(value);
    return number ? convert(*number) : fallback;
}

qint32 taken(const QVariant &value, qint32 fallback) { return takenNumber(value, fallback, FieldValues::toInt32); }
OleColor taken(const QVariant &value, OleColor fallback) { return takenNumber(value, fallback, FieldValues::toColor); }
qint16 taken(const QVariant &value, qint16 fallback) { return takenNumber(value, fallback, FieldValues::toInt16); }
float taken(const QVariant &value, float fallback) { return takenNumber(value, fallback, FieldValues::toSingle); }

QString taken(const QVariant &value, const QString &fallback)
{
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    if (value.typeId() == QMetaType::Bool || FieldValues::numberFrom(value))
        return value.toString();
    return fallback;
}

QImage taken(const QVariant &value, const QImage &fallback)
{
    switch (value.typeId()) {
    case QMetaType::QImage:
        return value.value<QImage>();
    case QMetaType::QPixmap:
        return value.value<QPixmap>().toImage();
    case QMetaType::QByteArray: {
        const QImage image = QImage::fromData(value.toByteArray());
        return image.isNull() ? fallback : image;
    }
    default:
        return fallback;
    }
}

QFont taken(const QVariant &value, const QFont &fallback)
{
    if (value.typeId() == QMetaType::QFont)
        return value.value<QFont>();
    QFont font;
    if (value.typeId() == QMetaType::QString && font.fromString(value.toString()))
        return font;
    return fallback;
}

struct Entry {
    const char *key;
    QVariant (*get)(const StoredButton &button);
    void (*set)(StoredButton &button, const QVariant &value, const StoredButton &defaults);
};

#define RAVLEN_STORED(key, member)                                                                                     \
    Entry                                                                                                              \
    {                                                                                                                  \
        key, [](const StoredButton &b) { return stored(b.member); },                                                   \
            [](StoredButton &b, const QVariant &v, const StoredButton &d) { b.member = taken(v, d.member); }           \
    }

const std::array<Entry, 77> kEntries = {{
    RAVLEN_STORED("Enabled", enabled),
    RAVLEN_STORED("Font", font),
    RAVLEN_STORED("CaptionColor", look.caption.color),
    RAVLEN_STORED("Tint", look.tint.enabled),
    RAVLEN_STORED("TintColor", look.tint.color),
    RAVLEN_STORED("TintBright", look.tint.bright),
    RAVLEN_STORED("PicNormal", look.skin.picNormal),
    RAVLEN_STORED("PicOver", look.skin.picOver),
    RAVLEN_STORED("PicDown", look.skin.picDown),
    RAVLEN_STORED("CustomPic", look.skin.customPic),
    RAVLEN_STORED("ButtonIcon", look.icon.icon),
    RAVLEN_STORED("ButtonIconShow", look.icon.show),
    RAVLEN_STORED("MaskColor", look.skin.maskColor),
    RAVLEN_STORED("ButtonIconPos", look.icon.position),
    RAVLEN_STORED("GradientNormal1", look.gradient.normal1),
    RAVLEN_STORED("GradientNormal2", look.gradient.normal2),
    RAVLEN_STORED("GradientOver1", look.gradient.over1),
    RAVLEN_STORED("GradientOver2", look.gradient.over2),
    RAVLEN_STORED("GradientDown1", look.gradient.down1),
    RAVLEN_STORED("GradientDown2", look.gradient.down2),
    RAVLEN_STORED("GradientStyle", look.gradient.style),
    RAVLEN_STORED("UpMotion", look.motion.upMotion),
    RAVLEN_STORED("UserDrag", look.behaviour.userDrag),
    RAVLEN_STORED("Fade", look.motion.fade),
    RAVLEN_STORED("FadeDelay", look.motion.fadeDelay),
    RAVLEN_STORED("CaptionShadow", look.caption.shadow),
    RAVLEN_STORED("CaptionShadowColor", look.caption.shadowColor),
    RAVLEN_STORED("AutoSize", look.behaviour.autoSize),
    RAVLEN_STORED("Effects", look.motion.effects),
    RAVLEN_STORED("EnableEffects", look.motion.effectsEnabled),
    RAVLEN_STORED("ButtonIconSize", look.icon.size),
    RAVLEN_STORED("ButtonStyle", look.skin.buttonStyle),
    RAVLEN_STORED("Alpha", look.alpha.enabled),
    RAVLEN_STORED("AlphaValue", look.alpha.value),
    RAVLEN_STORED("RoundBorder", look.round.enabled),
    RAVLEN_STORED("RoundWidth", look.round.width),
    RAVLEN_STORED("RoundHeight", look.round.height),
    RAVLEN_STORED("RoundSizeAuto", look.round.sizeAuto),
    RAVLEN_STORED("TintType", look.tint.type),
    RAVLEN_STORED("ArrowShow", look.arrow.show),
    RAVLEN_STORED("ArrowDirection", look.arrow.direction),
    RAVLEN_STORED("ArrowColor", look.arrow.color),
    RAVLEN_STORED("ArrowPosition", look.arrow.position),
    RAVLEN_STORED("ArrowSize", look.arrow.size),
    RAVLEN_STORED("CaptionAutoAlign", look.caption.autoAlign),
    RAVLEN_STORED("CaptionAlignment", look.caption.alignment),
    RAVLEN_STORED("ArrowSplit", look.arrow.split),
    RAVLEN_STORED("DoubleClickEnable", look.behaviour.doubleClickEnable),
    RAVLEN_STORED("Texture", look.texture.enabled),
    RAVLEN_STORED("TextureImage", look.texture.image),
    RAVLEN_STORED("TextureSize", look.texture.size),
    RAVLEN_STORED("TextureAlpha", look.texture.alpha),
    RAVLEN_STORED("TextureType", look.texture.type),
    RAVLEN_STORED("SoundClick", look.sound.click),
    RAVLEN_STORED("SoundIn", look.sound.in),
    RAVLEN_STORED("SoundOut", look.sound.out),
    RAVLEN_STORED("SoundDown", look.sound.down),
    RAVLEN_STORED("SoundUp", look.sound.up),
    RAVLEN_STORED("SoundCustom1", look.sound.custom1),
    RAVLEN_STORED("SoundCustom2", look.sound.custom2),
    RAVLEN_STORED("Sound", look.sound.sound),
    RAVLEN_STORED("Settings", look.behaviour.settings),
    RAVLEN_STORED("SettingsFile", look.behaviour.settingsFile),
    RAVLEN_STORED("BorderSize", look.border.size),
    RAVLEN_STORED("BorderStyle", look.border.style),
    RAVLEN_STORED("BorderColor", look.border.color),
    RAVLEN_STORED("MouseIcon", mouseIcon),
    RAVLEN_STORED("Shadow", look.shadow.enabled),
    RAVLEN_STORED("ShadowColor", look.shadow.color),
    RAVLEN_STORED("ShadowSize", look.shadow.size),
    RAVLEN_STORED("ShadowStyle", look.shadow.style),
    RAVLEN_STORED("ButtonIconShadow", look.icon.shadow),
    RAVLEN_STORED("Caption", look.caption.text),
    RAVLEN_STORED("Animate", look.motion.animate),
    RAVLEN_STORED("ButtonIconAllPic", look.icon.allPic),
    RAVLEN_STORED("CaptionAntiAliased", look.caption.antiAliased),
    RAVLEN_STORED("ButtonState", look.behaviour.buttonState),
}};

#undef RAVLEN_STORED

} // namespace

namespace StoredProperties {

QStringList keys()
{
    QStringList keys;
    keys.reserve(qsizetype(kEntries.size()));
    for (const Entry &entry : kEntries)
        keys.append(QLatin1String(entry.key));
    return keys;
}

void write(const StoredButton &button, PropertyBag &bag, const StoredButton &defaults)
{
    for (const Entry &entry : kEntries)
        bag.write(QLatin1String(entry.key), entry.get(button), entry.get(defaults));
}

void read(StoredButton &button, const PropertyBag &bag, const StoredButton &defaults)
{
    for (const Entry &entry : kEntries) {
        const QString key = QLatin1String(entry.key);
        entry.set(button, bag.contains(key) ? bag.value(key) : QVariant(), defaults);
    }
}

} // namespace StoredProperties
