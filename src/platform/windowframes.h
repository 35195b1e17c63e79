#pragma once

#include <QMargins>
#include <QtGlobal>
#include <optional>

// The frame a window manager draws around a top-level window: title bar and borders.
class WindowFrames {
public:
    virtual ~WindowFrames() = default;

    // The frame the window manager draws, or will draw once the window is mapped, around the
    // native window `id`; nothing when no window manager says so.
    virtual std::optional<QMargins> frameExtents(quintptr id) = 0;
};
