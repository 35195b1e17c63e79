// Against a private ibus-daemon (see bench_ibus): how long the Kalvo engine takes to start, and
// what a key costs through it against the same key through IBus's own xkb engine, in one run.
#include <ibus.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRounds = 10;
constexpr int kCyclesPerRound = 300;

struct Key {
    guint keyval;
    guint code; // evdev code, as IBus counts them
    guint state;
};

// "privet" on a US keyboard.
const std::vector<Key> kRussianKeys = {{IBUS_KEY_p, 25, 0}, {IBUS_KEY_r, 19, 0},
                                       {IBUS_KEY_i, 23, 0}, {IBUS_KEY_v, 47, 0},
                                       {IBUS_KEY_e, 18, 0}, {IBUS_KEY_t, 20, 0}};
// Shift+E opens the row, Right moves its selection, 3 picks a candidate.
const std::vector<Key> kIpaKeys = {
    {IBUS_KEY_E, 18, IBUS_SHIFT_MASK}, {IBUS_KEY_Right, 106, 0}, {IBUS_KEY_3, 4, 0}};

void drain()
{
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
}

bool useEngine(IBusInputContext *context, const char *name)
{
    ibus_input_context_set_engine(context, name);
    for (int i = 0; i < 2000; ++i) {
        drain();
        IBusEngineDesc *engine = ibus_input_context_get_engine(context);
        if (engine && std::strcmp(ibus_engine_desc_get_name(engine), name) == 0)
            return true;
        g_usleep(500);
    }
    return false;
}

// Microseconds per key (press and release) of the fastest round.
double perKey(IBusInputContext *context, const char *engine, const std::vector<Key> &keys)
{
    if (!useEngine(context, engine)) {
        std::fprintf(stderr, "bench_ibus: no engine %s\n", engine);
        return 0;
    }
    std::vector<double> rounds;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = Clock::now();
        for (int cycle = 0; cycle < kCyclesPerRound; ++cycle) {
            for (const Key &key : keys) {
                ibus_input_context_process_key_event(context, key.keyval, key.code, key.state);
                ibus_input_context_process_key_event(context, key.keyval, key.code,
                                                     key.state | IBUS_RELEASE_MASK);
            }
        }
        const std::chrono::duration<double, std::micro> took = Clock::now() - start;
        rounds.push_back(took.count() / (kCyclesPerRound * keys.size()));
        drain();
    }
    return *std::min_element(rounds.begin(), rounds.end());
}

// From asking for the engine, which ibus-daemon then starts, to its first typed key.
double startMilliseconds(IBusInputContext *context)
{
    const auto start = Clock::now();
    if (!useEngine(context, "kalvo-mnemonic"))
        return -1;
    ibus_input_context_process_key_event(context, IBUS_KEY_p, 25, 0);
    const std::chrono::duration<double, std::milli> took = Clock::now() - start;
    return took.count();
}

} // namespace

int main()
{
    ibus_init();
    IBusBus *bus = ibus_bus_new();
    if (!ibus_bus_is_connected(bus)) {
        std::fprintf(stderr, "bench_ibus: IBus is not running\n");
        return 1;
    }
    IBusInputContext *context = ibus_bus_create_input_context(bus, "bench");
    ibus_input_context_set_capabilities(context, IBUS_CAP_PREEDIT_TEXT | IBUS_CAP_FOCUS);
    ibus_input_context_focus_in(context);
    const double start = startMilliseconds(context);
    double xkb = 0, mnemonic = 0, xkbIpa = 0, ipa = 0;
    // Alternated, so that both meet the machine in the same state.
    for (int pass = 0; pass < 2; ++pass) {
        xkb = perKey(context, "xkb:us::eng", kRussianKeys);
        mnemonic = perKey(context, "kalvo-mnemonic", kRussianKeys);
        xkbIpa = perKey(context, "xkb:us::eng", kIpaKeys);
        ipa = perKey(context, "kalvo-ipa", kIpaKeys);
    }
    std::printf("engine start to first key:      %.1f ms (at most 100)\n", start);
    std::printf("key through xkb:us::eng:        %.1f us\n", xkb);
    std::printf("key through kalvo-mnemonic:     %.1f us  ratio %.2f (at most 1.5)\n", mnemonic,
                mnemonic / xkb);
    std::printf("IPA keys through xkb:us::eng:   %.1f us\n", xkbIpa);
    std::printf("IPA keys through kalvo-ipa:     %.1f us  ratio %.2f (at most 1.5)\n", ipa,
                ipa / xkbIpa);
    return 0;
}
