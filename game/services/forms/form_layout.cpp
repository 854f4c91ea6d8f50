#include "services/forms/form_layout.h"

#include "services/error_codes.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

FontDesign readFont(const QJsonValue &value)
{
    const QJsonObject object = value.toObject();
    FontDesign font;
    font.family = object.value(QLatin1String("family")).toString();
    font.pointSize = object.value(QLatin1String("size")).toDouble();
    font.bold = object.value(QLatin1String("bold")).toBool();
    font.italic = object.value(QLatin1String("italic")).toBool();
    font.underline = object.value(QLatin1String("underline")).toBool();
    return font;
}

QStringList readStrings(const QJsonValue &value)
{
    QStringList strings;
    for (const QJsonValue &item : value.toArray())
        strings.append(item.toString());
    return strings;
}

ControlDesign readControl(const QJsonObject &object)
{
    ControlDesign control;
    control.kind = object.value(QLatin1String("kind")).toString();
    control.name = object.value(QLatin1String("name")).toString();
    control.index = object.value(QLatin1String("index")).toInt(-1);
    control.parent = object.value(QLatin1String("parent")).toString();
    control.tab = object.value(QLatin1String("tab")).toInt(-1);
    control.left = object.value(QLatin1String("left")).toInt();
    control.top = object.value(QLatin1String("top")).toInt();
    control.width = object.value(QLatin1String("width")).toInt();
    control.height = object.value(QLatin1String("height")).toInt();
    control.caption = object.value(QLatin1String("caption")).toString();
    control.font = readFont(object.value(QLatin1String("font")));
    control.visible = object.value(QLatin1String("visible")).toBool(true);
    control.enabled = object.value(QLatin1String("enabled")).toBool(true);
    control.locked = object.value(QLatin1String("locked")).toBool();
    control.wordWrap = object.value(QLatin1String("wordWrap")).toBool();
    control.alignment = object.value(QLatin1String("alignment")).toString();
    control.toolTip = object.value(QLatin1String("toolTip")).toString();
    control.items = readStrings(object.value(QLatin1String("items")));
    control.checked = object.value(QLatin1String("checked")).toBool();
    control.minimum = object.value(QLatin1String("min")).toInt();
    control.maximum = object.value(QLatin1String("max")).toInt();
    control.step = object.value(QLatin1String("step")).toInt(1);
    control.value = object.value(QLatin1String("value")).toInt();
    control.picture = object.value(QLatin1String("picture")).toString();
    control.bag = object.value(QLatin1String("bag")).toObject();
    return control;
}

} // namespace

QString controlKey(const QString &name, int index)
{
    return index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

QString ControlDesign::key() const
{
    return controlKey(name, index);
}

FormLayout parseFormLayout(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        throw ZorbelError(ErrorNumber::InvalidProcedureCall,
                          QStringLiteral("window layout: %1 at %2").arg(error.errorString()).arg(error.offset));

    const QJsonObject root = document.object();
    FormLayout layout;
    layout.name = root.value(QLatin1String("name")).toString();
    layout.caption = root.value(QLatin1String("caption")).toString();
    layout.width = root.value(QLatin1String("width")).toInt();
    layout.height = root.value(QLatin1String("height")).toInt();
    layout.backColor = root.value(QLatin1String("backColor")).toString();
    layout.font = readFont(root.value(QLatin1String("font")));
    for (const QJsonValue &control : root.value(QLatin1String("controls")).toArray())
        layout.controls.append(readControl(control.toObject()));
    if (layout.name.isEmpty() || layout.width <= 0 || layout.height <= 0)
        throw ZorbelError(ErrorNumber::InvalidProcedureCall, QStringLiteral("window layout without name or size"));
    return layout;
}

FormLayout readFormLayout(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ZorbelError(ErrorNumber::FileNotFound, path + QStringLiteral(": ") + file.errorString());
    return parseFormLayout(file.readAll());
}
