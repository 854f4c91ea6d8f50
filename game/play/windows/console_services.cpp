#include "play/windows/console_services.h"

#include "play/list_tools.h"
#include "play/question_loader.h"

#include "services/app_context.h"
#include "services/component_check.h"
#include "services/files/data_directory.h"
#include "services/files/links.h"
#include "services/forms/form_controls.h"
#include "services/forms/single_window.h"
#include "services/windows/frm_edit.h"
#include "services/windows/frm_how_to.h"
#include "services/windows/frm_splash.h"
#include "services/windows/question_editors.h"
#include "services/windows/update_prompt.h"

#include "RavlenLib/ravlen.h"

#include <QFileInfo>
#include <QShortcut>

ConsoleServices::ConsoleServices(AppContext &context, const FormControls &controls, QWidget *console)
    : QObject(console)
    , m_context(context)
    , m_console(console)
    // The editors judge a file with the loader's own rules, so that they
    // name exactly the lines a game start drops.
    , m_questionEditors(std::make_unique<QuestionEditors>(context, console,
                                                          QuestionLoader::lineChecker(QuestionMode::Match),
                                                          QuestionLoader::lineChecker(QuestionMode::Phrase)))
{
    const struct {
        const char *name;
        void (ConsoleServices::*click)();
    } buttons[] = {
        {"clkEdit", &ConsoleServices::clkEdit_Click},       {"clkHowToPlay", &ConsoleServices::clkHowToPlay_Click},
        {"clkVideo", &ConsoleServices::clkVideo_Click},     {"clkAbout", &ConsoleServices::clkAbout_Click},
        {"clkUpdate", &ConsoleServices::clkUpdate_Click},   {"clkDonate", &ConsoleServices::clkDonate_Click},
        {"clkContact", &ConsoleServices::clkContact_Click}, {"cmdDeDup", &ConsoleServices::cmdDeDup_Click},
        {"cmdParse", &ConsoleServices::cmdParse_Click},
    };
    for (const auto &entry : buttons)
        connect(controls.get<Ravlen>(QLatin1String(entry.name)), &Ravlen::Click, this, entry.click);

    // The maintenance commands have no button a host can see: they are
    // reached by key chords that no one presses by accident.
    const struct {
        QKeyCombination chord;
        void (ConsoleServices::*command)();
    } chords[] = {
        {Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_D, &ConsoleServices::cmdDeDup_Click},
        {Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_P, &ConsoleServices::cmdParse_Click},
    };
    for (const auto &entry : chords)
        connect(new QShortcut(QKeySequence(entry.chord), console), &QShortcut::activated, this, entry.command);
}

ConsoleServices::~ConsoleServices() = default;

void ConsoleServices::clkEdit_Click()
{
    m_context.guard(QStringLiteral("clkEdit_Click"), [this] {
        showSingleWindow(m_frmEdit, [this] { return new FrmEdit(m_context, *m_questionEditors, m_console); });
    });
}

// Read at every use, so that a host's change to links.ini counts at once.
Links ConsoleServices::links() const
{
    return Links::load(m_context.programFile(Links::fileName()));
}

void ConsoleServices::clkHowToPlay_Click()
{
    m_context.guard(QStringLiteral("clkHowToPlay_Click"), [this] {
        if (!QFileInfo(m_context.programFile(FrmHowTo::fileName())).isFile()) {
            FrmHowTo::reportMissing(m_context);
            return;
        }
        if (m_howTo && m_howTo->isVisible()) {
            m_howTo->showOrRaise();
            return;
        }
        auto *rules = new FrmHowTo(m_context, m_console);
        rules->setAttribute(Qt::WA_DeleteOnClose);
        if (!rules->load() || !rules->rulesShown()) {
            rules->close();
            return;
        }
        m_howTo = rules;
        rules->showOrRaise();
    });
}

void ConsoleServices::clkAbout_Click()
{
    m_context.guard(QStringLiteral("clkAbout_Click"), [this] {
        if (m_about && m_about->isVisible()) {
            m_about->showOrRaise();
            return;
        }
        auto *about = new FrmSplash(m_context, {}, ComponentCheck::loadLibraryByName, m_console);
        about->setAttribute(Qt::WA_DeleteOnClose);
        if (!about->load()) {
            about->close();
            return;
        }
        m_about = about;
        about->showAsAbout();
    });
}

void ConsoleServices::clkVideo_Click()
{
    m_context.guard(QStringLiteral("clkVideo_Click"),
                    [this] { m_context.openWebPage(links().url(Links::Page::HowToVideo)); });
}

void ConsoleServices::clkDonate_Click()
{
    m_context.guard(QStringLiteral("clkDonate_Click"),
                    [this] { m_context.openWebPage(links().url(Links::Page::Donate)); });
}

void ConsoleServices::clkContact_Click()
{
    m_context.guard(QStringLiteral("clkContact_Click"),
                    [this] { m_context.openWebPage(links().url(Links::Page::Contact)); });
}

void ConsoleServices::clkUpdate_Click()
{
    m_context.guard(QStringLiteral("clkUpdate_Click"), [this] {
        DataDirectory dataDirectory(m_context);
        offerUpdate(m_context, dataDirectory, links().url(Links::Page::Donate));
    });
}

void ConsoleServices::cmdDeDup_Click()
{
    m_context.guard(QStringLiteral("cmdDeDup_Click"), [this] {
        ListTools::deDuplicateFile(m_context.programFile(questionFileName(QuestionMode::Match)),
                                   m_context.programFile(QStringLiteral("ZorbelLinesDeDupped.txt")));
    });
}

void ConsoleServices::cmdParse_Click()
{
    m_context.guard(QStringLiteral("cmdParse_Click"), [this] {
        ListTools::matchLinesFromWordFile(m_context.programFile(QStringLiteral("temp.txt")),
                                          m_context.programFile(QStringLiteral("Chunk.txt")));
    });
}
