#include "services/prompter.h"

#include <QApplication>
#include <QMessageBox>

PromptAnswer MessageBoxPrompter::ask(const Prompt &prompt)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(prompt.title);
    box.setText(prompt.text);
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
