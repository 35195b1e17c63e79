#pragma once

#include "ime/imeengine.h"

#include <fcitx/inputcontextproperty.h>
#include <memory>

// What one input context types with: the engine of the Kalvo method it last used, and the
// symbols of the candidate row it shows.
struct KalvoContext : fcitx::InputContextProperty {
    std::unique_ptr<ImeEngine> engine;
    QString shownRow;
};
