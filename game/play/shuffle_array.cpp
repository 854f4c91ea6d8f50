#include "play/shuffle_array.h"

#include "services/app_context.h"
#include "services/clock.h"

namespace {

quint32 seedFrom(const Clock &clock)
{
    const quint64 msecs = quint64(clock.now().toMSecsSinceEpoch());
    return quint32(msecs ^ (msecs >> 32));
}

} // namespace

QStringList ShuffleArray(const QStringList &items, quint32 seed)
{
    return inOrder(items, shuffledOrder(items.size(), seed));
}

QStringList ShuffleArray(const QStringList &items, const Clock &clock)
{
    return ShuffleArray(items, seedFrom(clock));
}

std::optional<Shuffle> guardedShuffle(AppContext &context, qsizetype count)
{
    std::optional<Shuffle> shuffle;
    GuardOptions options;
    options.kind = ProcedureKind::Function;
    context.guard(
        QStringLiteral("ShuffleArray"),
        [&] {
            const quint32 seed = seedFrom(context.clock());
            shuffle = Shuffle{seed, shuffledOrder(count, seed)};
        },
        options);
    return shuffle;
}
