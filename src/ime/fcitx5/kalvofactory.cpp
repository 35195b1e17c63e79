#include "kalvoengine.h"

#include <fcitx/addonfactory.h>
#include <fcitx/addonmanager.h>

// The entry point fcitx5 looks up in the add-on's library.
class KalvoFactory : public fcitx::AddonFactory {
public:
    fcitx::AddonInstance *create(fcitx::AddonManager *manager) override
    {
        return new KalvoEngine(manager->instance());
    }
};

FCITX_ADDON_FACTORY(KalvoFactory)
