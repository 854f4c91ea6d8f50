#include "RavlenLib/ravlen.h"

#include <QMetaEnum>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QTest>
#include <QXmlStreamReader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

// The Designer plugin as Designer sees it: loaded from its file, it offers
// Ravlen in the widget box, makes the widget a form holds, and the
// property editor finds every enumeration as a drop-down list.
class TestRavlenDesignerPlugin : public QObject
{
    Q_OBJECT

private:
    QPluginLoader m_loader{QStringLiteral(RAVLEN_DESIGNER_PLUGIN)};
    QDesignerCustomWidgetInterface *m_plugin = nullptr;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(m_loader.load(), qPrintable(m_loader.errorString()));
        m_plugin = qobject_cast<QDesignerCustomWidgetInterface *>(m_loader.instance());
        QVERIFY(m_plugin);
    }

    void widgetBoxEntry()
    {
        QCOMPARE(m_plugin->name(), QStringLiteral("Ravlen"));
        QCOMPARE(m_plugin->group(), QStringLiteral("RavlenLib"));
        QCOMPARE(m_plugin->includeFile(), QStringLiteral("RavlenLib/ravlen.h"));
        QVERIFY(!m_plugin->isContainer());
        QVERIFY(!m_plugin->icon().isNull());
        QVERIFY(!m_plugin->toolTip().isEmpty());
    }

    void newFormElementIsANewButton()
    {
        // The form element Designer places: a Ravlen of a newly placed button's size.
        QXmlStreamReader xml(m_plugin->domXml());
        QString widgetClass;
        QSize size;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("widget"))
                widgetClass = xml.attributes().value(QLatin1String("class")).toString();
            else if (xml.name() == QLatin1String("width"))
                size.setWidth(xml.readElementText().toInt());
            else if (xml.name() == QLatin1String("height"))
                size.setHeight(xml.readElementText().toInt());
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(widgetClass, m_plugin->name());
        QCOMPARE(size, QSize(81, 33));

        QWidget form;
        QWidget *widget = m_plugin->createWidget(&form);
        auto *button = qobject_cast<Ravlen *>(widget);
        QVERIFY(button);
        QCOMPARE(button->parentWidget(), &form);
        QCOMPARE(button->sizeHint(), size);
        QCOMPARE(button->caption(), QStringLiteral("Ravlen"));
    }

    void everyPropertyIsEditable()
    {
        // Designer's property editor and .ui files know no float: a Single
        // property typed float would be left out of the editor and its
        // saved value refused when the form is read back.
        const QList<int> editable{QMetaType::Bool,    QMetaType::Int,   QMetaType::UInt,   QMetaType::Double,
                                  QMetaType::QString, QMetaType::QFont, QMetaType::QPixmap};
        const QMetaObject &meta = Ravlen::staticMetaObject;
        for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
            const QMetaProperty p = meta.property(i);
            QVERIFY2(p.isEnumType() || editable.contains(p.metaType().id()), p.name());
            QVERIFY2(p.isDesignable() && p.isWritable(), p.name());
        }
    }

    void enumerationsAreDropDowns_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QByteArray>("enumeration");
        const QList<QByteArrayList> rows{
            {"BorderStyle", "BorderStylesRL"},
            {"ButtonIconPos", "ButtonIconPosition"},
            {"GradientStyle", "GradientStyles"},
            {"Effects", "EffectsRL"},
            {"ButtonStyle", "RavlenStyles"},
            {"TintType", "TintTypeRL"},
            {"ArrowDirection", "ArrowDirectionRL"},
            {"ArrowPosition", "ArrowPositionRL"},
            {"CaptionAlignment", "CaptionAlignmentsRL"},
            {"TextureType", "TextureTypeRL"},
            {"SoundClick", "SoundEffectRL"},
            {"SoundIn", "SoundEffectRL"},
            {"SoundOut", "SoundEffectRL"},
            {"SoundDown", "SoundEffectRL"},
            {"SoundUp", "SoundEffectRL"},
            {"Settings", "SettingsRL"},
            {"ShadowStyle", "ShadowStyleRL"},
            {"ButtonState", "ButtonStateRL"},
        };
        for (const QByteArrayList &row : rows)
            QTest::newRow(row[0]) << row[0] << row[1];
    }

    void enumerationsAreDropDowns()
    {
        // Designer lists the keys of a property's enumerator; a form loaded
        // at run time (QUiLoader) writes the key it saved.
        QFETCH(QByteArray, property);
        QFETCH(QByteArray, enumeration);
        const QMetaObject &meta = Ravlen::staticMetaObject;
        const QMetaProperty p = meta.property(meta.indexOfProperty(property));
        QVERIFY(p.isValid());
        QVERIFY(p.isDesignable());
        QVERIFY(p.isEnumType());
        QCOMPARE(QByteArray(p.enumerator().name()), enumeration);
        QCOMPARE(QByteArray(p.enumerator().scope()), QByteArray("Ravlen"));

        Ravlen button;
        const QMetaEnum keys = p.enumerator();
        const int last = keys.value(keys.keyCount() - 1);
        QVERIFY(p.write(&button, QString::fromLatin1(keys.key(keys.keyCount() - 1))));
        // Settings is a command that always reads back as SettingsNone.
        QCOMPARE(p.read(&button).toInt(), property == "Settings" ? 0 : last);
    }
};

QTEST_MAIN(TestRavlenDesignerPlugin)
#include "tst_ravlen_designer_plugin.moc"
