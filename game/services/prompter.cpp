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
    if (prompt.buttons == Prompt::Buttons::YesNoCancel) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }

    switch (box.exec()) {
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::Ok:
        return PromptAnswer::Ok;
    default:
        return prompt.buttons == Prompt::Buttons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
    }
}
