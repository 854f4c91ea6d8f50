#include "scripted_prompter.h"

PromptAnswer ScriptedPrompter::ask(const Prompt &prompt)
{
    m_shown.append(prompt);
    if (m_onAsk)
        m_onAsk(prompt);
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    return closedAnswer(prompt.buttons);
}
