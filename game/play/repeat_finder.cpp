#include "play/repeat_finder.h"

#include "play/substring_index.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <numeric>
#include <optional>
#include <vector>

namespace {

using Fingerprint = quint64;

// Fingerprinting one window costs a few nanoseconds, building the automaton
// some hundreds per unit (measured on files of 32,766 lines with many line
// lengths): fingerprints win until they read the texts this many times over.
constexpr qint64 kReadsPerUnit = 128;

// Polynomial fingerprints modulo 2^64. Equal texts always match; the rare
// unequal texts that match too are told apart by comparing them, and should
// such comparisons pile up the automaton takes over.
constexpr Fingerprint kBase = 0x5bd1e9955bd1e995ull;

Fingerprint unitValue(QChar c)
{
    return Fingerprint(c.unicode()) + 1;
}

Fingerprint fingerprint(QStringView text)
{
    Fingerprint value = 0;
    for (const QChar c : text)
        value = value * kBase + unitValue(c);
    return value;
}

qint64 totalUnits(const QStringList &texts)
{
    qint64 units = texts.size();
    for (const QString &text : texts)
        units += text.size();
    return units;
}

// The units the fingerprint search reads at most: for every length that a
// text has, all the texts at least that long. Counting stops past limit.
qint64 unitsToRead(const QStringList &texts, qint64 limit)
{
    std::vector<qint64> lengths;
    lengths.reserve(texts.size());
    for (const QString &text : texts)
        lengths.push_back(text.size());
    std::sort(lengths.begin(), lengths.end(), std::greater<>());
    qint64 reads = 0;
    qint64 longerUnits = 0; // in the texts at least as long as the current one
    for (std::size_t i = 0; i < lengths.size() && reads <= limit; ++i) {
        longerUnits += lengths[i];
        if (i + 1 == lengths.size() || lengths[i + 1] != lengths[i])
            reads += longerUnits;
    }
    return reads;
}

QList<bool> repeatsByAutomaton(const QStringList &texts)
{
    QList<bool> repeats(texts.size(), false);
    SubstringIndex index;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        repeats[i] = index.contains(texts.at(i));
        // A text inside an earlier one adds nothing that could hold a later text.
        if (!repeats[i])
            index.add(texts.at(i));
    }
    return repeats;
}

// The texts of one length, found by their fingerprints.
class LengthTable
{
public:
    LengthTable(const QStringList &texts, QList<bool> &repeats, qsizetype length, qsizetype count)
        : m_texts(texts)
        , m_repeats(repeats)
        , m_length(length)
    {
        const auto capacity = std::max<std::size_t>(2, std::bit_ceil(std::size_t(2 * count)));
        m_slots.assign(capacity, {0, kEmpty});
        m_mask = qsizetype(capacity - 1);
        m_shift = 64 - std::countr_zero(capacity);
        for (qsizetype i = 1; i < m_length; ++i)
            m_leading *= kBase;
    }

    // Returns the units compared.
    qint64 addText(qsizetype index)
    {
        const Fingerprint value = fingerprint(m_texts.at(index));
        qint64 compared = 0;
        qsizetype slot = firstSlot(value);
        for (; m_slots[slot].text != kEmpty; slot = (slot + 1) & m_mask) {
            if (m_slots[slot].value != value)
                continue;
            compared += m_length;
            // An equal text before it holds it; it need not be looked for.
            if (m_texts.at(m_slots[slot].text) == m_texts.at(index)) {
                m_repeats[index] = true;
                return compared;
            }
        }
        m_slots[slot] = {value, index};
        return compared;
    }

    // Marks every text of the table that occurs inside container, when
    // container comes before it. Returns the units compared.
    qint64 searchIn(qsizetype container)
    {
        const QStringView text = m_texts.at(container);
        if (text.size() < m_length)
            return 0;
        qint64 compared = 0;
        Fingerprint value = fingerprint(text.first(m_length));
        for (qsizetype start = 0;; ++start) {
            compared += lookUp(value, container, text.sliced(start, m_length));
            if (start + m_length == text.size())
                break;
            value = (value - unitValue(text[start]) * m_leading) * kBase + unitValue(text[start + m_length]);
        }
        return compared;
    }

private:
    static constexpr qsizetype kEmpty = -1;
    struct Slot {
        Fingerprint value;
        qsizetype text;
    };

    qsizetype firstSlot(Fingerprint value) const
    {
        // The high bits of a product mix every bit of the fingerprint.
        return qsizetype((value * 0x9e3779b97f4a7c15ull) >> m_shift);
    }

    qint64 lookUp(Fingerprint value, qsizetype container, QStringView window)
    {
        qint64 compared = 0;
        for (qsizetype slot = firstSlot(value); m_slots[slot].text != kEmpty; slot = (slot + 1) & m_mask) {
            const qsizetype index = m_slots[slot].text;
            if (m_slots[slot].value != value || index <= container || m_repeats[index])
                continue;
            compared += m_length;
            m_repeats[index] = window == m_texts.at(index);
        }
        return compared;
    }

    const QStringList &m_texts;
    QList<bool> &m_repeats;
    qsizetype m_length;
    std::vector<Slot> m_slots;
    qsizetype m_mask = 0;
    int m_shift = 64;
    Fingerprint m_leading = 1; // the weight of the unit that leaves the window
};

// Every length that some text has gets one pass over the texts before the
// last text of that length, fingerprinting each window of that length. Only
// the table of that one length is consulted, so it stays in the cache.
// Returns nothing when the comparisons of unequal texts with equal
// fingerprints exceed the budget.
std::optional<QList<bool>> repeatsByFingerprints(const QStringList &texts, qint64 budget)
{
    QList<bool> repeats(texts.size(), false);
    std::vector<qsizetype> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return texts.at(a).size() < texts.at(b).size(); });

    qint64 compared = 0;
    for (auto group = order.begin(); group != order.end();) {
        const qsizetype length = texts.at(*group).size();
        const auto groupEnd = std::find_if(group, order.end(),
                                           [&](qsizetype index) { return texts.at(index).size() != length; });
        if (length == 0) {
            // The empty text occurs inside any text, so inside any before it.
            for (auto it = group; it != groupEnd; ++it)
                repeats[*it] = *it > 0;
        } else {
            LengthTable table(texts, repeats, length, groupEnd - group);
            for (auto it = group; it != groupEnd; ++it)
                compared += table.addText(*it);
            const qsizetype last = *(groupEnd - 1); // the group is in file order
            for (qsizetype container = 0; container < last; ++container) {
                compared += table.searchIn(container);
                if (compared > budget)
                    return std::nullopt;
            }
        }
        group = groupEnd;
    }
    return repeats;
}

} // namespace

QList<bool> findRepeats(const QStringList &texts, RepeatSearch search)
{
    const qint64 units = totalUnits(texts);
    const qint64 readBudget = kReadsPerUnit * units;
    if (search == RepeatSearch::Automatic && unitsToRead(texts, readBudget) > readBudget)
        search = RepeatSearch::Automaton;
    if (search != RepeatSearch::Automaton) {
        // Each text is compared with its equal at most once, so honest
        // matches stay within the units of the texts.
        const qint64 compareBudget = search == RepeatSearch::Automatic ? 2 * units : std::numeric_limits<qint64>::max();
        if (auto repeats = repeatsByFingerprints(texts, compareBudget))
            return *repeats;
    }
    return repeatsByAutomaton(texts);
}
