#pragma once

#include "services/prompter.h"

#include <QList>
#include <QQueue>

#include <functional>

// Answers message boxes from a queue and records every box shown. A box
// with no queued answer gets the answer a host closing it would give.
class ScriptedPrompter final : public Prompter
{
public:
    PromptAnswer ask(const Prompt &prompt) override;

    void queue(PromptAnswer answer) { m_answers.enqueue(answer); }

    const QList<Prompt> &shown() const { return m_shown; }
    const Prompt &last() const { return m_shown.last(); }
    void clear() { m_shown.clear(); }
    // Runs before each box is answered: what a host might do meanwhile.
    void setOnAsk(std::function<void(const Prompt &)> onAsk) { m_onAsk = std::move(onAsk); }

private:
    QQueue<PromptAnswer> m_answers;
    QList<Prompt> m_shown;
    std::function<void(const Prompt &)> m_onAsk;
};
