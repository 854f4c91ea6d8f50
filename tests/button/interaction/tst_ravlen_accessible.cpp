#include "interaction_fakes.h"
#include "ravlen.h"

#include <QAccessible>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
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
    void stateFollowsTheWidget();
    void windowListsButtonsByCaption();
};

namespace {

QAccessibleInterface *accessible(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

} // namespace

void TestRavlenAccessible::nameIsTheShownCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");

    QTest::newRow("access key") << "&Start" << "Start" << "Alt+S";
    QTest::newRow("doubled ampersand") << "Q&&A" << "Q&A" << "";
    QTest::newRow("both") << "Q&&A &Round" << "Q&A Round" << "Alt+R";
    QTest::newRow("escaped letters") << "~$00083tart ~$00038~$00038" << "Start &" << "";
    QTest::newRow("escaped access key") << "~$00038Go" << "Go" << "Alt+G";
    QTest::newRow("trailing ampersand") << "Go&" << "Go" << "";
    QTest::newRow("plain") << "Next" << "Next" << "";
}

void TestRavlenAccessible::nameIsTheShownCaption()
{
    QFETCH(QString, caption);
    QFETCH(QString, name);
    QFETCH(QString, key);
    FakePointer pointer;
    Ravlen button;
    button.setCaption(caption);

    QAccessibleInterface *iface = accessible(&button);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::PushButton);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Accelerator), key);

    button.setAccessibleName(QStringLiteral("Begin the game"));
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Begin the game"));
}

void TestRavlenAccessible::pressActionClicks_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("rightClickFirst");
    QTest::addColumn<int>("clicks");
    QTest::newRow("enabled") << true << false << 1;
    QTest::newRow("after a right click") << true << true << 1;
    QTest::newRow("disabled") << false << false << 0;
}

void TestRavlenAccessible::pressActionClicks()
{
    QFETCH(bool, enabled);
    QFETCH(bool, rightClickFirst);
    QFETCH(int, clicks);
    FakePointer pointer;
    RecordingSoundPlayer sounds;
    Ravlen button;
    button.setSound(true);
    button.setSoundClick(Ravlen::Sound_Custom1);
    button.setSoundCustom1(QCoreApplication::applicationFilePath()); // any file that exists
    if (rightClickFirst)
        QTest::mouseClick(&button, Qt::RightButton, {}, QPoint(5, 5));
    button.setEnabled(enabled);
    QSignalSpy spy(&button, &Ravlen::Click);
    const qsizetype soundsBefore = sounds.played.size();

    QAccessibleActionInterface *actions = accessible(&button)->actionInterface();
    QVERIFY(actions);
    QCOMPARE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()), enabled);
    actions->doAction(QAccessibleActionInterface::pressAction());

    QCOMPARE(spy.count(), clicks);
    QCOMPARE(sounds.played.size() - soundsBefore, clicks);
}

void TestRavlenAccessible::stateFollowsTheWidget()
{
    FakePointer pointer;
    TwoButtons buttons;
    QVERIFY(buttons.show());
    Ravlen *button = buttons.first;
    Ravlen *other = buttons.second;
    QAccessibleInterface *iface = accessible(button);

    other->setFocus();
    QVERIFY(iface->state().focusable);
    QVERIFY(!iface->state().focused);
    button->setFocus();
    QVERIFY(iface->state().focused);
    button->setEnabled(false);
    QVERIFY(iface->state().disabled);
}

void TestRavlenAccessible::windowListsButtonsByCaption()
{
    FakePointer pointer;
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Score to win")));
    for (const char *caption : {"&Start", "Next ~$00062", "Q&&A"}) {
        auto *button = new Ravlen;
        button->setCaption(QString::fromLatin1(caption));
        layout->addWidget(button);
    }
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QStringList dump;
    QAccessibleInterface *root = accessible(&window);
    for (int i = 0; i < root->childCount(); ++i) {
        const QAccessibleInterface *child = root->child(i);
        if (child->role() == QAccessible::PushButton)
            dump.append(child->text(QAccessible::Name));
    }
    QCOMPARE(dump, QStringList({"Start", "Next >", "Q&A"}));
}

QTEST_MAIN(TestRavlenAccessible)
#include "tst_ravlen_accessible.moc"
