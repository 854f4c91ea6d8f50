#include "zorbel_fixture.h"

#include "ravlen.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

ZorbelFixture::~ZorbelFixture()
{
    if (m_window) {
        m_window->blnExitConfirmed = true;
        m_window->close();
    }
}

void ZorbelFixture::write(const QString &fileName, const QStringList &lines)
{
    m_test.writeFile(fileName, lines.join(QLatin1String("\r\n")).toUtf8() + "\r\n");
}

FrmZorbel &ZorbelFixture::open(const QStringList &matches, const QStringList &phrases)
{
    if (!matches.isEmpty())
        write(QStringLiteral("ZorbelLines.txt"), matches);
    if (!phrases.isEmpty())
        write(QStringLiteral("ZorbelPhrases.txt"), phrases);
    m_window = std::make_unique<FrmZorbel>(m_test.context());
    m_window->load();
    m_window->show();
    return *m_window;
}

QString ZorbelFixture::matchOnShow() const
{
    const QString left = get<QLabel>(QStringLiteral("lblName"), 0)->text();
    return left.isEmpty() ? QString() : left.mid(1) + u',' + get<QLabel>(QStringLiteral("lblName"), 1)->text().mid(1);
}

QStringList ZorbelFixture::scores() const
{
    QStringList scores;
    for (QLineEdit *score : m_window->controls().array<QLineEdit>(QStringLiteral("txtCounter")))
        if (!score->isHidden())
            scores.append(score->text());
    return scores;
}

void ZorbelFixture::clickOn(Form &form, const QString &name, int index)
{
    Ravlen *target = form.controls().get<Ravlen>(name, index);
    QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
}

QList<Form *> ZorbelFixture::openForms(const QString &objectName)
{
    QList<Form *> forms;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == objectName && window->isVisible())
            forms.append(qobject_cast<Form *>(window));
    return forms;
}

void ZorbelFixture::answerWinnerWith(const QString &buttonName)
{
    // The winner window is modal: it is answered from inside its own loop.
    QTimer::singleShot(0, [this, buttonName] {
        const QList<Form *> open = openForms(QStringLiteral("frmWin"));
        if (open.size() != 1)
            QFAIL("no winner window opened");
        m_winnerMessage = open.first()->controls().get<Ravlen>(QStringLiteral("clkStatus"))->caption();
        if (buttonName.isEmpty())
            open.first()->close();
        else
            clickOn(*open.first(), buttonName);
    });
}
