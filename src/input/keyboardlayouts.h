#pragma once

#include <QString>

// Which keyboard layout is active for typing. The real backend is the program's own layout
// engine (the Russian fields type the layout themselves); tests use a recording one.
class KeyboardLayouts {
public:
    virtual ~KeyboardLayouts() = default;
    // The identifier of the active layout (eight hexadecimal digits, e.g. "00020419").
    virtual QString currentLayoutName() const = 0;
    // Makes the layout with this identifier the active one.
    virtual void activateLayout(const QString &identifier) = 0;
};
