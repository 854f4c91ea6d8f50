#include "prompter.h"

#include <QApplication>
#include <QMessageBox>

PromptAnswer MessageBoxPrompter::ask(const Prompt &prompt)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(prompt.title);
    box.setText(prompt.text);
    box.setIcon(prompt.icon == Prompt::Icon::Information ? QMessageBox::Information : QMessageBox::NoIcon);
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
