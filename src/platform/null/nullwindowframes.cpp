#include "nullwindowframes.h"

std::optional<QMargins> NullWindowFrames::frameExtents(quintptr)
{
    return std::nullopt;
}
