#include "play/windows/frm_win.h"

#include "services/app_context.h"

#include "RavlenLib/ravlen.h"

FrmWin::FrmWin(AppContext &context, Form &owner, QWidget *parent)
    : Form(context,
           {QStringLiteral("frmWin"), QStringLiteral("Form_Load frmWin"), QStringLiteral("Form_UnLoad frmWIN")}, parent)
    , m_owner(owner)
{
}

void FrmWin::Form_Load()
{
    connect(controls().get<Ravlen>(QStringLiteral("clkClose")), &Ravlen::Click, this, &FrmWin::clkClose_Click);
    connect(controls().get<Ravlen>(QStringLiteral("clkYes")), &Ravlen::Click, this, &FrmWin::clkYes_Click);
    connect(controls().get<Ravlen>(QStringLiteral("clkNo")), &Ravlen::Click, this, &FrmWin::clkNo_Click);
    if (const QWidget *owner = &m_owner; owner->isVisible())
        move(owner->geometry().center() - QPoint(width() / 2, height() / 2));
}

void FrmWin::present(const QString &message, bool tie)
{
    controls().get<Ravlen>(QStringLiteral("clkStatus"))->setCaption(message);
    controls().get<Ravlen>(QStringLiteral("clkClose"))->setVisible(!tie);
    controls().get<Ravlen>(QStringLiteral("clkYes"))->setVisible(tie);
    controls().get<Ravlen>(QStringLiteral("clkNo"))->setVisible(tie);
}

void FrmWin::clkClose_Click()
{
    context().guard(QStringLiteral("clkClose_Click"), [this] { close(); });
}

void FrmWin::clkYes_Click()
{
    context().guard(QStringLiteral("clkYes_Click"), [this] {
        m_owner.setTag(QStringLiteral("6"));
        close();
    });
}

void FrmWin::clkNo_Click()
{
    context().guard(QStringLiteral("clkNo_Click"), [this] {
        m_owner.setTag(QStringLiteral("7"));
        close();
    });
}
