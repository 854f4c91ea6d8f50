#include "services/windows/question_editors.h"

#include "services/forms/single_window.h"

QuestionEditors::QuestionEditors(AppContext &context, QWidget *owner)
    : m_context(context)
    , m_owner(owner)
{
}

FrmQuestionEditor *QuestionEditors::show(QuestionEditorTexts::Kind kind)
{
    QPointer<FrmQuestionEditor> &slot = kind == QuestionEditorTexts::Kind::Matches ? m_matches : m_phrases;
    return showSingleWindow(
        slot, [this, kind] { return new FrmQuestionEditor(m_context, QuestionEditorTexts::of(kind), m_owner); });
}

FrmQuestionEditor *QuestionEditors::window(QuestionEditorTexts::Kind kind) const
{
    return kind == QuestionEditorTexts::Kind::Matches ? m_matches : m_phrases;
}
