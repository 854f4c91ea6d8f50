#pragma once

#include <QString>

// One message box: its text, title, buttons and icon.
struct Prompt {
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Icon { None, Information, Question };

    QString text;
    QString title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
};

enum class PromptAnswer { Ok, Yes, No, Cancel };

// What a box with these buttons answers when the host closes it without a choice.
PromptAnswer closedAnswer(Prompt::Buttons buttons);

// Every message box and question of the program goes through a Prompter, so
// that tests can answer them and read back what the host would have seen.
class Prompter
{
public:
    virtual ~Prompter() = default;

    // Shows the box modally and returns the button the host chose. A box
    // closed without a choice answers Cancel (No when it has no Cancel, Ok
    // when Ok is its only button).
    virtual PromptAnswer ask(const Prompt &prompt) = 0;
};

// The real boxes: QMessageBox over the program's active window.
class MessageBoxPrompter final : public Prompter
{
public:
    PromptAnswer ask(const Prompt &prompt) override;
};
