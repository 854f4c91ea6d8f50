#pragma once

#include "play/frm_zorbel.h"
#include "test_context.h"

#include "ravlen.h"

#include <QLineEdit>
#include <QTabWidget>

#include <memory>

// A main window over a temporary program directory: question files written
// by the test, scripted message boxes, recording media players.
class ZorbelFixture
{
public:
    ~ZorbelFixture();

    // The lines as a file of the program directory, ended by CR LF.
    void write(const QString &fileName, const QStringList &lines);
    // Writes the question files given (none for an empty list), then creates
    // and loads the window (Form_Load).
    FrmZorbel &open(const QStringList &matches = {}, const QStringList &phrases = {});
    FrmZorbel &window() { return *m_window; }
    TestContext &test() { return m_test; }

    template<class T>
    T *get(const QString &name, int index = -1) const { return m_window->controls().get<T>(name, index); }
    Ravlen *button(const QString &name, int index = -1) const { return get<Ravlen>(name, index); }
    QLineEdit *box(const QString &name, int index = -1) const { return get<QLineEdit>(name, index); }
    void showTab(int index) { get<QTabWidget>(QStringLiteral("SSTab1"))->setCurrentIndex(index); }

    // The match on show as its two halves joined by ",", empty when none is.
    QString matchOnShow() const;
    QStringList scores() const;

    void click(const QString &name, int index = -1) { clickOn(*m_window, name, index); }
    static void clickOn(Form &form, const QString &name, int index = -1);
    static QList<Form *> openForms(const QString &objectName);
    // Answers the winner window that the next click will open; an empty
    // name closes it as the window manager would.
    void answerWinnerWith(const QString &buttonName);
    QString lastWinnerMessage() const { return m_winnerMessage; }

    QStringList &music() { return m_test.mediaPlayers().journal(0); }
    QStringList &buzzer() { return m_test.mediaPlayers().journal(1); }

private:
    TestContext m_test;
    std::unique_ptr<FrmZorbel> m_window;
    QString m_winnerMessage;
};
