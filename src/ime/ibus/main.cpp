// ibus-engine-kalvo: the four Kalvo input methods for IBus. ibus-daemon starts it with --ibus
// from the component file.
#include "ime/imeengine.h"
#include "kalvoibusengine.h"

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    ibus_init();
    IBusBus *bus = ibus_bus_new();
    if (!ibus_bus_is_connected(bus)) {
        std::fprintf(stderr, "ibus-engine-kalvo: IBus is not running\n");
        return 1;
    }
    g_signal_connect(bus, "disconnected", G_CALLBACK(+[](IBusBus *, gpointer) { ibus_quit(); }),
                     nullptr);
    IBusFactory *factory = ibus_factory_new(ibus_bus_get_connection(bus));
    for (const char *name : ImeEngine::methodNames())
        ibus_factory_add_engine(factory, name, KALVO_TYPE_IBUS_ENGINE);
    if (argc > 1 && std::strcmp(argv[1], "--ibus") == 0)
        ibus_bus_request_name(bus, "org.freedesktop.IBus.Kalvo", 0);
    ibus_main();
    return 0;
}
