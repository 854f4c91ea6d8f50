#pragma once

#include "services/forms/form.h"

// The announcement at the end of a decided round: a single winner with a
// Close button, or a tie asking whether to play another round. The answer
// goes back through the Tag of the window that opened it: "6" Yes, "7" No.
class FrmWin : public Form
{
    Q_OBJECT

public:
    FrmWin(AppContext &context, Form &owner, QWidget *parent = nullptr);

    // Throws ZorbelError when the layout lacks a control: the caller's
    // procedure reports it.
    void present(const QString &message, bool tie);

    void clkClose_Click();
    void clkYes_Click();
    void clkNo_Click();

protected:
    void Form_Load() override;

private:
    Form &m_owner;
};
