#include "services/forms/form_layout.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

namespace {

// One key of a control in a layout file: a value unlike its default, the
// default a control without the key gets, and the field the key fills.
struct Key {
    const char *name; // "font.size": the key inside the control's font
    QJsonValue value;
    QVariant absent;
    QVariant (*field)(const ControlDesign &);
};

const QList<Key> &keys()
{
    static const QList<Key> list{
        {"kind", "Label", QString(), [](const ControlDesign &c) { return QVariant(c.kind); }},
        {"name", "lblName", QString(), [](const ControlDesign &c) { return QVariant(c.name); }},
        {"index", 3, -1, [](const ControlDesign &c) { return QVariant(c.index); }},
        {"parent", "SSTab1", QString(), [](const ControlDesign &c) { return QVariant(c.parent); }},
        {"tab", 1, -1, [](const ControlDesign &c) { return QVariant(c.tab); }},
        {"left", 120, 0, [](const ControlDesign &c) { return QVariant(c.left); }},
        {"top", 5520, 0, [](const ControlDesign &c) { return QVariant(c.top); }},
        {"width", 1575, 0, [](const ControlDesign &c) { return QVariant(c.width); }},
        {"height", 495, 0, [](const ControlDesign &c) { return QVariant(c.height); }},
        {"caption", "&Start", QString(), [](const ControlDesign &c) { return QVariant(c.caption); }},
        {"font.family", "Wide Latin", QString(), [](const ControlDesign &c) { return QVariant(c.font.family); }},
        {"font.size", 14.25, 0.0, [](const ControlDesign &c) { return QVariant(c.font.pointSize); }},
        {"font.bold", true, false, [](const ControlDesign &c) { return QVariant(c.font.bold); }},
        {"font.italic", true, false, [](const ControlDesign &c) { return QVariant(c.font.italic); }},
        {"font.underline", true, false, [](const ControlDesign &c) { return QVariant(c.font.underline); }},
        {"visible", false, true, [](const ControlDesign &c) { return QVariant(c.visible); }},
        {"enabled", false, true, [](const ControlDesign &c) { return QVariant(c.enabled); }},
        {"locked", true, false, [](const ControlDesign &c) { return QVariant(c.locked); }},
        {"wordWrap", true, false, [](const ControlDesign &c) { return QVariant(c.wordWrap); }},
        {"alignment", "center", QString(), [](const ControlDesign &c) { return QVariant(c.alignment); }},
        {"toolTip", "Volume", QString(), [](const ControlDesign &c) { return QVariant(c.toolTip); }},
        {"items", QJsonArray{"5", "10"}, QStringList(), [](const ControlDesign &c) { return QVariant(c.items); }},
        {"checked", true, false, [](const ControlDesign &c) { return QVariant(c.checked); }},
        {"min", 2, 0, [](const ControlDesign &c) { return QVariant(c.minimum); }},
        {"max", 100, 0, [](const ControlDesign &c) { return QVariant(c.maximum); }},
        {"step", 10, 1, [](const ControlDesign &c) { return QVariant(c.step); }},
        {"value", 50, 0, [](const ControlDesign &c) { return QVariant(c.value); }},
        {"picture", ":/splash.png", QString(), [](const ControlDesign &c) { return QVariant(c.picture); }},
        {"bag", QJsonObject{{"ButtonStyle", 8}}, QVariantMap(), [](const ControlDesign &c) { return QVariant(c.bag.toVariantMap()); }},
    };
    return list;
}

QVariant expected(const QJsonValue &value)
{
    if (value.isArray()) {
        QStringList strings;
        for (const QJsonValue &item : value.toArray())
            strings.append(item.toString());
        return strings;
    }
    if (value.isObject())
        return value.toObject().toVariantMap();
    return value.toVariant();
}

// The one control of a window whose layout gives the control these keys.
ControlDesign controlOf(const QJsonObject &control)
{
    const QJsonObject window{{"name", "frmTest"}, {"width", 100}, {"height", 50}, {"controls", QJsonArray{control}}};
    return parseFormLayout(QJsonDocument(window).toJson()).controls.value(0);
}

} // namespace

class TestFormLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyKeyReachesItsField_data()
    {
        QTest::addColumn<int>("key");
        for (int i = 0; i < keys().size(); ++i)
            QTest::newRow(keys().at(i).name) << i;
    }

    void everyKeyReachesItsField()
    {
        QFETCH(int, key);
        const Key &given = keys().at(key);
        const QStringList path = QString::fromLatin1(given.name).split(u'.');
        QJsonObject control;
        if (path.size() == 2)
            control.insert(path.at(0), QJsonObject{{path.at(1), given.value}});
        else
            control.insert(path.at(0), given.value);

        // The key fills its own field and no other; a control without it has
        // every default.
        const ControlDesign read = controlOf(control);
        const ControlDesign bare = controlOf({});
        for (const Key &other : keys()) {
            QCOMPARE(other.field(bare), other.absent);
            QCOMPARE(other.field(read), &other == &given ? expected(other.value) : other.absent);
        }
    }
};

QTEST_GUILESS_MAIN(TestFormLayout)
#include "tst_form_layout.moc"
