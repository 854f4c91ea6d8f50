#include "services/windows/frm_splash.h"

#include "services/app_context.h"
#include "services/files/links.h"
#include "services/forms/skinner.h"
#include "services/windows/splash_art.h"

#include "RavlenLib/ravlen.h"

#include <QApplication>
#include <QGraphicsDropShadowEffect>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

// The card's own colours over its deep blue face; the skin leaves labels
// alone. Only the card's own labels: a message box opened over the card is
// its child and must keep the skin's colours.
const char kCardStyle[] = R"(
FrmSplash > QLabel { color: #dbe6f3; }
FrmSplash > QLabel#lblTitle { color: #ffffff; }
FrmSplash > QLabel#lblVersion { color: #ffe0c0; }
FrmSplash > QLabel#lbl1 { color: #ffd39e; }
FrmSplash > QLabel#lbl1:hover { color: #fff1df; }
)";

constexpr int kSplashMilliseconds = 1000;

Links programLinks(const AppContext &context)
{
    return Links::load(context.programFile(Links::fileName()));
}

// The address as a host reads it: no scheme, no lone trailing slash.
QString shownAddress(const QUrl &url)
{
    QString text = url.host();
    if (const QString path = url.path(); path != QLatin1String("/"))
        text += path;
    return text;
}

} // namespace

FrmSplash::FrmSplash(AppContext &context, MainWindowFactory openMainWindow, ComponentCheck::LibraryLoader loader,
                     QWidget *parent)
    : Form(context,
           {QStringLiteral("frmSplash"), QStringLiteral("Form_Load frmSplash"), QStringLiteral("Form_UnLoad frmSplash"),
            false, true},
           parent)
    , m_openMainWindow(std::move(openMainWindow))
    , m_loader(std::move(loader))
    , m_timer1(new QTimer(this))
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setStyleSheet(QString::fromLatin1(kCardStyle));
    m_timer1->setInterval(kSplashMilliseconds);
    m_timer1->setSingleShot(true);
    connect(m_timer1, &QTimer::timeout, this, &FrmSplash::Timer1_Timer);
}

FrmSplash::~FrmSplash() = default;

QString FrmSplash::makersNotice()
{
    return QStringLiteral("Zorbel is made by Zorbel Games for hosts, parties and classrooms. It is free to play "
                          "and to share; every question file is yours to edit. Copyright \u00A9 Zorbel Games. "
                          "All rights reserved.");
}

QStringList FrmSplash::mainWindowFailureLines(const QUrl &mediaHelp)
{
    return {
        QStringLiteral("The main form appears to be having problems loading..."),
        QStringLiteral(
            "There may be a problem with trying to access the Qt Multimedia library 'libQt6Multimedia.so.6'"),
        QStringLiteral("Please ensure you have the latest version of Qt Multimedia and its GStreamer plugins "
                       "installed..."),
        QStringLiteral("Latest version of Qt Multimedia can be found at :"),
        mediaHelp.toString(),
        QString(),
    };
}

void FrmSplash::bindControls()
{
    connect(controls().get<Ravlen>(QStringLiteral("clkClose")), &Ravlen::Click, this, &FrmSplash::clkClose_Click);
    for (QLabel *link : controls().array<QLabel>(QStringLiteral("lbl1"))) {
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }
    auto *title = controls().get<QLabel>(QStringLiteral("lblTitle"));
    auto *shadow = new QGraphicsDropShadowEffect(title);
    shadow->setBlurRadius(14);
    shadow->setOffset(0, 3);
    shadow->setColor(QColor(4, 16, 32, 150));
    title->setGraphicsEffect(shadow);
}

void FrmSplash::Form_Load()
{
    bindControls();
    AppContext &app = context();
    app.writeLogInfo(QStringLiteral("Application Name ") + app.exeName() + QStringLiteral(" Software Version ")
                     + app.versionText());
    app.writeLogInfo(QStringLiteral("Loading ") + names().window);
    ComponentCheck(app, m_loader).checkOncePerRun();

    app.writeLogInfo(QStringLiteral("Loading Skinner..."));
    if (auto *application = qobject_cast<QApplication *>(QCoreApplication::instance()))
        Skinner::attach(*application, app.formScale());

    centre();
    controls()
        .get<QLabel>(QStringLiteral("lblVersion"))
        ->setText(QStringLiteral("Zorbel Software Version ") + app.versionText());
    controls().get<QLabel>(QStringLiteral("Label1"))->setText(makersNotice());
    controls().get<QLabel>(QStringLiteral("lbl1"), 1)->setText(shownAddress(programLinks(app).url(Links::Page::Home)));

    auto *picture = controls().get<QLabel>(QStringLiteral("pb1"));
    picture->setScaledContents(false);
    picture->setPixmap(SplashArt::badge(picture->size(), devicePixelRatioF()));

    m_timer1->start();
}

void FrmSplash::centre()
{
    const QScreen *screen = this->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    move(available.left() + (available.width() - width()) / 2, available.top() + (available.height() - height()) / 2);
}

void FrmSplash::Form_Unload(bool &cancel)
{
    Q_UNUSED(cancel);
    // A card closed before its second is up opens nothing afterwards.
    m_timer1->stop();
}

void FrmSplash::showAsAbout()
{
    m_timer1->stop();
    controls().get<Ravlen>(QStringLiteral("clkClose"))->setVisible(true);
    showOrRaise();
}

void FrmSplash::Timer1_Timer()
{
    bool openingMainWindow = false;
    GuardOptions options;
    options.extras = [this, &openingMainWindow] {
        ReportExtras extras;
        if (openingMainWindow)
            extras.leading = mainWindowFailureLines(programLinks(context()).url(Links::Page::MediaHelp));
        return extras;
    };
    const bool opened = context().guard(
        QStringLiteral("Timer1_Timer"),
        [this, &openingMainWindow] {
            m_timer1->stop();
            if (!m_openMainWindow)
                throw ZorbelError(ErrorNumber::InvalidProcedureCall,
                                  QStringLiteral("the About box opens no main window"));
            openingMainWindow = true;
            std::unique_ptr<Form> window = m_openMainWindow();
            if (!window->load())
                throw ZorbelError(window->loadFailure(), QStringLiteral("the main window did not load"));
            openingMainWindow = false;
            window->show();
            m_mainWindow = std::move(window);
            close();
        },
        options);
    if (!opened) {
        // The card stays, and the host needs a way to dismiss it.
        if (Ravlen *closeButton = qobject_cast<Ravlen *>(controls().find(QStringLiteral("clkClose"))))
            closeButton->setVisible(true);
    }
}

void FrmSplash::clkClose_Click()
{
    context().guard(QStringLiteral("clkClose_Click"), [this] { close(); });
}

void FrmSplash::lbl1_Click(int index)
{
    Q_UNUSED(index);
    context().guard(QStringLiteral("lbl1_Click"),
                    [this] { context().openWebPage(programLinks(context()).url(Links::Page::Home)); });
}

bool FrmSplash::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        auto *label = qobject_cast<QLabel *>(watched);
        if (label && label->objectName() == QLatin1String("lbl1")
            && label->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
            lbl1_Click(label->property("controlIndex").toInt());
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void FrmSplash::keyPressEvent(QKeyEvent *event)
{
    // Escape dismisses the About box, as it would any dialog.
    const QWidget *closeButton = controls().find(QStringLiteral("clkClose"));
    if (event->key() == Qt::Key_Escape && closeButton && !closeButton->isHidden()) {
        clkClose_Click();
        return;
    }
    Form::keyPressEvent(event);
}

void FrmSplash::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event);
    // The rule runs midway between the title block and the notice.
    qreal ruleY = height() / 2.0;
    const QWidget *version = controls().find(QStringLiteral("lblVersion"));
    const QWidget *notice = controls().find(QStringLiteral("Label1"));
    if (version && notice)
        ruleY = (version->geometry().bottom() + notice->geometry().top()) / 2.0;
    QPainter painter(this);
    SplashArt::paintCard(painter, rect(), ruleY);
}
