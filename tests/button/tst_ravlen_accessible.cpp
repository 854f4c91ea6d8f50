#include "RavlenLib/ravlen.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

// What assistive technology is told about a Ravlen.
class TestRavlenAccessible : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nameIsTheShownCaption()
    {
        // The caption, the name read out and the access key.
        const QList<QStringList> rows{
            {"&Start", "Start", "Alt+S"}, {"~$00083tart ~$00038~$00038", "Start &", ""}, {"~$00038Go", "Go", "Alt+G"}, {"Go&", "Go", ""}};
        Ravlen button;
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&button);
        for (const QStringList &row : rows) {
            button.setCaption(row[0]);
            QCOMPARE(iface->text(QAccessible::Name), row[1]);
            QCOMPARE(iface->text(QAccessible::Accelerator), row[2]);
        }
        button.setAccessibleName(QStringLiteral("Begin the game")); // the host's word wins
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Begin the game"));
    }

    void pressActionClicksWhenEnabled()
    {
        for (const bool enabled : {true, false}) {
            Ravlen button;
            button.setEnabled(enabled);
            QSignalSpy spy(&button, &Ravlen::Click);
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&button);
            QCOMPARE(iface->role(), QAccessible::PushButton);
            QCOMPARE(iface->state().disabled, !enabled);
            iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QCOMPARE(spy.count(), enabled ? 1 : 0);
        }
    }
};

QTEST_MAIN(TestRavlenAccessible)
#include "tst_ravlen_accessible.moc"
