#pragma once

#include <QString>

// Everything in which the two question-file editors differ: the window, the
// file it edits, the name its load routine reports under, and the texts the
// host reads. The editors are one window class over one of these tables.
struct QuestionEditorTexts {
    enum class Kind { Matches, Phrases };

    Kind kind = Kind::Matches;
    QString window; // "frmEditMatches"
    QString fileName; // in the program directory
    QString loadRoutine; // report name of the load routine
    QString overwriteBoxQuestion; // asked before Load replaces what the box holds
    QString newFileTitle; // title of the question asked for a missing file
    QString nothingToSave;
    QString savedPrefix; // followed by the file's path
    QString notePrefix; // the note's opening, before the part both editors share
    QString sample; // the box's content for a new file, lines ended by CR LF

    // The note shown above the box.
    QString note() const;

    static const QuestionEditorTexts &matches();
    static const QuestionEditorTexts &phrases();
    static const QuestionEditorTexts &of(Kind kind);
};
