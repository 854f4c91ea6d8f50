#pragma once

#include <QList>
#include <QStringList>

// How findRepeats searches; the answers are the same either way.
enum class RepeatSearch {
    Automatic, // fingerprints unless they would cost more than the automaton
    Fingerprints, // window fingerprints of the needed lengths, checked on a match
    Automaton, // one suffix automaton over the texts that are not repeats
};

// For each text, whether it occurs anywhere inside one of the texts before
// it (as a part, or whole). Dropping those texts gives the same list as
// adding texts one by one and dropping each that occurs inside one already
// added: a text inside a dropped one is inside the one that dropped it.
QList<bool> findRepeats(const QStringList &texts, RepeatSearch search = RepeatSearch::Automatic);
