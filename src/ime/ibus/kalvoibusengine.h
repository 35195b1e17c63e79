#pragma once

#include <ibus.h>

// The IBus shell of the four Kalvo input methods: an IBusEngine whose name says the method. It
// turns IBus's key events into the engine's keys and the engine's replies into commits,
// preedit and the lookup table.
G_BEGIN_DECLS

#define KALVO_TYPE_IBUS_ENGINE (kalvo_ibus_engine_get_type())
GType kalvo_ibus_engine_get_type();

G_END_DECLS
