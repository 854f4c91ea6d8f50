#include "play/question_loader.h"
#include "services/windows/question_editors.h"
#include "test_context.h"

#include "RavlenLib/ravlen.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

using Kind = QuestionEditorTexts::Kind;

namespace {

const QByteArray kQuestions("Blank Pole\r\nShoe Blank\r\n");

// Editors over a temporary program directory, owned by a stand-in for the
// main window as in the program.
struct EditorBench {
    TestContext test;
    QWidget owner;
    QuestionEditors editors{test.context(), &owner, QuestionLoader::lineChecker(QuestionMode::Match),
                            QuestionLoader::lineChecker(QuestionMode::Phrase)};

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
    void missingFileOffersTheSample()
    {
        const QuestionEditorTexts &texts = QuestionEditorTexts::of(Kind::Matches);
        EditorBench bench;
        bench.test.prompter().queue(PromptAnswer::Yes);
        FrmQuestionEditor &editor = *bench.editors.show(Kind::Matches);
        QCOMPARE(bench.seen(), QStringList{"Create a New Match File?: File " + bench.shownPath(Kind::Matches)
                                           + " does not exist, Do you want to create one?"});
        QCOMPARE(editor.boxText(), texts.sample);
        QVERIFY(bench.test.readFile(bench.file(Kind::Matches)).isNull()); // only Save creates the file
        click(editor, QStringLiteral("clkSave"));
        QCOMPARE(bench.seen(), QStringList{"File Saved Successfully: " + texts.savedPrefix + bench.shownPath(Kind::Matches)});
        QCOMPARE(bench.test.readFile(bench.file(Kind::Matches)), texts.sample.toUtf8());
        QCOMPARE(QuestionLoader::loadFile(bench.test.path(bench.file(Kind::Matches)), QuestionMode::Match).questions.size(), 5);
    }

    void saveWritesTheBox_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<QString>("dropped"); // the lines the game drops: how many, the first
        // Every byte comes back as the character it was read as, in valid UTF-8
        // with CR LF line ends, and no line end is added.
        QTest::newRow("encodings and line ends")
            << Kind::Matches << QByteArray("  # Zorbel Match Lines \r\n\r\n  Caf\xe9 Blank  \nNo\240break \223Blank\x94\r\tShoe")
            << QStringLiteral(u"  # Zorbel Match Lines \r\n\r\n  Café Blank  \r\nNo\u00a0break “Blank”\r\n\tShoe").toUtf8() << "2 lines,4";
        // Three letters, but fourteen characters of which only five are spaces.
        for (const Kind kind : {Kind::Matches, Kind::Phrases})
            QTest::addRow("empty lines and 3, %s", kind == Kind::Matches ? "matches" : "phrases")
                << kind << QByteArray("\r\n\r\n   abc  \r\n") << QByteArray("\r\n\r\n   abc  \r\n") << "1 line,3";
    }

    // A present file loads without a question and saves back as the box
    // shows it, lines the game drops and all when the host says so.
    void saveWritesTheBox()
    {
        QFETCH(Kind, kind);
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, saved);
        QFETCH(QString, dropped);
        const QuestionEditorTexts &texts = QuestionEditorTexts::of(kind);
        EditorBench bench;
        bench.test.writeFile(bench.file(kind), file);
        FrmQuestionEditor &editor = *bench.editors.show(kind);
        bench.test.prompter().queue(PromptAnswer::Yes);
        bench.test.prompter().queue(PromptAnswer::Yes);
        click(editor, QStringLiteral("clkSave"));
        QCOMPARE(bench.seen(), (QStringList{"Lines The Game Will Drop: The game will drop " + dropped.section(u',', 0, 0) + " of "
                                                + texts.fileName + ". Save anyway?\r\nYes saves the file as it is; No goes back to line "
                                                + dropped.section(u',', 1) + " to fix it.",
                                            "Overwrite File?: File " + bench.shownPath(kind) + " already exists. Overwrite File?",
                                            "File Saved Successfully: " + texts.savedPrefix + bench.shownPath(kind)}));
        QCOMPARE(bench.test.readFile(bench.file(kind)), saved);
    }

    // Every line the game would drop is named before saving: Yes saves the
    // box as it is, any other answer writes nothing and goes back to the
    // first of them.
    void saveNamesDroppedLines_data()
    {
        QTest::addColumn<PromptAnswer>("answer");
        QTest::newRow("save anyway") << PromptAnswer::Yes;
        QTest::newRow("go back") << PromptAnswer::No;
        QTest::newRow("closed") << PromptAnswer::Cancel;
    }

    void saveNamesDroppedLines()
    {
        QFETCH(PromptAnswer, answer);
        EditorBench bench;
        bench.test.writeFile(bench.file(Kind::Matches), kQuestions);
        FrmQuestionEditor &editor = *bench.editors.show(Kind::Matches);
        const QString typed = QStringLiteral("Blank Pole\n\n# Shoe\nPole\nblank pole\nSnow Blank Man");
        box(editor)->setPlainText(typed);
        box(editor)->moveCursor(QTextCursor::End);
        bench.test.prompter().queue(answer);
        bench.test.prompter().queue(PromptAnswer::Yes);
        click(editor, QStringLiteral("clkSave"));

        const QList<Prompt> shown = bench.test.prompter().shown();
        QCOMPARE(shown.first().text, "The game will drop 2 lines of ZorbelLines.txt. Save anyway?\r\n"
                                     "Yes saves the file as it is; No goes back to line 4 to fix it.\r\n\r\n"
                                     "Line 4: no BLANK\r\nLine 5: a repeat of line 1");
        QVERIFY(shown.first().buttons == Prompt::Buttons::YesNoCancel && shown.first().icon == Prompt::Icon::Question);
        const bool saved = answer == PromptAnswer::Yes;
        QCOMPARE(shown.size(), saved ? 3 : 1);
        QCOMPARE(bench.test.readFile(bench.file(Kind::Matches)), saved ? editor.boxText().toUtf8() : kQuestions);
        QCOMPARE(box(editor)->textCursor().blockNumber(), saved ? 5 : 3);
        QCOMPARE(box(editor)->toPlainText(), typed);
    }

    // The real box keeps a long list of lines on the screen: its opening
    // lines show, and the whole text is behind Show Details.
    void longListFitsTheBox()
    {
        QStringList lines;
        for (int n = 1; n <= 30; ++n)
            lines.append(QStringLiteral("Line %1: no BLANK").arg(n));
        const QString text = lines.join(QLatin1String("\r\n"));
        QString shown;
        QString details;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = box->text();
            details = box->detailedText();
            box->reject();
        });
        MessageBoxPrompter().ask({text, QStringLiteral("Lines The Game Will Drop"), Prompt::Buttons::YesNoCancel, Prompt::Icon::Question});
        QCOMPARE(shown, lines.first(20).join(QLatin1String("\r\n")) + QStringLiteral("\r\n..."));
        QCOMPARE(details, lines.join(u'\n')); // the details box keeps plain line feeds
    }

    void boxRules_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<QStringList>("seen"); // %P: the file's path as shown
        const QString reload = "Overwrite Questions In Text Box?: Questions already exist in text box.  Do you want to "
                               "overwrite these questions?";
        QTest::newRow("Load over 10 characters") << "clkLoad"
                                                 << "1234567890" << PromptAnswer::No << QStringList();
        // The box counts its text as the file would hold it.
        QTest::newRow("Load over 9, line break") << "clkLoad"
                                                 << "12345\n6789" << PromptAnswer::Yes << QStringList{reload};
        QTest::newRow("Save blanks and 10") << "clkSave"
                                            << "   Blank Pole   " << PromptAnswer::Yes
                                            << QStringList{"Nothing to Save.: No Questions Exist To Save"};
        // Only spaces are blanks: tabs count, as they do for Load (empty lines: saveWritesTheBox).
        QTest::newRow("Save tabs and 9") << "clkSave"
                                         << "\tBlank6789\t" << PromptAnswer::No
                                         << QStringList{"Overwrite File?: File %P already exists. Overwrite File?"};
        QTest::newRow("Save, overwrite No") << "clkSave"
                                            << "Snow Blank Man" << PromptAnswer::No
                                            << QStringList{"Overwrite File?: File %P already exists. Overwrite File?"};
    }

    void boxRules()
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
        QCOMPARE(bench.seen(), seen.replaceInStrings(QStringLiteral("%P"), bench.shownPath(Kind::Phrases)));
        const bool reloaded = button == QLatin1String("clkLoad") && (seen.isEmpty() || answer == PromptAnswer::Yes);
        QCOMPARE(box(editor)->toPlainText(), reloaded ? QStringLiteral("Blank Pole\nShoe Blank\n") : typed);
        QCOMPARE(bench.test.readFile(bench.file(Kind::Phrases)), kQuestions);
    }

    void badFiles_data()
    {
        QTest::addColumn<QString>("bad");
        QTest::addColumn<QString>("error");
        QTest::newRow("only a byte-order mark") << "bom"
                                                << "62";
        QTest::newRow("larger than the box takes") << "huge"
                                                   << "7";
        QTest::newRow("folder in its place") << "folder"
                                             << "75";
    }

    // Opening reports, then shows the editor; loading again over the host's
    // text reports again and keeps the text.
    void badFiles()
    {
        QFETCH(QString, bad);
        QFETCH(QString, error);
        EditorBench bench;
        const QString path = bench.test.path(bench.file(Kind::Matches));
        if (bad == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
        else
            bench.test.writeFile(bench.file(Kind::Matches), bad == QLatin1String("bom") ? "\xEF\xBB\xBF" : "");
        if (bad == QLatin1String("huge"))
            QVERIFY(QFile::resize(path, FrmQuestionEditor::kLargestFile + 1));
        const QStringList report{"Error: Current SubRoutine is loadZorbelLines\r\nError Number: " + error};
        FrmQuestionEditor &editor = *bench.editors.show(Kind::Matches);
        QCOMPARE(bench.seen(), report);
        box(editor)->setPlainText(QStringLiteral("A whole new Blank question"));
        bench.test.prompter().queue(PromptAnswer::Yes);
        click(editor, QStringLiteral("clkLoad"));
        QCOMPARE(bench.seen().mid(1), report);
        QCOMPARE(box(editor)->toPlainText(), QStringLiteral("A whole new Blank question"));
    }

    void closeAsksToSave_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("closing"); // buttons clicked in turn; "X" is the title bar's close
        QTest::addColumn<QString>("typed"); // empty: the box as loaded
        QTest::addColumn<bool>("folderInPlace"); // the file turned into a folder after loading
        QTest::addColumn<QList<PromptAnswer>>("answers");
        QTest::addColumn<QStringList>("seen"); // %P: the file's path as shown
        QTest::addColumn<bool>("closes");
        const QString ask = "Save Changes?: Save the changes to ZorbelPhrases.txt before closing?";
        const QString overwrite = "Overwrite File?: File %P already exists. Overwrite File?";
        const QList<PromptAnswer> yes{PromptAnswer::Yes, PromptAnswer::Yes};
        QTest::newRow("unchanged") << Kind::Phrases << "clkClose"
                                   << "" << false << QList<PromptAnswer>() << QStringList() << true;
        QTest::newRow("No discards") << Kind::Phrases << "clkClose"
                                     << "Snow Blank Man" << false << QList<PromptAnswer>{PromptAnswer::No} << QStringList{ask} << true;
        QTest::newRow("Yes saves") << Kind::Phrases << "clkClose"
                                   << "Snow Blank Man" << false << yes
                                   << QStringList{ask, overwrite, "File Saved Successfully: Phrases saved in file %P"} << true;
        QTest::newRow("saved, then Close") << Kind::Phrases << "clkSave,clkClose"
                                           << "Snow Blank Man" << false << QList<PromptAnswer>{PromptAnswer::Yes}
                                           << QStringList{overwrite, "File Saved Successfully: Phrases saved in file %P"} << true;
        QTest::newRow("X, Yes saves") << Kind::Phrases << "X"
                                      << "Snow Blank Man" << false << yes
                                      << QStringList{ask, overwrite, "File Saved Successfully: Phrases saved in file %P"} << true;
        QTest::newRow("Yes, overwrite No") << Kind::Phrases << "X"
                                           << "Snow Blank Man" << false << QList<PromptAnswer>{PromptAnswer::Yes, PromptAnswer::No}
                                           << QStringList{ask, overwrite} << false;
        QTest::newRow("Yes, nothing to save") << Kind::Phrases << "clkClose"
                                              << "abc" << false << yes << QStringList{ask, "Nothing to Save.: No Questions Exist To Save"}
                                              << false;
        QTest::newRow("Yes, write fails") << Kind::Phrases << "clkClose"
                                          << "Snow Blank Man" << true << yes
                                          << QStringList{ask, overwrite, "Error: Current SubRoutine is clkSave_Click\r\nError Number: 75"}
                                          << false;
        // The box may hold the host's only copy of new questions, and the file
        // the only copy of the old ones: Cancel keeps both as they are.
        for (const Kind kind : {Kind::Matches, Kind::Phrases}) {
            const QuestionEditorTexts &texts = QuestionEditorTexts::of(kind);
            const QString typed = QStringLiteral("Snow Blank Man\nBlank Pole, new");
            const QStringList closeQuestion{"Save Changes?: Save the changes to " + texts.fileName + " before closing?"};
            const QList<std::pair<const char *, QStringList>> actions{
                {"clkSave", {overwrite}},
                {"clkLoad", {"Overwrite Questions In Text Box?: " + texts.overwriteBoxQuestion}},
                {"clkClose", closeQuestion},
                {"X", closeQuestion}};
            for (const auto &[action, question] : actions)
                QTest::addRow("%s, %s, Cancel", qPrintable(texts.fileName), action)
                    << kind << action << typed << false << QList<PromptAnswer>{PromptAnswer::Cancel} << question << false;
        }
    }

    // A changed box is saved on the host's word before the window goes; a save
    // that does not happen keeps the window open with the text.
    void closeAsksToSave()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, closing);
        QFETCH(QString, typed);
        QFETCH(bool, folderInPlace);
        QFETCH(QList<PromptAnswer>, answers);
        QFETCH(QStringList, seen);
        QFETCH(bool, closes);
        EditorBench bench;
        const QString path = bench.test.path(bench.file(kind));
        bench.test.writeFile(bench.file(kind), kQuestions);
        QPointer<FrmQuestionEditor> editor = bench.editors.show(kind);
        if (!typed.isEmpty())
            box(*editor)->setPlainText(typed);
        if (folderInPlace)
            QVERIFY(QFile::remove(path) && QDir().mkpath(path + QStringLiteral("/inside")));
        for (const PromptAnswer answer : answers)
            bench.test.prompter().queue(answer);
        for (const QString &step : closing.split(u',')) {
            if (step == QLatin1String("X"))
                editor->close();
            else
                click(*editor, step);
        }

        const QList<Prompt> shown = bench.test.prompter().shown();
        QCOMPARE(bench.seen(), seen.replaceInStrings(QStringLiteral("%P"), bench.shownPath(kind)));
        for (const Prompt &prompt : shown)
            if (prompt.title == QLatin1String("Save Changes?"))
                QVERIFY(prompt.buttons == Prompt::Buttons::YesNoCancel && prompt.icon == Prompt::Icon::Question);
        QCOMPARE(!editor || !editor->isVisible(), closes);
        QCOMPARE(
            bench.test.logEntries().contains(QStringLiteral("Unloading Form frmEdit") + (kind == Kind::Matches ? "Matches" : "Phrases")),
            closes);
        const bool saved = closes && !typed.isEmpty() && answers.value(0) == PromptAnswer::Yes;
        if (!folderInPlace)
            QCOMPARE(bench.test.readFile(bench.file(kind)), saved ? typed.toUtf8() : kQuestions);
        if (!closes)
            QCOMPARE(box(*editor)->toPlainText(), typed);
    }
};

QTEST_MAIN(TestFrmQuestionEditor)
#include "tst_frm_question_editor.moc"
