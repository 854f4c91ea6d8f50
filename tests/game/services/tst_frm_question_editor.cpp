#include "play/question_loader.h"
#include "services/frm_edit.h"
#include "services/question_editors.h"
#include "services/text_file.h"
#include "test_context.h"

#include "ravlen.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

using Kind = QuestionEditorTexts::Kind;

namespace {

const QByteArray kQuestions("Blank Pole\r\nShoe Blank\r\n");

// Editors over a temporary program directory, owned by a stand-in for the
// main window as in the program.
struct EditorBench {
    TestContext test;
    QWidget owner;
    QuestionEditors editors{test.context(), &owner};

    QString file(Kind kind) const { return QuestionEditorTexts::of(kind).fileName; }
    QString shownPath(Kind kind) const { return QDir::toNativeSeparators(test.path(file(kind))); }
    // What the host saw since the last call: "title: text" with the text's first two lines.
    QStringList seen()
    {
        QStringList seen;
        for (const Prompt &prompt : test.prompter().shown())
            seen << prompt.title + QStringLiteral(": ") + prompt.text.section(QLatin1String("\r\n"), 0, 1);
        test.prompter().clear();
        return seen;
    }
    QStringList files() const { return QDir(test.dir()).entryList(QDir::AllEntries | QDir::Hidden); }
};

QPlainTextEdit *box(Form &editor)
{
    return editor.controls().get<QPlainTextEdit>(QStringLiteral("rtb1"));
}

void click(Form &window, const QString &name)
{
    Ravlen *target = window.controls().get<Ravlen>(name);
    QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
}

} // namespace

class TestFrmQuestionEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void missingFileOffersTheSample_data();
    void missingFileOffersTheSample();
    void saveWritesTheBox_data();
    void saveWritesTheBox();
    void boxRules_data();
    void boxRules();
    void badFiles_data();
    void badFiles();
    void eachEditorExistsOnce();
};

void TestFrmQuestionEditor::missingFileOffersTheSample_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<PromptAnswer>("answer");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("questions"); // in the saved sample
    QTest::newRow("matches, Yes") << Kind::Matches << PromptAnswer::Yes << "Create a New Match File?" << 5;
    QTest::newRow("phrases, Yes") << Kind::Phrases << PromptAnswer::Yes << "Create a New Phrase File?" << 2;
    QTest::newRow("phrases, No") << Kind::Phrases << PromptAnswer::No << "Create a New Phrase File?" << 0;
}

void TestFrmQuestionEditor::missingFileOffersTheSample()
{
    QFETCH(Kind, kind);
    QFETCH(PromptAnswer, answer);
    QFETCH(QString, title);
    const QuestionEditorTexts &texts = QuestionEditorTexts::of(kind);
    EditorBench bench;
    bench.test.prompter().queue(answer);
    FrmQuestionEditor &editor = *bench.editors.show(kind);
    QCOMPARE(bench.seen(), QStringList{title + ": File " + bench.shownPath(kind) + " does not exist, Do you want to create one?"});
    QCOMPARE(editor.controls().get<QLabel>(QStringLiteral("lbl1"))->text(), texts.note());
    QVERIFY(editor.isVisible() && !editor.isModal());
    QCOMPARE(editor.boxText(), answer == PromptAnswer::Yes ? texts.sample : QString());
    QVERIFY(bench.test.readFile(bench.file(kind)).isNull()); // only Save creates the file
    if (answer != PromptAnswer::Yes)
        return;
    click(editor, QStringLiteral("clkSave"));
    QCOMPARE(bench.seen(), QStringList{"File Saved Successfully: " + texts.savedPrefix + bench.shownPath(kind)});
    QCOMPARE(bench.test.readFile(bench.file(kind)), texts.sample.toUtf8());
    const QuestionMode mode = kind == Kind::Matches ? QuestionMode::Match : QuestionMode::Phrase;
    QTEST(int(QuestionLoader::loadFile(bench.test.path(bench.file(kind)), mode).questions.size()), "questions");
}

void TestFrmQuestionEditor::saveWritesTheBox_data()
{
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<PromptAnswer>("overwrite");
    QTest::addColumn<QByteArray>("saved");
    const QByteArray blanks("  # Zorbel Match Lines \r\n\r\n  Blank Pole  \r\n\r\n\r\n\tShoe Blank   \r\n\r\n");
    QTest::newRow("blanks and empty lines") << blanks << PromptAnswer::Yes << blanks;
    QTest::newRow("overwrite No") << blanks << PromptAnswer::No << blanks;
    // Every byte comes back as the character it was read as, in valid UTF-8
    // with CR LF line ends, and no line end is added.
    QTest::newRow("windows-1252, LF and lone CR") << QByteArray("Caf\xe9 Blank\nNo\xa0" "break \x93" "Blank\x94\rShoe") << PromptAnswer::Yes
                                                  << QStringLiteral(u"Café Blank\r\nNo\u00a0break “Blank”\r\nShoe").toUtf8();
}

void TestFrmQuestionEditor::saveWritesTheBox()
{
    QFETCH(QByteArray, original);
    QFETCH(PromptAnswer, overwrite);
    EditorBench bench;
    bench.test.writeFile(bench.file(Kind::Matches), original);
    FrmQuestionEditor &editor = *bench.editors.show(Kind::Matches);
    QCOMPARE(bench.seen(), QStringList()); // a present file loads without a question
    bench.test.prompter().queue(overwrite);
    click(editor, QStringLiteral("clkSave"));
    QStringList expected{"Overwrite File?: File " + bench.shownPath(Kind::Matches) + " already exists. Overwrite File?"};
    if (overwrite == PromptAnswer::Yes)
        expected << "File Saved Successfully: Matches saved in file " + bench.shownPath(Kind::Matches);
    QCOMPARE(bench.seen(), expected);
    const QByteArray saved = bench.test.readFile(bench.file(Kind::Matches));
    QTEST(saved, "saved");
    const auto questions = [](const QByteArray &bytes) {
        return QuestionLoader::loadText(TextFile::decode(bytes), QuestionMode::Match).questions;
    };
    QCOMPARE(questions(saved), questions(original));
}

void TestFrmQuestionEditor::boxRules_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<PromptAnswer>("answer");
    QTest::addColumn<QStringList>("seen");
    const QString reload = "Overwrite Questions In Text Box?: Questions already exist in text box.  Do you want to "
                           "overwrite these questions?";
    QTest::newRow("Load over 10 characters") << "clkLoad" << "1234567890" << PromptAnswer::No << QStringList();
    QTest::newRow("Load over 11, No") << "clkLoad" << "12345678901" << PromptAnswer::No << QStringList{reload};
    // The box counts its text as the file would hold it.
    QTest::newRow("Load over 9, line break") << "clkLoad" << "12345\n6789" << PromptAnswer::Yes << QStringList{reload};
    QTest::newRow("Save blanks, empty lines and 10") << "clkSave" << " \n\n Blank Pole   \n\n" << PromptAnswer::Yes
                                                     << QStringList{"Nothing to Save.: No Questions Exist To Save"};
}

void TestFrmQuestionEditor::boxRules()
{
    QFETCH(QString, button);
    QFETCH(QString, typed);
    QFETCH(PromptAnswer, answer);
    QFETCH(QStringList, seen);
    EditorBench bench;
    bench.test.writeFile(bench.file(Kind::Phrases), kQuestions);
    FrmQuestionEditor &editor = *bench.editors.show(Kind::Phrases);
    box(editor)->setPlainText(typed);
    bench.test.prompter().queue(answer);
    click(editor, button);
    QCOMPARE(bench.seen(), seen);
    const bool reloaded = button == QLatin1String("clkLoad") && (seen.isEmpty() || answer == PromptAnswer::Yes);
    QCOMPARE(box(editor)->toPlainText(), reloaded ? QStringLiteral("Blank Pole\nShoe Blank\n") : typed);
    QCOMPARE(bench.test.readFile(bench.file(Kind::Phrases)), kQuestions);
}

void TestFrmQuestionEditor::badFiles_data()
{
    QTest::addColumn<QString>("bad");
    QTest::addColumn<QString>("loadError"); // empty: loads
    QTest::addColumn<QString>("saveError"); // empty: saves
    QTest::newRow("only a byte-order mark") << "bom" << "62" << QString();
    QTest::newRow("larger than the box takes") << "huge" << "7" << QString();
    QTest::newRow("folder in its place") << "folder" << "75" << "75";
    QTest::newRow("read-only file") << "read-only" << QString() << "70";
}

void TestFrmQuestionEditor::badFiles()
{
    QFETCH(QString, bad);
    QFETCH(QString, loadError);
    QFETCH(QString, saveError);
    EditorBench bench;
    const QString path = bench.test.path(bench.file(Kind::Matches));
    const QByteArray content = bad == QLatin1String("bom") ? "\xEF\xBB\xBF" : bad == QLatin1String("read-only") ? kQuestions : "";
    if (bad == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
    else
        bench.test.writeFile(bench.file(Kind::Matches), content);
    if (bad == QLatin1String("huge"))
        QVERIFY(QFile::resize(path, FrmQuestionEditor::kLargestFile + 1));
    if (bad == QLatin1String("read-only"))
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
    const QStringList loadReport{"Error: Current SubRoutine is loadZorbelLines\r\nError Number: " + loadError};

    // Opening: the report, then the editor; loading again over the host's
    // text reports again and keeps the text.
    FrmQuestionEditor &editor = *bench.editors.show(Kind::Matches);
    QCOMPARE(bench.seen(), loadError.isEmpty() ? QStringList() : loadReport);
    const QString typed = QStringLiteral("A whole new Blank question");
    box(editor)->setPlainText(typed);
    bench.test.prompter().queue(PromptAnswer::Yes);
    click(editor, QStringLiteral("clkLoad"));
    QCOMPARE(bench.seen().mid(1), loadError.isEmpty() ? QStringList() : loadReport);
    QCOMPARE(box(editor)->toPlainText(), loadError.isEmpty() ? QString::fromUtf8(kQuestions).replace("\r\n", "\n") : typed);
    box(editor)->setPlainText(typed);
    const QStringList files = bench.files();
    bench.test.prompter().queue(PromptAnswer::Yes);
    click(editor, QStringLiteral("clkSave"));
    QCOMPARE(bench.seen().last(), saveError.isEmpty() ? "File Saved Successfully: Matches saved in file " + QDir::toNativeSeparators(path)
                                                      : "Error: Current SubRoutine is clkSave_Click\r\nError Number: " + saveError);
    QCOMPARE(bench.test.readFile(bench.file(Kind::Matches)), saveError.isEmpty() ? typed.toUtf8() : content);
    QCOMPARE(bench.files(), files); // no temporary file left behind
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestFrmQuestionEditor::eachEditorExistsOnce()
{
    EditorBench bench;
    bench.test.writeFile(bench.file(Kind::Phrases), kQuestions);
    auto *chooser = new FrmEdit(bench.test.context(), bench.editors, &bench.owner);
    chooser->load();
    chooser->show();
    click(*chooser, QStringLiteral("clkEditPhrases"));
    FrmQuestionEditor *phrases = bench.editors.window(Kind::Phrases);
    box(*phrases)->setPlainText(QStringLiteral("Unsaved Blank text"));
    click(*chooser, QStringLiteral("clkEditPhrases"));
    QCOMPARE(bench.editors.window(Kind::Phrases), phrases);
    QCOMPARE(box(*phrases)->toPlainText(), QStringLiteral("Unsaved Blank text")); // not loaded again
    bench.test.prompter().queue(PromptAnswer::No);
    click(*chooser, QStringLiteral("clkEditMatches"));
    QVERIFY(bench.editors.window(Kind::Matches)->isVisible() && phrases->isVisible());
    bench.seen();

    // Close discards the unsaved text without a question.
    click(*phrases, QStringLiteral("clkClose"));
    QCOMPARE(bench.seen(), QStringList());
    QVERIFY(!phrases->isVisible());
    click(*chooser, QStringLiteral("clkEditPhrases"));
    QCOMPARE(box(*bench.editors.window(Kind::Phrases))->toPlainText(), QStringLiteral("Blank Pole\nShoe Blank\n"));
    QCOMPARE(bench.test.logEntries(), QStringList({"Loading Form frmEdit", "Loading Form frmEditPhrases", "Loading Form frmEditMatches",
                                                   "Unloading Form frmEditPhrases", "Loading Form frmEditPhrases"}));
}

QTEST_MAIN(TestFrmQuestionEditor)
#include "tst_frm_question_editor.moc"
