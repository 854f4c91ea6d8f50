#pragma once

#include <QStringView>

#include <array>
#include <cstdint>
#include <vector>

// Answers "does this needle occur inside any one of the texts added so far?"
// in time proportional to the needle rather than to the texts, and takes
// amortised linear time to add a text, so judging every line of a file
// against all the lines before it grows with the file, not with its square.
//
// Inside is a suffix automaton over the UTF-16 code units of all the texts:
// at most two states and three transitions per unit. A state's transitions
// lie side by side in a shared pool, in a block that doubles as the state
// gains transitions, so a look-up reads a few neighbouring slots instead of
// chasing pointers; only the start state, which sees every distinct unit,
// has a direct table, made a page of 256 units at a time as the texts reach
// them, so that an index over a few lines costs no table of every unit.
class SubstringIndex
{
public:
    SubstringIndex();

    void add(QStringView text);
    // Whether needle occurs inside one of the texts; the empty needle does
    // once a text has been added.
    bool contains(QStringView needle) const;

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

    Index extend(Index last, char16_t unit);
    Index split(Index p, char16_t unit, Index q);
    Index newState(Index length, Index link);
    Index findSlot(Index state, char16_t unit) const;
    Index target(Index state, char16_t unit) const;
    void addEdge(Index state, char16_t unit, Index to);
    void redirect(Index state, char16_t unit, Index to);
    Index &rootSlot(char16_t unit);
    Index allocateBlock(Index capacity);

    qsizetype m_count = 0;
    std::vector<State> m_states;
    std::vector<Slot> m_slots;
    // Blocks given up by states that outgrew them, by capacity 2^k.
    std::vector<Index> m_freeBlocks[32];
    // The start state's transitions by unit: m_rootPage holds where the page
    // of a unit's high byte starts in m_rootTarget, or kNone.
    static constexpr Index kRootPageSize = 256;
    std::array<Index, kRootPageSize> m_rootPage;
    std::vector<Index> m_rootTarget;
    qsizetype m_units = 0;
};
