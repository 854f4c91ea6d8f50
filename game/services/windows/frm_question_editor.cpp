#include "services/windows/frm_question_editor.h"

#include "services/app_context.h"
#include "services/error_codes.h"
#include "services/files/text_file.h"
#include "services/prompter.h"

#include "RavlenLib/ravlen.h"

#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// A box holding more than this is worth a question before Load replaces
// it; a box holding no more (spaces aside) is not worth saving.
constexpr qsizetype kTrivialLength = 10;

// Only the space is a blank here: an empty line or a tab is part of the
// file, counted as Load counts it.
qsizetype lengthWithoutOuterSpaces(QString text)
{
    static const QRegularExpression outerSpaces(QStringLiteral("^ +| +\\z"));
    return text.remove(outerSpaces).size();
}

} // namespace

FrmQuestionEditor::FrmQuestionEditor(AppContext &context, const QuestionEditorTexts &texts, LineChecker checker,
                                     QWidget *parent)
    : Form(context,
           {texts.window, QStringLiteral("Form_Load ") + texts.window, QStringLiteral("Form_Unload ") + texts.window},
           parent)
    , m_texts(texts)
    , m_checker(std::move(checker))
{
}

QPlainTextEdit *FrmQuestionEditor::rtb1() const
{
    return controls().get<QPlainTextEdit>(QStringLiteral("rtb1"));
}

QString FrmQuestionEditor::boxText() const
{
    // The raw text keeps every character as loaded (a no-break space
    // stays one); only the blocks' separators become line ends.
    QString text = rtb1()->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
    return text;
}

void FrmQuestionEditor::Form_Load()
{
    connect(controls().get<Ravlen>(QStringLiteral("clkLoad")), &Ravlen::Click, this, &FrmQuestionEditor::clkLoad_Click);
    connect(controls().get<Ravlen>(QStringLiteral("clkSave")), &Ravlen::Click, this, &FrmQuestionEditor::clkSave_Click);
    connect(controls().get<Ravlen>(QStringLiteral("clkClose")), &Ravlen::Click, this,
            &FrmQuestionEditor::clkClose_Click);

    // The box's own edit menu (undo, cut, copy, paste, select all) on the
    // right button is the one editing option the editors switch on.
    QPlainTextEdit *box = rtb1();
    box->setContextMenuPolicy(Qt::DefaultContextMenu);
    box->setUndoRedoEnabled(true);

    controls().get<QLabel>(QStringLiteral("lbl1"))->setText(m_texts.note());
    loadQuestionFile();
}

void FrmQuestionEditor::loadQuestionFile()
{
    context().guard(m_texts.loadRoutine, [this] {
        Prompter &prompter = context().prompter();
        if (boxText().size() > kTrivialLength
            && prompter.ask({m_texts.overwriteBoxQuestion, QStringLiteral("Overwrite Questions In Text Box?"),
                             Prompt::Buttons::YesNoCancel, Prompt::Icon::None})
                   != PromptAnswer::Yes)
            return;

        const QString path = context().programFile(m_texts.fileName);
        if (QFileInfo::exists(path)) {
            const QString text = TextFile::decode(TextFile::readBytes(path, kLargestFile));
            if (text.isEmpty())
                throw ZorbelError(ErrorNumber::InputPastEndOfFile, path + QStringLiteral(" holds nothing to read"));
            fillBox(text);
            return;
        }
        const QString question = QStringLiteral("File ") + context().displayPath(m_texts.fileName)
                                 + QStringLiteral(" does not exist, Do you want to create one?");
        if (prompter.ask({question, m_texts.newFileTitle, Prompt::Buttons::YesNoCancel, Prompt::Icon::None})
            == PromptAnswer::Yes)
            fillBox(m_texts.sample); // the file itself waits for Save
    });
}

void FrmQuestionEditor::clkLoad_Click()
{
    context().guard(QStringLiteral("clkLoad_Click"), [this] { loadQuestionFile(); });
}

void FrmQuestionEditor::fillBox(const QString &text)
{
    rtb1()->setPlainText(text);
    m_keptText = boxText();
}

void FrmQuestionEditor::clkSave_Click()
{
    saveBox();
}

bool FrmQuestionEditor::saveBox()
{
    bool written = false;
    context().guard(QStringLiteral("clkSave_Click"), [this, &written] { written = writeQuestionFile(); });
    return written;
}

bool FrmQuestionEditor::writeQuestionFile()
{
    Prompter &prompter = context().prompter();
    const QString text = boxText();
    if (lengthWithoutOuterSpaces(text) <= kTrivialLength) {
        prompter.ask({m_texts.nothingToSave, QStringLiteral("Nothing to Save."), Prompt::Buttons::Ok,
                      Prompt::Icon::Information});
        return false;
    }
    if (!keepsDroppedLines(text))
        return false;
    const QString path = context().programFile(m_texts.fileName);
    const QString shownPath = context().displayPath(m_texts.fileName);
    if (QFileInfo::exists(path)
        && prompter.ask({QStringLiteral("File ") + shownPath + QStringLiteral(" already exists. Overwrite File?"),
                         QStringLiteral("Overwrite File?"), Prompt::Buttons::YesNoCancel, Prompt::Icon::None})
               != PromptAnswer::Yes)
        return false;
    TextFile::replace(path, text);
    m_keptText = text;
    prompter.ask({m_texts.savedPrefix + shownPath, QStringLiteral("File Saved Successfully"), Prompt::Buttons::Ok,
                  Prompt::Icon::Information});
    return true;
}

bool FrmQuestionEditor::keepsDroppedLines(const QString &text)
{
    const QList<LineProblem> problems = m_checker(text);
    if (problems.isEmpty())
        return true;
    const qsizetype first = problems.first().line;
    QStringList lines{QStringLiteral("The game will drop %1 %2 of %3. Save anyway?")
                          .arg(problems.size())
                          .arg(QLatin1String(problems.size() == 1 ? "line" : "lines"), m_texts.fileName),
                      QStringLiteral("Yes saves the file as it is; No goes back to line %1 to fix it.").arg(first),
                      QString()};
    for (const LineProblem &problem : problems)
        lines.append(QStringLiteral("Line %1: %2").arg(problem.line).arg(problem.reason));
    if (context().prompter().ask({lines.join(QLatin1String("\r\n")), QStringLiteral("Lines The Game Will Drop"),
                                  Prompt::Buttons::YesNoCancel, Prompt::Icon::Question})
        == PromptAnswer::Yes)
        return true;
    showLine(first);
    return false;
}

void FrmQuestionEditor::showLine(qsizetype line)
{
    QPlainTextEdit *box = rtb1();
    box->setTextCursor(QTextCursor(box->document()->findBlockByNumber(int(line - 1))));
    box->ensureCursorVisible();
    box->setFocus();
}

void FrmQuestionEditor::clkClose_Click()
{
    context().guard(QStringLiteral("clkClose_Click"), [this] { close(); });
}

void FrmQuestionEditor::Form_Unload(bool &cancel)
{
    if (boxText() == m_keptText)
        return;
    const QString question = QStringLiteral("Save the changes to ") + m_texts.fileName
                             + QStringLiteral(" before closing?");
    const PromptAnswer answer = context().prompter().ask(
        {question, QStringLiteral("Save Changes?"), Prompt::Buttons::YesNoCancel, Prompt::Icon::Question});
    // A save the host called off, or one that failed, keeps the window and
    // its text for another try.
    if (answer == PromptAnswer::Yes)
        cancel = !saveBox();
    else
        cancel = answer != PromptAnswer::No;
}
