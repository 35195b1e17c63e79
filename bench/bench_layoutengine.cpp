// Prints the time the layout engine takes per key press, for typing mixed mnemonic text with
// dead key sequences, Shift and passing keys, and for the standard layout.

#include "input/layoutengine.h"

#include <QElapsedTimer>
#include <QList>

#include <cstdio>

namespace {

constexpr int kPresses = 1'000'000;

// "privet, jozh i shchuka" in the mnemonic layout as X11 key codes, with a Shift press, Space
// and Backspace; Shift is held on every seventh key.
const QList<quint32> kCodes{33, 27, 31, 55, 26, 28, 59, 65, 44, 32, 53, 65, 31, 65, 39,
                            54, 54, 43, 30, 45, 38, 50, 44, 38, 22, 29, 65, 10, 19};

struct Figures {
    double nsPerKey;
    qsizetype typedUnits;
};

Figures run(int layout)
{
    LayoutEngine engine;
    engine.setLayout(layout);
    qsizetype typed = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kPresses; ++i) {
        const quint32 code = kCodes[i % kCodes.size()];
        const int qtKey = code == 65   ? Qt::Key_Space
                          : code == 22 ? Qt::Key_Backspace
                          : code == 50 ? Qt::Key_Shift
                                       : Qt::Key_A;
        typed += engine.keyPress({code, qtKey, i % 7 == 0, false, false}).text.size();
    }
    typed += engine.flush().size();
    return {double(timer.nsecsElapsed()) / kPresses, typed};
}

} // namespace

int main()
{
    for (int layout : {3, 1}) {
        const Figures figures = run(layout);
        std::printf("layout %d: %d key presses, %.1f ns per key (%lld code units typed)\n", layout,
                    kPresses, figures.nsPerKey, static_cast<long long>(figures.typedUnits));
    }
    return 0;
}
