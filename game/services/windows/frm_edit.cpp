#include "services/windows/frm_edit.h"

#include "services/app_context.h"
#include "services/windows/question_editors.h"

#include "RavlenLib/ravlen.h"

FrmEdit::FrmEdit(AppContext &context, QuestionEditors &editors, QWidget *parent)
    : Form(context,
           {QStringLiteral("frmEdit"), QStringLiteral("Form Load frmEdit"), QStringLiteral("Form UnLoad frmEdit")},
           parent)
    , m_editors(editors)
{
}

void FrmEdit::Form_Load()
{
    connect(controls().get<Ravlen>(QStringLiteral("clkEditMatches")), &Ravlen::Click, this,
            &FrmEdit::clkEditMatches_Click);
    connect(controls().get<Ravlen>(QStringLiteral("clkEditPhrases")), &Ravlen::Click, this,
            &FrmEdit::clkEditPhrases_Click);
}

void FrmEdit::clkEditMatches_Click()
{
    context().guard(QStringLiteral("clkEditMatches_Click"),
                    [this] { m_editors.show(QuestionEditorTexts::Kind::Matches); });
}

void FrmEdit::clkEditPhrases_Click()
{
    context().guard(QStringLiteral("clkEditPhrases_Click"),
                    [this] { m_editors.show(QuestionEditorTexts::Kind::Phrases); });
}
