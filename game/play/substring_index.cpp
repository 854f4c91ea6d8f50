#include "play/substring_index.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <stdexcept>

namespace {

// Two states and three transitions per unit, the transitions in blocks of
// up to twice their number, must stay within the 32-bit indexes.
constexpr qsizetype kMaxUnits = std::numeric_limits<std::int32_t>::max() / 8;

} // namespace

SubstringIndex::SubstringIndex()
{
    m_rootPage.fill(kNone);
    newState(0, kNone);
}

void SubstringIndex::add(QStringView text)
{
    if (text.size() > kMaxUnits - m_units)
        throw std::length_error("text too long for a substring index");
    ++m_count;
    // Room for the most states the text can add, so that the states are
    // rarely copied while they grow; pages that stay unused cost nothing.
    const std::size_t states = m_states.size() + 2 * std::size_t(text.size());
    if (states > m_states.capacity())
        m_states.reserve(std::max(states, 2 * m_states.capacity()));
    // Likewise the transitions, of which a text adds about three per unit.
    const std::size_t transitions = m_slots.size() + 3 * std::size_t(text.size());
    if (transitions > m_slots.capacity())
        m_slots.reserve(std::max(transitions, 2 * m_slots.capacity()));
    Index last = 0;
    for (const QChar c : text)
        last = extend(last, c.unicode());
    m_units += text.size();
}

bool SubstringIndex::contains(QStringView needle) const
{
    if (needle.isEmpty())
        return m_count > 0;
    Index state = 0;
    for (const QChar c : needle) {
        state = target(state, c.unicode());
        if (state == kNone)
            return false;
    }
    return true;
}

// The online construction over several texts: each text starts again from
// the start state. The new state stands for the text read so far; every
// suffix that could not yet be followed by unit gains a transition to it.
// Where the text read so far is already known (another text holds it), the
// existing state serves, split first if it also stands for longer texts.
SubstringIndex::Index SubstringIndex::extend(Index last, char16_t unit)
{
    const Index known = target(last, unit);
    if (known != kNone)
        return m_states[last].length + 1 == m_states[known].length ? known : split(last, unit, known);

    const Index current = newState(m_states[last].length + 1, 0);
    Index p = last;
    Index q = kNone;
    while (p != kNone && (q = target(p, unit)) == kNone) {
        addEdge(p, unit, current);
        p = m_states[p].link;
    }
    if (p != kNone)
        m_states[current].link = m_states[p].length + 1 == m_states[q].length ? q : split(p, unit, q);
    return current;
}

// Makes a copy of q that stands only for the texts up to one unit longer
// than p's, moves p and its suffixes that led to q over to it, and returns it.
SubstringIndex::Index SubstringIndex::split(Index p, char16_t unit, Index q)
{
    const State original = m_states[q];
    const Index clone = newState(m_states[p].length + 1, original.link);
    if (original.edgeCount > 0) {
        const Index start = allocateBlock(Index(std::bit_ceil(unsigned(original.edgeCount))));
        std::copy_n(m_slots.begin() + original.edgeStart, original.edgeCount, m_slots.begin() + start);
        m_states[clone].edgeStart = start;
        m_states[clone].edgeCount = original.edgeCount;
    }
    for (; p != kNone && target(p, unit) == q; p = m_states[p].link)
        redirect(p, unit, clone);
    m_states[q].link = clone;
    return clone;
}

SubstringIndex::Index SubstringIndex::newState(Index length, Index link)
{
    m_states.push_back({length, link, kNone, 0});
    return Index(m_states.size() - 1);
}

SubstringIndex::Index SubstringIndex::findSlot(Index state, char16_t unit) const
{
    const State &s = m_states[state];
    const Index end = s.edgeStart + s.edgeCount;
    for (Index slot = s.edgeStart; slot < end; ++slot) {
        if (m_slots[slot].unit == unit)
            return slot;
    }
    return kNone;
}

SubstringIndex::Index SubstringIndex::target(Index state, char16_t unit) const
{
    if (state == 0) {
        const Index page = m_rootPage[unit >> 8];
        return page == kNone ? kNone : m_rootTarget[page + (unit & 0xFF)];
    }
    const Index slot = findSlot(state, unit);
    return slot == kNone ? kNone : m_slots[slot].target;
}

void SubstringIndex::addEdge(Index state, char16_t unit, Index to)
{
    if (state == 0) {
        rootSlot(unit) = to;
        return;
    }
    State s = m_states[state];
    // A block is full when its count is a power of two (or it has none).
    if (s.edgeCount == 0 || std::has_single_bit(unsigned(s.edgeCount))) {
        const Index start = allocateBlock(std::max<Index>(1, 2 * s.edgeCount));
        if (s.edgeCount > 0) {
            std::copy_n(m_slots.begin() + s.edgeStart, s.edgeCount, m_slots.begin() + start);
            m_freeBlocks[std::countr_zero(unsigned(s.edgeCount))].push_back(s.edgeStart);
        }
        s.edgeStart = start;
    }
    m_slots[s.edgeStart + s.edgeCount] = {unit, to};
    ++s.edgeCount;
    m_states[state] = s;
}

void SubstringIndex::redirect(Index state, char16_t unit, Index to)
{
    if (state == 0)
        rootSlot(unit) = to;
    else
        m_slots[findSlot(state, unit)].target = to;
}

SubstringIndex::Index &SubstringIndex::rootSlot(char16_t unit)
{
    Index &page = m_rootPage[unit >> 8];
    if (page == kNone) {
        page = Index(m_rootTarget.size());
        m_rootTarget.resize(m_rootTarget.size() + kRootPageSize, kNone);
    }
    return m_rootTarget[page + (unit & 0xFF)];
}

SubstringIndex::Index SubstringIndex::allocateBlock(Index capacity)
{
    std::vector<Index> &free = m_freeBlocks[std::countr_zero(unsigned(capacity))];
    if (!free.empty()) {
        const Index start = free.back();
        free.pop_back();
        return start;
    }
    const Index start = Index(m_slots.size());
    m_slots.resize(m_slots.size() + capacity);
    return start;
}
