#pragma once

// Runs Qt Test classes inside a fcitx5 instance of this process, with fcitx5's test front end
// and the built Kalvo add-on, and types keys into one of its input contexts as a US keyboard
// would.
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

struct UsKey {
    const char *name;
    int code;
    fcitx::KeySym sym;
};

// Named keys of a sequence, written <name>; every other character is a key of the US layout.
constexpr UsKey kNamedKeys[] = {
    {"space", 65, FcitxKey_space},    {"enter", 36, FcitxKey_Return},
    {"esc", 9, FcitxKey_Escape},      {"left", 113, FcitxKey_Left},
    {"right", 114, FcitxKey_Right},   {"bs", 22, FcitxKey_BackSpace},
    {"jiscolon", 48, FcitxKey_colon}, // the JIS key right of L's neighbour; ' on a US keyboard
};

constexpr const char *kUsRows[] = {"1234567890-=", "qwertyuiop[]", "asdfghjkl;'", "zxcvbnm,./"};
constexpr const char *kUsShiftedRows[] = {"!@#$%^&*()_+", "QWERTYUIOP{}", "ASDFGHJKL:\"",
                                          "ZXCVBNM<>?"};
constexpr int kRowCodes[] = {10, 24, 38, 52};

// The key a US keyboard sends for `ch`, with its key code.
inline fcitx::Key usKey(char ch)
{
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; kUsRows[row][column]; ++column) {
            const int code = kRowCodes[row] + column;
            if (kUsRows[row][column] == ch)
                return fcitx::Key(fcitx::KeySym(ch), fcitx::KeyStates(), code);
            if (kUsShiftedRows[row][column] == ch)
                return fcitx::Key(fcitx::KeySym(ch), fcitx::KeyState::Shift, code);
        }
    }
    if (ch == '\\')
        return fcitx::Key(FcitxKey_backslash, fcitx::KeyStates(), 51);
    return fcitx::Key(fcitx::KeySym(ch), fcitx::KeyStates(), 0);
}

// The keys of `sequence`: characters and <named> keys, each pressed and released.
inline std::vector<fcitx::Key> keysOf(const QString &sequence)
{
    std::vector<fcitx::Key> keys;
    const QByteArray bytes = sequence.toLatin1();
    for (int i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '<' && bytes.indexOf('>', i) > i + 1) {
            const int end = bytes.indexOf('>', i);
            const QByteArray name = bytes.mid(i + 1, end - i - 1);
            for (const UsKey &named : kNamedKeys) {
                if (name == named.name)
                    keys.emplace_back(named.sym, fcitx::KeyStates(), named.code);
            }
            i = end;
            continue;
        }
        keys.push_back(usKey(bytes[i]));
    }
    return keys;
}

} // namespace fcitx5harness
