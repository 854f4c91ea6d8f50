#include "services/forms/form.h"

#include "services/app_context.h"
#include "services/forms/form_builder.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QPointer>

#include <new>

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

bool Form::load()
{
    m_loadFailure = ErrorNumber::InternalError;
    return m_context.guard(m_names.loadReport, [this] {
        try {
            if (m_names.logsLoad)
                m_context.writeLogInfo(QStringLiteral("Loading Form ") + m_names.window);
            FormBuilder builder(*this, m_context.formScale(), m_context.programDir());
            m_layout = readFormLayout(layoutPath(m_names.window));
            m_controls = builder.build(m_layout);
            Form_Load();
        } catch (const ZorbelError &error) {
            // Whoever opened the window may report the failure once more in
            // its own words, with the same number.
            m_loadFailure = error.number();
            throw;
        } catch (const std::bad_alloc &) {
            m_loadFailure = ErrorNumber::OutOfMemory;
            throw;
        }
    });
}

void Form::rescale(double scale, bool fixedSize)
{
    FormBuilder builder(*this, scale, m_context.programDir());
    if (fixedSize)
        builder.fixSize(m_layout);
    builder.arrange(m_layout, m_controls);
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
