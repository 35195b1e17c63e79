// Prints what a candidate key costs in the main window's IPA line, painting included, as a
// ratio to the same keys typed into a plain QLineEdit of the same size in the same run.
// A candidate key is Shift+E, which opens the row of E on the IPA pad, then Enter, which
// inserts the selected candidate. Each key is followed by the event processing that repaints
// the window. The figure is the process's CPU time, which a load on the machine does not
// stretch. The keys are measured twice: as single key events carrying the Shift modifier, and
// with Shift pressed and released around E as a key of its own, as a keyboard sends it. Run it
// on a platform that paints: offscreen or an X server.

#include "benchtools.h"
#include "core/folders.h"
#include "mainwin/compositionareas.h"
#include "mainwin/mainbody.h"
#include "mainwin/tmainfrm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRounds = 21;
constexpr int kCandidatesPerRound = 100;
// The line is emptied now and then, so it does not grow without end.
constexpr int kCandidatesPerLine = 50;
constexpr double kGoal = 1.5;

void send(QWidget *target, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
          const QString &text = {})
{
    QKeyEvent event(type, key, modifiers, text);
    QApplication::sendEvent(target, &event);
}

// One key and the repaint it causes.
void typeKey(QWidget *target, int key, Qt::KeyboardModifiers modifiers, const QString &text,
             bool shiftKey)
{
    const bool shift = shiftKey && modifiers & Qt::ShiftModifier;
    if (shift)
        send(target, QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    send(target, QEvent::KeyPress, key, modifiers, text);
    send(target, QEvent::KeyRelease, key, modifiers, text);
    if (shift)
        send(target, QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
    QApplication::processEvents();
}

// Both lines are typed into as the user does: with the focus, in the active window.
bool focusLine(QLineEdit *line)
{
    line->window()->activateWindow();
    line->setFocus();
    QElapsedTimer timer;
    timer.start();
    while (!line->hasFocus() && timer.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
    return line->hasFocus();
}

// The CPU time of one round of candidate keys into `line`, in nanoseconds.
qint64 typeRound(QLineEdit *line, bool shiftKey)
{
    if (!focusLine(line))
        std::fprintf(stderr, "%s did not take the focus\n", qPrintable(line->objectName()));
    const qint64 start = ProcessCpuNs();
    for (int i = 0; i < kCandidatesPerRound; ++i) {
        if (i % kCandidatesPerLine == 0)
            line->clear();
        typeKey(line, Qt::Key_E, Qt::ShiftModifier, QStringLiteral("E"), shiftKey);
        typeKey(line, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), shiftKey);
    }
    return ProcessCpuNs() - start;
}

// The rounds alternate and each is compared with the round before it, so a load that comes
// and goes on the machine weighs on both sides alike.
double medianRatio(QLineEdit *plainLine, QLineEdit *ipaLine, bool shiftKey)
{
    typeRound(plainLine, shiftKey);
    typeRound(ipaLine, shiftKey);
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        const qint64 plain = typeRound(plainLine, shiftKey);
        ratios.push_back(double(typeRound(ipaLine, shiftKey)) / plain);
    }
    return median(ratios);
}

} // namespace

int main(int argc, char *argv[])
{
    // The main window reads and writes its settings and data folders in a home of its own.
    QTemporaryDir home;
    UseHome(home.path());
    QApplication app(argc, argv);
    SetFolderVars(PlatformBaseFolders(QApplication::applicationDirPath()));

    TMainFrm mainFrm;
    showAndWait(&mainFrm);
    QLineEdit *ipaLine = mainFrm.body()->areas()->ipaLine();

    // The plain line: the IPA line's size and font, in a window of the main window's size.
    QWidget plainWindow;
    plainWindow.resize(mainFrm.size());
    auto *plainLine = new QLineEdit(&plainWindow);
    plainLine->setGeometry(QRect(ipaLine->mapTo(&mainFrm, QPoint(0, 0)), ipaLine->size()));
    plainLine->setFont(ipaLine->font());
    showAndWait(&plainWindow);

    // Entering the IPA line shows the IPA pad.
    if (!focusLine(ipaLine) || mainFrm.body()->padPages()->currentIndex() != 1) {
        std::fprintf(stderr, "the IPA pad is not the page shown\n");
        return 1;
    }

    const double single = medianRatio(plainLine, ipaLine, false);
    const double withShift = medianRatio(plainLine, ipaLine, true);
    if (ipaLine->text() != QString(kCandidatesPerLine, QChar(0x025B))) {
        std::fprintf(stderr, "the IPA line did not take the candidates\n");
        return 1;
    }
    std::printf("%d rounds of %d candidate keys (Shift+E, Enter), painted, CPU time, median of "
                "the round ratios\n",
                kRounds, kCandidatesPerRound);
    std::printf("plain QLineEdit: 1.00x (baseline)\n");
    std::printf("ipa line / plain QLineEdit: %.2fx (goal <= %.1fx)\n", single, kGoal);
    std::printf("ipa line / plain QLineEdit, Shift as a key of its own: %.2fx (goal <= %.1fx)\n",
                withShift, kGoal);
    return 0;
}
