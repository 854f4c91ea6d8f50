#pragma once

#include "services/windows/frm_question_editor.h"

#include <QPointer>

class AppContext;

// The program's two question-file editors, each open at most once: whoever
// asks for an editor that is open gets it brought to the front, its text
// untouched. The editors belong to the owner's window, so they close with
// the program, not with the chooser that opened them.
class QuestionEditors
{
public:
    // Each editor checks its text with its checker before saving.
    QuestionEditors(AppContext &context, QWidget *owner, LineChecker matchesChecker, LineChecker phrasesChecker);

    FrmQuestionEditor *show(QuestionEditorTexts::Kind kind);

    // The open editor of that kind, or null.
    FrmQuestionEditor *window(QuestionEditorTexts::Kind kind) const;

private:
    AppContext &m_context;
    QWidget *m_owner;
    LineChecker m_matchesChecker;
    LineChecker m_phrasesChecker;
    QPointer<FrmQuestionEditor> m_matches;
    QPointer<FrmQuestionEditor> m_phrases;
};
