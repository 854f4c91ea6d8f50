#include "play/phone/phone_message.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <initializer_list>

namespace {

struct Field {
    const char *name;
    int maxLength;
    bool required;
};

struct Schema {
    const char *type;
    PhoneMessage::Kind kind;
    std::initializer_list<Field> fields;
};

const Schema kSchemas[] = {
    {"join",
     PhoneMessage::Kind::Join,
     {{"room", PhoneMessage::kRoomCodeLength, true},
      {"name", PhoneMessage::kMaxNameLength, true},
      {"token", PhoneMessage::kTokenLength, false}}},
    {"watch", PhoneMessage::Kind::Watch, {{"room", PhoneMessage::kRoomCodeLength, true}}},
    {"answer", PhoneMessage::Kind::Answer, {{"text", PhoneMessage::kMaxAnswerLength, true}}},
    {"buzz", PhoneMessage::Kind::Buzz, {}},
    {"ping", PhoneMessage::Kind::Ping, {}},
};

// Control characters would let a name or answer move what follows it on
// the display; they have no place in either.
bool printable(const QString &text)
{
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format
            || c.category() == QChar::Other_Surrogate || c.category() == QChar::Other_NotAssigned)
            return false;
    }
    return true;
}

QString *slot(PhoneMessage &message, const char *field)
{
    const QLatin1String name(field);
    if (name == QLatin1String("room"))
        return &message.room;
    if (name == QLatin1String("name"))
        return &message.name;
    if (name == QLatin1String("token"))
        return &message.token;
    return &message.text;
}

} // namespace

std::variant<PhoneMessage, QString> PhoneMessage::parse(const QByteArray &bytes)
{
    if (bytes.size() > kMaxBytes)
        return QStringLiteral("message too long");
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return QStringLiteral("not a JSON object");
    const QJsonObject object = document.object();
    const QJsonValue type = object.value(QLatin1String("type"));
    if (!type.isString())
        return QStringLiteral("no type");

    for (const Schema &schema : kSchemas) {
        if (type.toString() != QLatin1String(schema.type))
            continue;
        PhoneMessage message;
        message.kind = schema.kind;
        qsizetype known = 1;
        for (const Field &field : schema.fields) {
            const QJsonValue value = object.value(QLatin1String(field.name));
            if (value.isUndefined()) {
                if (field.required)
                    return QStringLiteral("missing %1").arg(QLatin1String(field.name));
                continue;
            }
            ++known;
            const QString text = value.toString();
            if (!value.isString() || text.size() > field.maxLength || !printable(text))
                return QStringLiteral("bad %1").arg(QLatin1String(field.name));
            *slot(message, field.name) = text;
        }
        if (object.size() != known)
            return QStringLiteral("unknown field");
        return message;
    }
    return QStringLiteral("unknown type");
}
