#pragma once

#include <QObject>
#include <QPointer>

#include <memory>

class AppContext;
class FormControls;
class FrmEdit;
class FrmHowTo;
class FrmSplash;
class Links;
class QuestionEditors;
class QWidget;

// The console's service buttons, apart from the game: the question-file
// editors, the rules, About, the web pages, the update with its backups,
// and the maintenance commands that only key chords reach. The windows they
// open belong to the console window.
class ConsoleServices : public QObject
{
    Q_OBJECT

public:
    // Connects the buttons of the console's controls; throws ZorbelError
    // when the layout lacks one.
    ConsoleServices(AppContext &context, const FormControls &controls, QWidget *console);
    ~ConsoleServices() override;

public Q_SLOTS:
    void clkEdit_Click();
    void clkHowToPlay_Click();
    void clkVideo_Click();
    void clkAbout_Click();
    void clkUpdate_Click();
    void clkDonate_Click();
    void clkContact_Click();
    void cmdDeDup_Click();
    void cmdParse_Click();

private:
    Links links() const;

    AppContext &m_context;
    QWidget *m_console;
    std::unique_ptr<QuestionEditors> m_questionEditors;
    QPointer<FrmEdit> m_frmEdit;
    QPointer<FrmHowTo> m_howTo;
    QPointer<FrmSplash> m_about;
};
