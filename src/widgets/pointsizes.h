#pragma once

#include <QtMath>

// Font sizes of the program are points on a 96-dpi screen, the screen its windows are laid out
// for; fonts are set in pixels, so a screen that reports another dpi draws them the same.
inline constexpr int kScreenDpi = 96;

inline int PixelsOfPoints(int points)
{
    return qRound(points * kScreenDpi / 72.0);
}

inline int PointsOfPixels(int pixels)
{
    return qRound(pixels * 72.0 / kScreenDpi);
}
