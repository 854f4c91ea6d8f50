#pragma once

#include "services/forms/form.h"

class QuestionEditors;

// The chooser between the two question-file editors. It stays open while
// they are in use; an editor that is open already is brought to the front.
class FrmEdit : public Form
{
    Q_OBJECT

public:
    FrmEdit(AppContext &context, QuestionEditors &editors, QWidget *parent = nullptr);

public Q_SLOTS:
    void clkEditMatches_Click();
    void clkEditPhrases_Click();

protected:
    void Form_Load() override;

private:
    QuestionEditors &m_editors;
};
