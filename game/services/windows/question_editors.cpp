#include "services/windows/question_editors.h"

#include "services/forms/single_window.h"

QuestionEditors::QuestionEditors(AppContext &context, QWidget *owner, LineChecker matchesChecker,
                                 LineChecker phrasesChecker)
    : m_context(context)
    , m_owner(owner)
    , m_matchesChecker(std::move(matchesChecker))
    , m_phrasesChecker(std::move(phrasesChecker))
{
}

FrmQuestionEditor *QuestionEditors::show(QuestionEditorTexts::Kind kind)
{
    const bool matches = kind == QuestionEditorTexts::Kind::Matches;
    return showSingleWindow(matches ? m_matches : m_phrases, [this, kind, matches] {
        return new FrmQuestionEditor(m_context, QuestionEditorTexts::of(kind),
                                     matches ? m_matchesChecker : m_phrasesChecker, m_owner);
    });
}

FrmQuestionEditor *QuestionEditors::window(QuestionEditorTexts::Kind kind) const
{
    return kind == QuestionEditorTexts::Kind::Matches ? m_matches : m_phrases;
}
