#include "frm_zorbel.h"

#include "services/app_context.h"

FrmZorbel::FrmZorbel(AppContext &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmZorbel"));
    setWindowTitle(QStringLiteral("Zorbel"));
    resize(944, 513);
}

void FrmZorbel::Form_Load()
{
    m_context.guard(QStringLiteral("Form_Load FrmZorbel"), [this] {
        m_context.writeLogInfo(QStringLiteral("Loading Form ") + objectName());
        setWindowTitle(m_context.exeName());
    });
}
