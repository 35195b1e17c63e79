#pragma once

// Runs Qt Test classes inside a fcitx5 instance of this process, with fcitx5's test front end
// and the built Kalvo add-on, and types keys into one of its input contexts as a US keyboard
// would (uskeys.h).
#include <fcitx-utils/eventdispatcher.h>
#include <fcitx-utils/key.h>
#include <fcitx-utils/log.h>
#include <fcitx/addonmanager.h>
#include <fcitx/inputcontext.h>
#include <fcitx/inputcontextmanager.h>
#include <fcitx/inputmethodentry.h>
#include <fcitx/inputmethodgroup.h>
#include <fcitx/inputmethodmanager.h>
#include <fcitx/inputpanel.h>
#include <fcitx/instance.h>
#include <testfrontend_public.h>

#include "uskeys.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace fcitx5harness {

// Points fcitx5 at the staged add-on and at fcitx5's own testing add-ons; nothing is read from
// or written to the user's folders.
inline void useBuiltAddon()
{
    setenv("SKIP_FCITX_PATH", "1", 1);
    setenv("SKIP_FCITX_USER_PATH", "1", 1);
    setenv("FCITX_ADDON_DIRS", KALVO_FCITX5_ADDON_DIR ":" FCITX5_SYSTEM_ADDON_DIR, 1);
    setenv("FCITX_DATA_DIRS",
           KALVO_FCITX5_DATA_DIR ":" FCITX5_SYSTEM_DATA_DIR "/testing:" FCITX5_SYSTEM_DATA_DIR, 1);
}

// Starts fcitx5 with the named add-ons and runs `body` on its event loop, then quits.
inline int runInFcitx5(const std::string &addons, const std::function<int(fcitx::Instance &)> &body)
{
    useBuiltAddon();
    std::string enable = "--enable=" + addons;
    char arg0[] = "kalvo-fcitx5";
    char arg1[] = "--disable=all";
    char *argv[] = {arg0, arg1, enable.data()};
    fcitx::Log::setLogRule("default=2");
    fcitx::Instance instance(3, argv);
    instance.addonManager().registerDefaultLoader(nullptr);
    fcitx::EventDispatcher dispatcher;
    dispatcher.attach(&instance.eventLoop());
    int status = 1;
    dispatcher.schedule([&] {
        status = body(instance);
        instance.exit();
    });
    instance.exec();
    return status;
}

// Makes the group hold `methods`, in order.
inline void useMethods(fcitx::Instance &instance, const std::vector<std::string> &methods)
{
    fcitx::InputMethodManager &manager = instance.inputMethodManager();
    fcitx::InputMethodGroup group = manager.currentGroup();
    group.inputMethodList().clear();
    for (const std::string &name : methods)
        group.inputMethodList().emplace_back(name);
    group.setDefaultInputMethod("");
    manager.setGroup(std::move(group));
}

// The keys of `sequence` (see uskeys.h) as fcitx5 keys.
inline std::vector<fcitx::Key> keysOf(const QString &sequence)
{
    std::vector<fcitx::Key> keys;
    for (const uskeys::Key &key : uskeys::keysOf(sequence))
        keys.emplace_back(fcitx::KeySym(key.keysym),
                          key.shift ? fcitx::KeyStates(fcitx::KeyState::Shift) : fcitx::KeyStates(),
                          key.code);
    return keys;
}

} // namespace fcitx5harness
