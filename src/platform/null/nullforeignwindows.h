#pragma once

#include "platform/foreignwindows.h"

// Where no program may watch or drive other programs' windows (Wayland, offscreen): nothing
// is tracked, raised or typed; the user pastes by hand.
class NullForeignWindows final : public ForeignWindows {
public:
    bool available() const override;
    ForeignWindow foregroundWindow() override;
    bool activate(quintptr id) override;
    PasteResult sendPaste(quintptr target, PasteKey key) override;
};
