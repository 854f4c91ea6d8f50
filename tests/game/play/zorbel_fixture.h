#pragma once

#include "play/frm_zorbel.h"
#include "test_context.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include <memory>

class Ravlen;

// A main window over a temporary program directory: question files written
// by the test, scripted message boxes, recording media players.
class ZorbelFixture
{
public:
    ZorbelFixture();
    ~ZorbelFixture();

    void writeMatches(const QStringList &lines);
    void writePhrases(const QStringList &lines);

    // Creates and loads the window (Form_Load).
    FrmZorbel &open();
    FrmZorbel &window() { return *m_window; }
    TestContext &test() { return m_test; }

    Ravlen *button(const QString &name, int index = -1) const;
    QLabel *label(const QString &name, int index = -1) const;
    QLineEdit *box(const QString &name, int index = -1) const;
    QComboBox *combo(const QString &name) const;
    QTabWidget *tabs() const;

    // The match on show as its two halves joined by ",", or the phrase on show.
    QString matchOnShow() const;
    QString phraseOnShow() const;
    QStringList scores() const;

    void click(const QString &name, int index = -1);
    // Answers the winner window that the next click will open.
    void answerWinnerWith(const QString &buttonName);
    QString lastWinnerMessage() const { return m_winnerMessage; }

    QStringList &music() { return m_test.mediaPlayers().journal(0); }
    QStringList &buzzer() { return m_test.mediaPlayers().journal(1); }

private:
    TestContext m_test;
    std::unique_ptr<FrmZorbel> m_window;
    QString m_winnerMessage;
};
