#include "RavlenLib/property_bag.h"

#include "private_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QJsonValue>
#include <QLoggingCategory>
#include <QPixmap>

namespace {

Q_LOGGING_CATEGORY(lcBag, "ravlen.bag")

QJsonValue imageToJson(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QJsonObject{{QStringLiteral("png"), QString::fromLatin1(png.toBase64())}};
}

QJsonValue fontToJson(const QFont &font)
{
    // A font sized in pixels is stored in points at the usual 96 pixels
    // per inch, so every stored font carries a point size.
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    return QJsonObject{
        {QStringLiteral("family"), font.family()},       {QStringLiteral("size"), points},
        {QStringLiteral("bold"), font.bold()},           {QStringLiteral("italic"), font.italic()},
        {QStringLiteral("underline"), font.underline()}, {QStringLiteral("strikeout"), font.strikeOut()},
    };
}

QJsonValue toJsonValue(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QImage:
        return imageToJson(value.value<QImage>());
    case QMetaType::QPixmap:
        return imageToJson(value.value<QPixmap>().toImage());
    case QMetaType::QFont:
        return fontToJson(value.value<QFont>());
    default:
        if (value.canConvert<double>())
            return value.toDouble();
        return QJsonValue::fromVariant(value);
    }
}

QString resolvePicturePath(const QString &file, const QString &baseDir)
{
    if (file.startsWith(QLatin1String(":/")) || QDir::isAbsolutePath(file))
        return file;
    return QDir(baseDir).filePath(file);
}

QVariant pictureFromJson(const QString &key, const QJsonObject &object, const QString &baseDir)
{
    QImage image;
    QString source;
    if (object.contains(QLatin1String("file"))) {
        const QString path = resolvePicturePath(object.value(QLatin1String("file")).toString(), baseDir);
        // Opened here, as the file is named by the layout and may be a pipe;
        // the reader still learns the format from the name's suffix.
        QFile file;
        if (PrivateFile::openRegular(file, path))
            image.load(&file, QFileInfo(path).suffix().toLatin1().constData());
        source = QDir::toNativeSeparators(path);
    } else {
        source = QStringLiteral("embedded PNG");
        image.loadFromData(QByteArray::fromBase64(object.value(QLatin1String("png")).toString().toLatin1()));
    }
    if (image.isNull()) {
        qCWarning(lcBag) << "property" << key << "left at its default: no picture in" << source;
        return {};
    }
    return image;
}

QVariant fontFromJson(const QJsonObject &object)
{
    QFont font(object.value(QLatin1String("family")).toString());
    const double points = object.value(QLatin1String("size")).toDouble();
    if (points > 0)
        font.setPointSizeF(points);
    font.setBold(object.value(QLatin1String("bold")).toBool());
    font.setItalic(object.value(QLatin1String("italic")).toBool());
    font.setUnderline(object.value(QLatin1String("underline")).toBool());
    font.setStrikeOut(object.value(QLatin1String("strikeout")).toBool());
    return font;
}

QVariant fromJsonValue(const QString &key, const QJsonValue &json, const QString &baseDir)
{
    switch (json.type()) {
    case QJsonValue::Bool:
        return json.toBool();
    case QJsonValue::String:
        return json.toString();
    case QJsonValue::Double: {
        // Whole numbers stay whole so that they read back exactly.
        const double number = json.toDouble();
        if (number >= -2147483648.0 && number <= 2147483647.0 && number == double(qint32(number)))
            return qint32(number);
        if (number >= -9.0e15 && number <= 9.0e15 && number == double(qint64(number)))
            return qint64(number);
        return number;
    }
    case QJsonValue::Object: {
        const QJsonObject object = json.toObject();
        if (object.contains(QLatin1String("file")) || object.contains(QLatin1String("png")))
            return pictureFromJson(key, object, baseDir);
        if (object.contains(QLatin1String("family")))
            return fontFromJson(object);
        break;
    }
    default:
        break;
    }
    qCWarning(lcBag) << "property" << key << "left at its default: unreadable value" << json;
    return {};
}

} // namespace

QVariant PropertyBag::read(const QString &key, const QVariant &defaultValue) const
{
    const auto found = m_values.constFind(key);
    return found == m_values.cend() ? defaultValue : *found;
}

void PropertyBag::write(const QString &key, const QVariant &value, const QVariant &defaultValue)
{
    if (value == defaultValue)
        remove(key);
    else
        insert(key, value);
}

void PropertyBag::insert(const QString &key, const QVariant &value)
{
    if (!m_values.contains(key))
        m_keys.append(key);
    m_values.insert(key, value);
}

void PropertyBag::remove(const QString &key)
{
    if (m_values.remove(key))
        m_keys.removeOne(key);
}

QJsonObject PropertyBag::toJson() const
{
    QJsonObject json;
    for (const QString &key : m_keys)
        json.insert(key, toJsonValue(m_values.value(key)));
    return json;
}

PropertyBag PropertyBag::fromJson(const QJsonObject &json, const QString &baseDir)
{
    PropertyBag bag;
    for (auto it = json.begin(); it != json.end(); ++it) {
        const QVariant value = fromJsonValue(it.key(), it.value(), baseDir);
        if (value.isValid())
            bag.insert(it.key(), value);
    }
    return bag;
}
