// Loaded into a real fcitx5 beside its keyboard engine and fcitx5's test front end: types the
// same keys through keyboard-us and through the Kalvo methods, prints the cost per key of each
// as a ratio to keyboard-us, and ends fcitx5.
#include <fcitx-utils/event.h>
#include <fcitx-utils/key.h>
#include <fcitx-utils/log.h>
#include <fcitx/addonfactory.h>
#include <fcitx/addoninstance.h>
#include <fcitx/addonmanager.h>
#include <fcitx/inputcontextmanager.h>
#include <fcitx/inputmethodgroup.h>
#include <fcitx/inputmethodmanager.h>
#include <fcitx/instance.h>
#include <testfrontend_public.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRounds = 15;
constexpr int kCyclesPerRound = 3000;

// The keys of "privet" on a US keyboard, with their key codes.
const std::vector<fcitx::Key> kRussianKeys = {
    fcitx::Key(FcitxKey_p, fcitx::KeyStates(), 33), fcitx::Key(FcitxKey_r, fcitx::KeyStates(), 27),
    fcitx::Key(FcitxKey_i, fcitx::KeyStates(), 31), fcitx::Key(FcitxKey_v, fcitx::KeyStates(), 55),
    fcitx::Key(FcitxKey_e, fcitx::KeyStates(), 26), fcitx::Key(FcitxKey_t, fcitx::KeyStates(), 28),
};
// Shift+E opens the row, Right moves its selection, 3 picks a candidate.
const std::vector<fcitx::Key> kIpaKeys = {
    fcitx::Key(FcitxKey_E, fcitx::KeyState::Shift, 26),
    fcitx::Key(FcitxKey_Right, fcitx::KeyStates(), 114),
    fcitx::Key(FcitxKey_3, fcitx::KeyStates(), 12),
};

class Bench : public fcitx::AddonInstance {
public:
    explicit Bench(fcitx::Instance *instance)
        : m_instance(instance)
    {
        m_start = instance->eventLoop().addDeferEvent([this](fcitx::EventSource *) {
            run();
            m_instance->exit();
            return true;
        });
    }

private:
    // Microseconds per key (press and release) of the fastest round.
    double perKey(const std::string &method, const std::vector<fcitx::Key> &keys)
    {
        m_instance->setCurrentInputMethod(m_ic, method, false);
        std::vector<double> rounds;
        for (int round = 0; round < kRounds; ++round) {
            const auto start = std::chrono::steady_clock::now();
            for (int cycle = 0; cycle < kCyclesPerRound; ++cycle) {
                for (const fcitx::Key &key : keys) {
                    m_frontend->call<fcitx::ITestFrontend::keyEvent>(m_ic->uuid(), key, false);
                    m_frontend->call<fcitx::ITestFrontend::keyEvent>(m_ic->uuid(), key, true);
                }
            }
            const std::chrono::duration<double, std::micro> took =
                std::chrono::steady_clock::now() - start;
            rounds.push_back(took.count() / (kCyclesPerRound * keys.size()));
        }
        return *std::min_element(rounds.begin(), rounds.end());
    }

    void run()
    {
        fcitx::Log::setLogRule("default=1");
        fcitx::InputMethodGroup group = m_instance->inputMethodManager().currentGroup();
        group.inputMethodList().clear();
        for (const char *name : {"keyboard-us", "kalvo-mnemonic", "kalvo-ipa"})
            group.inputMethodList().emplace_back(name);
        m_instance->inputMethodManager().setGroup(std::move(group));
        m_frontend = m_instance->addonManager().addon("testfrontend");
        const fcitx::ICUUID uuid =
            m_frontend->call<fcitx::ITestFrontend::createInputContext>("bench");
        m_ic = m_instance->inputContextManager().findByUUID(uuid);
        m_ic->focusIn();
        // Alternated, so that both meet the machine in the same state.
        double us = 0, mnemonic = 0, usIpa = 0, ipa = 0;
        for (int pass = 0; pass < 2; ++pass) {
            us = perKey("keyboard-us", kRussianKeys);
            mnemonic = perKey("kalvo-mnemonic", kRussianKeys);
            usIpa = perKey("keyboard-us", kIpaKeys);
            ipa = perKey("kalvo-ipa", kIpaKeys);
        }
        std::printf("key through keyboard-us:        %.3f us\n", us);
        std::printf("key through kalvo-mnemonic:     %.3f us  ratio %.2f (at most 1.1)\n", mnemonic,
                    mnemonic / us);
        std::printf("IPA keys through keyboard-us:   %.3f us\n", usIpa);
        std::printf("IPA keys through kalvo-ipa:     %.3f us  ratio %.2f (at most 1.5)\n", ipa,
                    ipa / usIpa);
        std::fflush(stdout);
    }

    fcitx::Instance *m_instance;
    fcitx::AddonInstance *m_frontend = nullptr;
    fcitx::InputContext *m_ic = nullptr;
    std::unique_ptr<fcitx::EventSource> m_start;
};

class BenchFactory : public fcitx::AddonFactory {
public:
    fcitx::AddonInstance *create(fcitx::AddonManager *manager) override
    {
        return new Bench(manager->instance());
    }
};

} // namespace

FCITX_ADDON_FACTORY(BenchFactory)
