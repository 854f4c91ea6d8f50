#pragma once

#include "services/forms/form.h"
#include "services/line_problem.h"
#include "services/windows/question_editor_texts.h"

class QPlainTextEdit;

// The editor of one question file: the whole file in one plain-text box,
// loaded when the window opens (or offered as a sample when the file is
// missing), and written back exactly as the box holds it, lines ended by
// CR LF. Before saving, the game's own check names every line the game
// would drop; the host saves anyway or goes back to the first of them.
class FrmQuestionEditor : public Form
{
    Q_OBJECT

public:
    // The largest file the box takes: far beyond any question file a game
    // can number, small enough that the box stays responsive.
    static constexpr qint64 kLargestFile = 8 * 1024 * 1024;

    FrmQuestionEditor(AppContext &context, const QuestionEditorTexts &texts, LineChecker checker,
                      QWidget *parent = nullptr);

    const QuestionEditorTexts &texts() const { return m_texts; }

    // The box's text as the file holds it: every line break a CR LF.
    QString boxText() const;

public Q_SLOTS:
    // The load routine (loadZorbelLines or loadMatchPhrases): fills the box
    // from the file, asking first when the box already holds questions.
    void loadQuestionFile();

    void clkLoad_Click();
    void clkSave_Click();
    void clkClose_Click();

protected:
    void Form_Load() override;
    // Closing with changes the host has not saved asks whether to save them.
    void Form_Unload(bool &cancel) override;

private:
    QPlainTextEdit *rtb1() const;
    // Fills the box with text the file holds, or will hold once saved.
    void fillBox(const QString &text);
    // Save, reported as the Save button reports; whether the file was written.
    bool saveBox();
    bool writeQuestionFile();
    // Whether the host saves despite the lines the game would drop.
    bool keepsDroppedLines(const QString &text);
    void showLine(qsizetype line);

    const QuestionEditorTexts &m_texts;
    LineChecker m_checker;
    QString m_keptText; // the box as last loaded or saved
};
