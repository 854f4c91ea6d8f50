#include "interaction_fakes.h"

#include <QAccessible>
#include <QSignalSpy>

// What assistive technology is told about a Ravlen.
class TestRavlenAccessible : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nameIsTheShownCaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");

        QTest::newRow("access key") << "&Start" << "Start" << "Alt+S";
        QTest::newRow("escaped ampersands") << "~$00083tart ~$00038~$00038" << "Start &" << "";
        QTest::newRow("escaped access key") << "~$00038Go" << "Go" << "Alt+G";
        QTest::newRow("trailing ampersand") << "Go&" << "Go" << "";
    }

    void nameIsTheShownCaption()
    {
        QFETCH(QString, caption);
        QFETCH(QString, name);
        QFETCH(QString, key);
        Ravlen button;
        button.setCaption(caption);

        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&button);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::PushButton);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(iface->text(QAccessible::Accelerator), key);
        button.setAccessibleName(QStringLiteral("Begin the game")); // the host's word wins
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Begin the game"));
    }

    void pressActionClicks()
    {
        for (const bool enabled : {true, false}) {
            Ravlen button;
            button.setEnabled(enabled);
            QSignalSpy spy(&button, &Ravlen::Click);
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&button);
            QCOMPARE(iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()), enabled);
            QCOMPARE(iface->state().disabled, !enabled);
            iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QCOMPARE(spy.count(), enabled ? 1 : 0);
        }
    }
};

QTEST_MAIN(TestRavlenAccessible)
#include "tst_ravlen_accessible.moc"
