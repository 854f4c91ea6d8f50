#pragma once

#include "services/error_codes.h"

// The number of the ZorbelError a call throws, or 0 when it returns.
template <typename Call>
int errorOf(Call &&call)
{
    try {
        call();
    } catch (const ZorbelError &error) {
        return int(error.number());
    }
    return 0;
}
