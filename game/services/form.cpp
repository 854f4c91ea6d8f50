#include "form.h"

#include "app_context.h"
#include "form_builder.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QPointer>

Form::Form(AppContext &context, Names names, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_context(context)
    , m_names(std::move(names))
{
    setObjectName(m_names.window);
}

Form::~Form() = default;

QString Form::layoutPath(const QString &window)
{
    return QStringLiteral(":/layouts/%1.json").arg(window);
}

void Form::load()
{
    m_context.guard(m_names.loadReport, [this] {
        if (m_names.logsLoad)
            m_context.writeLogInfo(QStringLiteral("Loading Form ") + m_names.window);
        FormBuilder builder(*this, m_context.formScale(), m_context.programDir());
        m_controls = builder.build(readFormLayout(layoutPath(m_names.window)));
        Form_Load();
    });
}

void Form::showModal()
{
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(this, &Form::unloaded, &loop, &QEventLoop::quit);
    QPointer<Form> self(this);
    show();
    if (self && isVisible())
        loop.exec();
}

void Form::showOrRaise()
{
    show();
    raise();
    activateWindow();
}

void Form::closeEvent(QCloseEvent *event)
{
    bool cancel = false;
    m_context.guard(m_names.unloadReport, [this, &cancel] {
        Form_Unload(cancel);
        if (!cancel && m_names.logsUnload)
            m_context.writeLogInfo(QStringLiteral("Unloading Form ") + m_names.window);
    });
    if (cancel) {
        event->ignore();
        return;
    }
    event->accept();
    Q_EMIT unloaded();
}
