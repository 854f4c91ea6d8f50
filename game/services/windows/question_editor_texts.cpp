#include "services/windows/question_editor_texts.h"

namespace {

// The misspelt "seperate" and "seperated" are the note's words as hosts have
// always read them.
const QString kNoteRest = QStringLiteral(
    "normal keyboard return.  The word 'Blank' will be automatically blanked out when "
    "used in the Zorbel program.  Blank lines or lines that start with a '#' will not be "
    "used during program runtime.");

QuestionEditorTexts makeMatches()
{
    QuestionEditorTexts texts;
    texts.kind = QuestionEditorTexts::Kind::Matches;
    texts.window = QStringLiteral("frmEditMatches");
    texts.fileName = QStringLiteral("ZorbelLines.txt");
    texts.loadRoutine = QStringLiteral("loadZorbelLines");
    texts.overwriteBoxQuestion = QStringLiteral(
        "Matches already exist in text box.  Do you want to overwrite these matches?");
    texts.newFileTitle = QStringLiteral("Create a New Match File?");
    texts.nothingToSave = QStringLiteral("No Matches Exist To Save");
    texts.savedPrefix = QStringLiteral("Matches saved in file ");
    texts.notePrefix = QStringLiteral(
        "Note: Each seperate sentence will create a match.  Matches will be seperated by a ");
    texts.sample = QStringLiteral("# Zorbel Match Lines \r\n\r\n"
                                  "Blank Winter\r\n"
                                  "Blank Martinee\r\n"
                                  "Blank Pole\r\n"
                                  "Christmas Blank\r\n"
                                  "Shoe Blank\r\n");
    return texts;
}

QuestionEditorTexts makePhrases()
{
    QuestionEditorTexts texts;
    texts.kind = QuestionEditorTexts::Kind::Phrases;
    texts.window = QStringLiteral("frmEditPhrases");
    texts.fileName = QStringLiteral("ZorbelPhrases.txt");
    texts.loadRoutine = QStringLiteral("loadMatchPhrases");
    texts.overwriteBoxQuestion = QStringLiteral(
        "Questions already exist in text box.  Do you want to overwrite these questions?");
    texts.newFileTitle = QStringLiteral("Create a New Phrase File?");
    texts.nothingToSave = QStringLiteral("No Questions Exist To Save");
    texts.savedPrefix = QStringLiteral("Phrases saved in file ");
    texts.notePrefix = QStringLiteral(
        "Note: Each seperate sentence will create a question.  Questions will be seperated by a ");
    texts.sample = QStringLiteral("# Zorbel Phrase Questions \r\n\r\n"
                                  "Paul said, 'I just saw the world's strangest wedding. Instead of a regular suit, "
                                  "the groom was wearing a Blank suit.'\r\n\r\n"
                                  "Carol said, 'Everybody thinks that my husband the Minister is always so serious. "
                                  "But at home he's a riot! Even his Blank makes me laugh.'\r\n\r\n");
    return texts;
}

} // namespace

QString QuestionEditorTexts::note() const
{
    return notePrefix + kNoteRest;
}

const QuestionEditorTexts &QuestionEditorTexts::matches()
{
    static const QuestionEditorTexts texts = makeMatches();
    return texts;
}

const QuestionEditorTexts &QuestionEditorTexts::phrases()
{
    static const QuestionEditorTexts texts = makePhrases();
    return texts;
}

const QuestionEditorTexts &QuestionEditorTexts::of(Kind kind)
{
    return kind == Kind::Matches ? matches() : phrases();
}
