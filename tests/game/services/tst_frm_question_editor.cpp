#include "play/question_loader.h"
#include "services/frm_edit.h"
#include "services/question_editors.h"
#include "services/text_file.h"
#include "test_context.h"

#include "ravlen.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QTest>

using Kind = QuestionEditorTexts::Kind;

namespace {

const QByteArray kQuestions("Blank Pole\r\nShoe Blank\r\n");

// Editors over a temporary program directory, owned by a stand-in for the
// main window as in the program.
class EditorBench
{
public:
    TestContext test;
    QWidget owner;
    QuestionEditors editors{test.context(), &owner};

    FrmQuestionEditor &open(Kind kind) { return *editors.show(kind); }
    QString path(Kind kind) const { return test.path(QuestionEditorTexts::of(kind).fileName); }
    QByteArray file(Kind kind) const { return test.readFile(QuestionEditorTexts::of(kind).fileName); }
    void writeFile(Kind kind, const QByteArray &bytes) const
    {
        test.writeFile(QuestionEditorTexts::of(kind).fileName, bytes);
    }
    const QList<Prompt> &prompts() { return test.prompter().shown(); }
    QStringList reports()
    {
        QStringList reports;
        for (const Prompt &prompt : prompts())
            if (prompt.title == QLatin1String("Error"))
                reports.append(prompt.text.section(QLatin1String("\r\n"), 0, 1));
        return reports;
    }
    QStringList files() const
    {
        return QDir(test.dir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

QPlainTextEdit *box(Form &editor)
{
    return editor.controls().get<QPlainTextEdit>(QStringLiteral("rtb1"));
}

void click(Form &window, const QString &name)
{
    Ravlen *target = window.controls().get<Ravlen>(name);
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(target->width() / 2, target->height() / 2));
}

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)utf8.decode(bytes);
    return !utf8.hasError();
}

} // namespace

class TestFrmQuestionEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void missingFileOffersTheSample_data();
    void missingFileOffersTheSample();
    void saveWritesTheBoxExactly_data();
    void saveWritesTheBoxExactly();
    void binaryFileKeepsEveryCharacter();
    void loadAsksBeforeReplacing_data();
    void loadAsksBeforeReplacing();
    void nothingToSave_data();
    void nothingToSave();
    void overwriteIsAskedEveryTime();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
    void unreadableFileKeepsTheBox_data();
    void unreadableFileKeepsTheBox();
    void eachEditorExistsOnce();
};

void TestFrmQuestionEditor::missingFileOffersTheSample_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<PromptAnswer>("answer");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("questions"); // in the saved sample
    QTest::newRow("matches, Yes") << Kind::Matches << PromptAnswer::Yes << "Create a New Match File?" << 5;
    QTest::newRow("matches, No") << Kind::Matches << PromptAnswer::No << "Create a New Match File?" << 0;
    QTest::newRow("phrases, Yes") << Kind::Phrases << PromptAnswer::Yes << "Create a New Phrase File?" << 2;
    QTest::newRow("phrases, Cancel") << Kind::Phrases << PromptAnswer::Cancel << "Create a New Phrase File?" << 0;
}

void TestFrmQuestionEditor::missingFileOffersTheSample()
{
    QFETCH(Kind, kind);
    QFETCH(PromptAnswer, answer);
    QFETCH(int, questions);
    const QuestionEditorTexts &texts = QuestionEditorTexts::of(kind);
    EditorBench bench;
    bench.test.prompter().queue(answer);
    FrmQuestionEditor &editor = bench.open(kind);

    QCOMPARE(bench.prompts().size(), 1);
    const Prompt &asked = bench.prompts().first();
    QCOMPARE(asked.text, QStringLiteral("File %1 does not exist, Do you want to create one?")
                             .arg(QDir::toNativeSeparators(bench.path(kind))));
    QTEST(asked.title, "title");
    QCOMPARE(asked.buttons, Prompt::Buttons::YesNoCancel);
    QVERIFY(editor.isVisible());
    QVERIFY(!editor.isModal());
    QCOMPARE(editor.controls().get<QLabel>(QStringLiteral("lbl1"))->text(), texts.note());
    QVERIFY(!QFile::exists(bench.path(kind))); // only Save creates it

    const bool yes = answer == PromptAnswer::Yes;
    QCOMPARE(editor.boxText(), yes ? texts.sample : QString());
    if (!yes)
        return;
    click(editor, QStringLiteral("clkSave"));
    QCOMPARE(bench.prompts().size(), 2); // nothing to overwrite yet
    const Prompt &saved = bench.prompts().last();
    QCOMPARE(saved.text, texts.savedPrefix + QDir::toNativeSeparators(bench.path(kind)));
    QCOMPARE(saved.title, QStringLiteral("File Saved Successfully"));
    QCOMPARE(saved.icon, Prompt::Icon::Information);
    QCOMPARE(bench.file(kind), texts.sample.toUtf8());
    const QuestionMode mode = kind == Kind::Matches ? QuestionMode::Match : QuestionMode::Phrase;
    QCOMPARE(QuestionLoader::loadFile(bench.path(kind), mode).questions.size(), questions);
}

void TestFrmQuestionEditor::saveWritesTheBoxExactly_data()
{
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<QByteArray>("saved");
    const QByteArray blanks("  # Zorbel Match Lines \r\n\r\n  Blank Pole  \r\n\r\n\r\n\tShoe Blank   \r\n\r\n");
    QTest::newRow("blanks and empty lines kept") << blanks << blanks;
    QTest::newRow("no final line end") << QByteArray("Blank Pole\r\nShoe Blank") << QByteArray("Blank Pole\r\nShoe Blank");
    QTest::newRow("LF and lone CR become CR LF") << QByteArray("Blank Pole\nShoe Blank\rSnow Blank\r\n")
                                                 << QByteArray("Blank Pole\r\nShoe Blank\r\nSnow Blank\r\n");
    QTest::newRow("Windows-1252 saved as UTF-8") << QByteArray("Caf\xe9 Blank\r\nNo\xa0" "break \x93" "Blank\x94\r\n")
                                                 << QStringLiteral(u"Café Blank\r\nNo\u00a0break “Blank”\r\n").toUtf8();
    QTest::newRow("UTF-8 kept") << QStringLiteral(u"Crème Blank\r\n").toUtf8() << QStringLiteral(u"Crème Blank\r\n").toUtf8();
}

void TestFrmQuestionEditor::saveWritesTheBoxExactly()
{
    QFETCH(QByteArray, original);
    EditorBench bench;
    bench.writeFile(Kind::Matches, original);
    FrmQuestionEditor &editor = bench.open(Kind::Matches);
    QVERIFY(bench.prompts().isEmpty()); // a present file loads without a question

    bench.test.prompter().queue(PromptAnswer::Yes);
    click(editor, QStringLiteral("clkSave"));
    QCOMPARE(bench.prompts().size(), 2);
    QCOMPARE(bench.prompts().first().text, QStringLiteral("File %1 already exists. Overwrite File?")
                                               .arg(QDir::toNativeSeparators(bench.path(Kind::Matches))));
    QCOMPARE(bench.prompts().first().title, QStringLiteral("Overwrite File?"));
    QCOMPARE(bench.prompts().last().title, QStringLiteral("File Saved Successfully"));
    QTEST(bench.file(Kind::Matches), "saved");
    QCOMPARE(QuestionLoader::loadFile(bench.path(Kind::Matches), QuestionMode::Match).questions,
             QuestionLoader::loadText(TextFile::decode(original), QuestionMode::Match).questions);
}

void TestFrmQuestionEditor::binaryFileKeepsEveryCharacter()
{
    QByteArray original("Blank Pole\r\n");
    for (int i = 0; i < 512; ++i)
        original.append(char(i & 0xFF));
    EditorBench bench;
    bench.writeFile(Kind::Phrases, original);
    FrmQuestionEditor &editor = bench.open(Kind::Phrases);
    bench.test.prompter().queue(PromptAnswer::Yes);
    click(editor, QStringLiteral("clkSave"));

    const QByteArray saved = bench.file(Kind::Phrases);
    QVERIFY(isValidUtf8(saved));
    QCOMPARE(TextFile::splitLines(TextFile::decode(saved)), TextFile::splitLines(TextFile::decode(original)));
    QCOMPARE(QuestionLoader::loadFile(bench.path(Kind::Phrases), QuestionMode::Phrase).questions,
             QuestionLoader::loadText(TextFile::decode(original), QuestionMode::Phrase).questions);
}

void TestFrmQuestionEditor::loadAsksBeforeReplacing_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<PromptAnswer>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("exactly 10 characters") << Kind::Matches << "1234567890" << PromptAnswer::No << false << true;
    QTest::newRow("11 characters, Yes") << Kind::Matches << "12345678901" << PromptAnswer::Yes << true << true;
    QTest::newRow("11 characters, No") << Kind::Matches << "12345678901" << PromptAnswer::No << true << false;
    QTest::newRow("11 characters, Cancel") << Kind::Phrases << "12345678901" << PromptAnswer::Cancel << true << false;
    // The box's text is counted as the file would hold it.
    QTest::newRow("a line break is CR LF") << Kind::Phrases << "12345\n6789" << PromptAnswer::No << true << false;
}

void TestFrmQuestionEditor::loadAsksBeforeReplacing()
{
    QFETCH(Kind, kind);
    QFETCH(QString, typed);
    QFETCH(PromptAnswer, answer);
    QFETCH(bool, asked);
    QFETCH(bool, replaced);
    EditorBench bench;
    bench.writeFile(kind, kQuestions);
    FrmQuestionEditor &editor = bench.open(kind);
    box(editor)->setPlainText(typed);
    bench.test.prompter().queue(answer);
    click(editor, QStringLiteral("clkLoad"));

    QCOMPARE(bench.prompts().size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(bench.prompts().first().text, QuestionEditorTexts::of(kind).overwriteBoxQuestion);
        QCOMPARE(bench.prompts().first().title, QStringLiteral("Overwrite Questions In Text Box?"));
        QCOMPARE(bench.prompts().first().buttons, Prompt::Buttons::YesNoCancel);
    }
    QCOMPARE(box(editor)->toPlainText(), replaced ? QStringLiteral("Blank Pole\nShoe Blank\n") : typed);
}

void TestFrmQuestionEditor::nothingToSave_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: saved
    QTest::newRow("blanks around 10 characters") << Kind::Matches << "    Blank Pole   " << "No Matches Exist To Save";
    QTest::newRow("empty box") << Kind::Matches << "" << "No Matches Exist To Save";
    QTest::newRow("empty lines around 10 characters") << Kind::Phrases << " \n\n Blank Pole\n\n"
                                                      << "No Questions Exist To Save";
    QTest::newRow("11 characters") << Kind::Phrases << "Blank Poles" << "";
}

void TestFrmQuestionEditor::nothingToSave()
{
    QFETCH(Kind, kind);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    EditorBench bench;
    bench.test.prompter().queue(PromptAnswer::No);
    FrmQuestionEditor &editor = bench.open(kind);
    box(editor)->setPlainText(typed);
    click(editor, QStringLiteral("clkSave"));

    const Prompt &shown = bench.prompts().last();
    QCOMPARE(shown.icon, Prompt::Icon::Information);
    QCOMPARE(shown.buttons, Prompt::Buttons::Ok);
    if (message.isEmpty()) {
        QCOMPARE(shown.title, QStringLiteral("File Saved Successfully"));
        QCOMPARE(bench.file(kind), typed.toUtf8());
    } else {
        QCOMPARE(shown.text, message);
        QCOMPARE(shown.title, QStringLiteral("Nothing to Save."));
        QVERIFY(!QFile::exists(bench.path(kind)));
    }
}

void TestFrmQuestionEditor::overwriteIsAskedEveryTime()
{
    EditorBench bench;
    bench.writeFile(Kind::Matches, kQuestions);
    FrmQuestionEditor &editor = bench.open(Kind::Matches);
    box(editor)->setPlainText(QStringLiteral("Blank Pole\nSnow Blank Man\n"));

    for (PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Cancel}) {
        bench.test.prompter().queue(answer);
        click(editor, QStringLiteral("clkSave"));
        QCOMPARE(bench.prompts().last().title, QStringLiteral("Overwrite File?"));
        QCOMPARE(bench.file(Kind::Matches), kQuestions);
    }
    for (int save = 0; save < 2; ++save) {
        bench.test.prompter().queue(PromptAnswer::Yes);
        click(editor, QStringLiteral("clkSave"));
        QCOMPARE(bench.prompts().at(bench.prompts().size() - 2).title, QStringLiteral("Overwrite File?"));
        QCOMPARE(bench.prompts().last().title, QStringLiteral("File Saved Successfully"));
    }
    QCOMPARE(bench.prompts().size(), 6);
    QCOMPARE(bench.file(Kind::Matches), QByteArray("Blank Pole\r\nSnow Blank Man\r\n"));
}

void TestFrmQuestionEditor::failedWriteKeepsTheOldFile_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("error");
    QTest::newRow("read-only file") << false << "Error Number: 70";
    QTest::newRow("folder in its place") << true << "Error Number: 75";
}

void TestFrmQuestionEditor::failedWriteKeepsTheOldFile()
{
    QFETCH(bool, folder);
    QFETCH(QString, error);
    EditorBench bench;
    const QString path = bench.path(Kind::Phrases);
    if (folder) {
        QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
    } else {
        bench.writeFile(Kind::Phrases, kQuestions);
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
    }
    FrmQuestionEditor &editor = bench.open(Kind::Phrases);
    bench.test.prompter().clear();
    const QStringList before = bench.files();

    box(editor)->setPlainText(QStringLiteral("A whole new Blank question"));
    bench.test.prompter().queue(PromptAnswer::Yes);
    click(editor, QStringLiteral("clkSave"));
    QCOMPARE(bench.reports(), QStringList{"Current SubRoutine is clkSave_Click\r\n" + error});
    QCOMPARE(bench.prompts().last().title, QStringLiteral("Error")); // no saved message after it
    QCOMPARE(bench.files(), before); // no temporary file left behind
    if (folder)
        QVERIFY(QFile::exists(path + QStringLiteral("/inside")));
    else
        QCOMPARE(bench.file(Kind::Phrases), kQuestions);
    QCOMPARE(box(editor)->toPlainText(), QStringLiteral("A whole new Blank question"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestFrmQuestionEditor::unreadableFileKeepsTheBox_data()
{
    QTest::addColumn<QString>("bad");
    QTest::addColumn<QString>("error");
    QTest::newRow("empty file") << "empty" << "Error Number: 62";
    QTest::newRow("only a byte-order mark") << "bom" << "Error Number: 62";
    QTest::newRow("folder") << "folder" << "Error Number: 75";
    QTest::newRow("larger than the box takes") << "huge" << "Error Number: 7";
}

void TestFrmQuestionEditor::unreadableFileKeepsTheBox()
{
    QFETCH(QString, bad);
    QFETCH(QString, error);
    EditorBench bench;
    const QString path = bench.path(Kind::Matches);
    if (bad == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (bad == QLatin1String("bom"))
            file.write("\xEF\xBB\xBF");
        else if (bad == QLatin1String("huge"))
            QVERIFY(file.resize(FrmQuestionEditor::kLargestFile + 1));
    }
    const QString report = QStringLiteral("Current SubRoutine is loadZorbelLines\r\n") + error;

    // Opening on it: the report, then the editor with an empty box.
    FrmQuestionEditor &editor = bench.open(Kind::Matches);
    QCOMPARE(bench.reports(), QStringList{report});
    QVERIFY(editor.isVisible());
    QVERIFY(box(editor)->toPlainText().isEmpty());

    // Loading over the host's text: the report, and the text stays.
    box(editor)->setPlainText(QStringLiteral("Keep this text"));
    bench.test.prompter().queue(PromptAnswer::Yes);
    click(editor, QStringLiteral("clkLoad"));
    QCOMPARE(bench.reports(), QStringList({report, report}));
    QCOMPARE(box(editor)->toPlainText(), QStringLiteral("Keep this text"));
}

void TestFrmQuestionEditor::eachEditorExistsOnce()
{
    EditorBench bench;
    bench.writeFile(Kind::Phrases, kQuestions);
    auto *chooser = new FrmEdit(bench.test.context(), bench.editors, &bench.owner);
    chooser->load();
    chooser->show();

    click(*chooser, QStringLiteral("clkEditPhrases"));
    FrmQuestionEditor *phrases = bench.editors.window(Kind::Phrases);
    QVERIFY(phrases && phrases->isVisible());
    box(*phrases)->setPlainText(QStringLiteral("Unsaved Blank text"));
    click(*chooser, QStringLiteral("clkEditPhrases"));
    QCOMPARE(bench.editors.window(Kind::Phrases), phrases);
    QCOMPARE(box(*phrases)->toPlainText(), QStringLiteral("Unsaved Blank text")); // not loaded again

    bench.test.prompter().queue(PromptAnswer::No);
    click(*chooser, QStringLiteral("clkEditMatches"));
    QVERIFY(bench.editors.window(Kind::Matches)->isVisible());
    QVERIFY(phrases->isVisible());

    // Close discards the unsaved text without a question.
    const qsizetype promptsBefore = bench.prompts().size();
    click(*phrases, QStringLiteral("clkClose"));
    QCOMPARE(bench.prompts().size(), promptsBefore);
    QVERIFY(!phrases->isVisible());
    QCOMPARE(bench.file(Kind::Phrases), kQuestions);
    click(*chooser, QStringLiteral("clkEditPhrases"));
    QCOMPARE(box(*bench.editors.window(Kind::Phrases))->toPlainText(), QStringLiteral("Blank Pole\nShoe Blank\n"));

    QCOMPARE(bench.test.logEntries(),
             QStringList({"Loading Form frmEdit", "Loading Form frmEditPhrases", "Loading Form frmEditMatches",
                          "Unloading Form frmEditPhrases", "Loading Form frmEditPhrases"}));
}

QTEST_MAIN(TestFrmQuestionEditor)
#include "tst_frm_question_editor.moc"
