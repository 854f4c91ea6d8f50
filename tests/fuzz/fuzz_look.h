#pragma once

// Shared by the button's fuzz targets.

#include "fuzz_support.h"

#include "core/ravlen_look.h"

#include <cmath>

// Every Single of the look is a finite number: the settings reader limits
// what it takes to the largest Single, and a face is never drawn from infinity.
inline void checkSingles(const RavlenLook &look)
{
    for (const float value : {look.alpha.value, look.arrow.size, look.border.size, look.icon.size, look.motion.fadeDelay, look.round.height,
                              look.round.width, look.shadow.size, look.texture.alpha, look.texture.size})
        FUZZ_CHECK(std::isfinite(value), shown(value));
}
