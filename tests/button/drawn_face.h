#pragma once

#include "ravlen_p.h"

#include <optional>

// What a drawing leaves behind. It either shows its face at once, writing
// the output (an altered image gets a new cache key), or starts a fade to a
// state other than the one drawn last.
struct DrawnFace {
    std::optional<qint32> state;
    qint64 output = 0;

    friend bool operator==(const DrawnFace &, const DrawnFace &) = default;
};

inline DrawnFace drawnFace(const Ravlen &button)
{
    const FaceComposer &composer = RavlenPrivate::get(&button)->composer();
    return {composer.drawnState(), composer.output().cacheKey()};
}
