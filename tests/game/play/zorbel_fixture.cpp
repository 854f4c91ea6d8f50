#include "zorbel_fixture.h"

#include "ravlen.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

ZorbelFixture::ZorbelFixture() = default;

ZorbelFixture::~ZorbelFixture()
{
    if (m_window) {
        m_window->blnExitConfirmed = true;
        m_window->close();
    }
}

void ZorbelFixture::writeMatches(const QStringList &lines)
{
    m_test.writeFile(QStringLiteral("ZorbelLines.txt"), lines.join(QLatin1String("\r\n")).toUtf8() + "\r\n");
}

void ZorbelFixture::writePhrases(const QStringList &lines)
{
    m_test.writeFile(QStringLiteral("ZorbelPhrases.txt"), lines.join(QLatin1String("\r\n")).toUtf8() + "\r\n");
}

FrmZorbel &ZorbelFixture::open()
{
    m_window = std::make_unique<FrmZorbel>(m_test.context());
    m_window->load();
    m_window->show();
    return *m_window;
}

Ravlen *ZorbelFixture::button(const QString &name, int index) const
{
    return m_window->controls().get<Ravlen>(name, index);
}

QLabel *ZorbelFixture::label(const QString &name, int index) const
{
    return m_window->controls().get<QLabel>(name, index);
}

QLineEdit *ZorbelFixture::box(const QString &name, int index) const
{
    return m_window->controls().get<QLineEdit>(name, index);
}

QComboBox *ZorbelFixture::combo(const QString &name) const
{
    return m_window->controls().get<QComboBox>(name);
}

QTabWidget *ZorbelFixture::tabs() const
{
    return m_window->controls().get<QTabWidget>(QStringLiteral("SSTab1"));
}

QString ZorbelFixture::matchOnShow() const
{
    return label(QStringLiteral("lblName"), 0)->text().mid(1) + QLatin1Char(',')
        + label(QStringLiteral("lblName"), 1)->text().mid(1);
}

QString ZorbelFixture::phraseOnShow() const
{
    return label(QStringLiteral("lblPhrase"))->text().mid(6);
}

QStringList ZorbelFixture::scores() const
{
    QStringList scores;
    for (QLineEdit *score : m_window->controls().array<QLineEdit>(QStringLiteral("txtCounter")))
        if (!score->isHidden())
            scores.append(score->text());
    return scores;
}

void ZorbelFixture::click(const QString &name, int index)
{
    Ravlen *target = button(name, index);
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(target->width() / 2, target->height() / 2));
}

void ZorbelFixture::answerWinnerWith(const QString &buttonName)
{
    // The winner window is modal: it is answered from inside its own loop.
    QTimer::singleShot(0, [this, buttonName] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->objectName() != QLatin1String("frmWin") || !window->isVisible())
                continue;
            auto *form = qobject_cast<Form *>(window);
            m_winnerMessage = form->controls().get<Ravlen>(QStringLiteral("clkStatus"))->caption();
            if (buttonName.isEmpty()) {
                window->close(); // closed by the window manager
            } else {
                Ravlen *answer = form->controls().get<Ravlen>(buttonName);
                QTest::mouseClick(answer, Qt::LeftButton, {}, QPoint(answer->width() / 2, answer->height() / 2));
            }
            return;
        }
        QFAIL("no winner window opened");
    });
}
