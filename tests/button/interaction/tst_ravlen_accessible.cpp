#include "interaction_fakes.h"

#include <QAccessible>
#include <QLabel>
#include <QSignalSpy>
#include <QVBoxLayout>

// What assistive technology is told about a Ravlen.
class TestRavlenAccessible : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nameIsTheShownCaption_data();
    void nameIsTheShownCaption();
    void pressActionClicks_data();
    void pressActionClicks();
    void windowListsButtonsByCaption();

private:
    FakePointer m_pointer;
};

void TestRavlenAccessible::nameIsTheShownCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");

    QTest::newRow("access key") << "&Start" << "Start" << "Alt+S";
    QTest::newRow("doubled ampersand") << "Q&&A &Round" << "Q&A Round" << "Alt+R";
    QTest::newRow("escaped ampersands") << "~$00083tart ~$00038~$00038" << "Start &" << "";
    QTest::newRow("escaped access key") << "~$00038Go" << "Go" << "Alt+G";
    QTest::newRow("trailing ampersand") << "Go&" << "Go" << "";
}

void TestRavlenAccessible::nameIsTheShownCaption()
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

void TestRavlenAccessible::pressActionClicks_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::newRow("enabled") << true;
    QTest::newRow("disabled") << false;
}

void TestRavlenAccessible::pressActionClicks()
{
    QFETCH(bool, enabled);
    Ravlen button;
    button.setEnabled(enabled);
    QSignalSpy spy(&button, &Ravlen::Click);

    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&button);
    QCOMPARE(iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()), enabled);
    QCOMPARE(iface->state().disabled, !enabled);
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());

    QCOMPARE(spy.count(), enabled ? 1 : 0);
}

void TestRavlenAccessible::windowListsButtonsByCaption()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Score to win")));
    for (const char *caption : {"&Start", "Next ~$00062", "Q&&A"}) {
        auto *button = new Ravlen;
        button->setCaption(QString::fromLatin1(caption));
        layout->addWidget(button);
    }

    QStringList dump;
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(&window);
    for (int i = 0; i < root->childCount(); ++i) {
        const QAccessibleInterface *child = root->child(i);
        dump.append(QStringLiteral("%1 %2").arg(child->role()).arg(child->text(QAccessible::Name)));
    }
    const int button = QAccessible::PushButton;
    QCOMPARE(dump, QStringList({QStringLiteral("%1 Score to win").arg(QAccessible::StaticText),
                                QStringLiteral("%1 Start").arg(button), QStringLiteral("%1 Next >").arg(button),
                                QStringLiteral("%1 Q&A").arg(button)}));
}

QTEST_MAIN(TestRavlenAccessible)
#include "tst_ravlen_accessible.moc"
