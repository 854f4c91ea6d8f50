#pragma once

#include "services/component_check.h"
#include "services/forms/form.h"

#include <QStringList>

#include <functional>
#include <memory>

class QTimer;
class QUrl;

// The start-up card and About box. Loaded at start-up it logs the version,
// checks once per run that the libraries the game needs load, attaches the
// window skin and, one second later (Timer1), opens the main window and
// unloads itself. Loaded as the About box its timer stays off and its Close
// button shows.
class FrmSplash : public Form
{
    Q_OBJECT

public:
    // Creates the main window; the splash loads and shows it.
    using MainWindowFactory = std::function<std::unique_ptr<Form>()>;

    explicit FrmSplash(AppContext &context, MainWindowFactory openMainWindow = {},
                       ComponentCheck::LibraryLoader loader = ComponentCheck::loadLibraryByName,
                       QWidget *parent = nullptr);
    ~FrmSplash() override;

    // The one-second, one-shot timer that opens the main window; enabled at
    // the end of the load.
    QTimer &Timer1() const { return *m_timer1; }

    // The main window this splash opened, once Timer1 has fired; the splash
    // keeps it for the rest of the run.
    Form *mainWindow() const { return m_mainWindow.get(); }

    // Turns the loaded card into the About box: the timer off for good, the
    // Close button shown, the window shown without blocking.
    void showAsAbout();

    // The lines a failed opening of the main window puts before its report:
    // what went wrong, the media library it most likely was, and where to get it.
    static QStringList mainWindowFailureLines(const QUrl &mediaHelp);

    // The maker's notice of Label1.
    static QString makersNotice();

public Q_SLOTS:
    void Timer1_Timer();
    void clkClose_Click();
    void lbl1_Click(int index);

protected:
    void Form_Load() override;
    void Form_Unload(bool &cancel) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void bindControls();
    void centre();

    MainWindowFactory m_openMainWindow;
    ComponentCheck::LibraryLoader m_loader;
    QTimer *m_timer1;
    std::unique_ptr<Form> m_mainWindow;
};
