#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

// Answers "does this needle occur inside any one of the texts added so far?"
// in time proportional to the needle rather than to the texts, and takes
// amortised linear time to add a text. Judging every line of a file against
// all the lines kept before it therefore costs about as much as reading the
// file once.
//
// Inside is a suffix automaton over the UTF-16 code units of all the texts:
// at most two states and three transitions per unit. A state's transitions
// lie side by side in a shared pool, in a block that doubles as the state
// gains transitions, so a look-up reads a few neighbouring slots instead of
// chasing pointers; only the start state, which sees every distinct unit,
// has a direct table.
//
// Building the automaton costs some fifty bytes and several cache misses per
// unit, far more than one plain scan. A very long text is therefore first
// searched plainly and only moved into the automaton once the scans spent on
// it outweigh building it; a 10 MB line followed by a handful of short ones
// never needs the automaton at all.
class SubstringIndex
{
public:
    // Texts of at least longText units start out plainly searched.
    explicit SubstringIndex(qsizetype longText = 4096);

    void add(const QString &text);
    // Whether needle occurs inside one of the texts; the empty needle always
    // does, once a text has been added. May move long texts into the automaton.
    bool contains(QStringView needle);

    // Number of texts added.
    qsizetype count() const { return m_count; }

private:
    using Index = std::int32_t;
    static constexpr Index kNone = -1;

    struct State {
        Index length; // of the longest text the state stands for
        Index link; // the state of its longest suffix that stands apart
        Index edgeStart; // where its block of transitions starts in the pool
        Index edgeCount;
    };
    struct Slot {
        char16_t unit;
        Index target;
    };

    void build(QStringView text);
    bool plainlyContains(QStringView needle);
    Index extend(Index last, char16_t unit);
    Index split(Index p, char16_t unit, Index q);
    Index newState(Index length, Index link);
    Index findSlot(Index state, char16_t unit) const;
    Index target(Index state, char16_t unit) const;
    void addEdge(Index state, char16_t unit, Index to);
    void redirect(Index state, char16_t unit, Index to);
    Index allocateBlock(Index capacity);

    qsizetype m_longText;
    qsizetype m_count = 0;
    std::vector<State> m_states;
    std::vector<Slot> m_slots;
    // Blocks given up by states that outgrew them, by capacity 2^k.
    std::vector<Index> m_freeBlocks[32];
    // The start state's transitions by unit.
    std::vector<Index> m_rootTarget;
    qsizetype m_units = 0; // in the automaton
    // Long texts not in the automaton yet, their total length and the units
    // scanned in them since they were last moved in.
    std::vector<QString> m_plain;
    qsizetype m_plainUnits = 0;
    qsizetype m_scannedUnits = 0;
};
