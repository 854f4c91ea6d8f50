#include "services/prompter.h"

#include <QApplication>
#include <QMessageBox>

namespace {

// A box taller than this would leave the screen: it shows the opening
// lines, and the whole text behind Show Details.
constexpr qsizetype kLinesShown = 20;

void setText(QMessageBox &box, const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() <= kLinesShown) {
        box.setText(text);
        return;
    }
    box.setText(lines.first(kLinesShown).join(QLatin1Char('\n')) + QStringLiteral("\n..."));
    box.setDetailedText(text);
}

} // namespace

PromptAnswer closedAnswer(Prompt::Buttons buttons)
{
    switch (buttons) {
    case Prompt::Buttons::Ok:
        return PromptAnswer::Ok;
    case Prompt::Buttons::YesNo:
        return PromptAnswer::No;
    case Prompt::Buttons::YesNoCancel:
        break;
    }
    return PromptAnswer::Cancel;
}

PromptAnswer MessageBoxPrompter::ask(const Prompt &prompt)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(prompt.title);
    setText(box, prompt.text);
    switch (prompt.icon) {
    case Prompt::Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Prompt::Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Prompt::Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (prompt.buttons) {
    case Prompt::Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Prompt::Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case Prompt::Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }

    switch (box.exec()) {
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::Ok:
        return PromptAnswer::Ok;
    default:
        return closedAnswer(prompt.buttons);
    }
}
