// Prints what a key and a pad click cost in the main window, through the X server as a user's
// keyboard and mouse send them, painting included, each as a ratio to a plain widget doing the
// same in the same run:
// - a letter key typed into the Russian area (the mnemonic layout makes "k" a "к") against the
//   same key typed into a plain QPlainTextEdit;
// - a click on a key of the Russian pad, which inserts its letter into the Russian area,
//   against a click on a plain QPushButton that inserts the same letter into a plain
//   QPlainTextEdit; once through the X server and once as Qt mouse events sent to the buttons,
//   where the buttons' own work weighs more.
// The keys and clicks are sent with the XTEST extension; each is done when its text has
// arrived and the window has been painted. The figure is the process's CPU time, which a load
// on the machine does not stretch. Run it on an X server without a window manager
// (xvfb-run -a bench/bench_keys): the bench moves the keyboard focus between its two windows
// at every round, which a window manager may refuse.

#include "benchtools.h"
#include "core/folders.h"
#include "input/tkeybutton.h"
#include "input/truspad.h"
#include "mainwin/compositionareas.h"
#include "mainwin/mainbody.h"
#include "mainwin/tmainfrm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextCursor>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace {

constexpr int kRounds = 21;
constexpr int kKeysPerRound = 200;
constexpr double kGoal = 1.05;
// The key "k" of a US keyboard, which the mnemonic layout types as "к".
constexpr xcb_keycode_t kKeyK = 45;
constexpr xcb_button_t kLeftButton = 1;

xcb_connection_t *connection()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

void fake(uint8_t type, uint8_t detail, QPoint at = {})
{
    xcb_test_fake_input(connection(), type, detail, XCB_CURRENT_TIME, XCB_NONE, int16_t(at.x()),
                        int16_t(at.y()), 0);
}

void moveTo(const QWidget *widget)
{
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection())).data;
    const QPoint at = widget->mapToGlobal(widget->rect().center());
    xcb_test_fake_input(connection(), XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, screen->root,
                        int16_t(at.x()), int16_t(at.y()), 0);
    xcb_flush(connection());
}

// Counts the paints of one window, so a step can wait until its result is on the screen.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *window)
        : m_window(window)
    {
        qApp->installEventFilter(this);
    }
    int paints() const { return m_paints; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->window() == m_window)
            ++m_paints;
        return false;
    }

private:
    QWidget *m_window;
    int m_paints = 0;
};

// Waits until `done` holds and the window has been painted since `paintsBefore`, at most 5 s.
void waitForPaint(const PaintCounter &counter, int paintsBefore, const std::function<bool()> &done)
{
    QElapsedTimer timer;
    timer.start();
    while (!(done() && counter.paints() > paintsBefore) && timer.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QApplication::processEvents();
}

bool activate(QWidget *field)
{
    field->window()->activateWindow();
    field->setFocus();
    QElapsedTimer timer;
    timer.start();
    while (!(field->window()->isActiveWindow() && field->hasFocus()) && timer.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    QApplication::processEvents();
    return field->hasFocus();
}

// One side of a comparison: the field that receives the text, and the step that makes one
// character arrive in it.
struct Side {
    QPlainTextEdit *field;
    QWidget *focus;
    PaintCounter *paints;
    std::function<void()> step;
};

qint64 timeRound(const Side &side)
{
    if (!activate(side.focus)) {
        std::fprintf(stderr, "%s did not take the focus\n", qPrintable(side.focus->objectName()));
        std::exit(1);
    }
    side.field->clear();
    QApplication::processEvents();
    const qint64 start = ProcessCpuNs();
    for (int i = 1; i <= kKeysPerRound; ++i) {
        const int paints = side.paints->paints();
        side.step();
        xcb_flush(connection());
        waitForPaint(*side.paints, paints,
                     [&] { return side.field->document()->characterCount() > i; });
    }
    const qint64 spent = ProcessCpuNs() - start;
    if (side.field->document()->characterCount() != kKeysPerRound + 1)
        std::fprintf(stderr, "%s did not take every character\n",
                     qPrintable(side.field->objectName()));
    return spent;
}

struct Figure {
    double ratio;
    double plainUs;
    double measuredUs;
};

// The rounds alternate and each is compared with the round before it, so a load that comes
// and goes on the machine weighs on both sides alike.
Figure compare(const Side &plain, const Side &measured)
{
    timeRound(plain);
    timeRound(measured);
    std::vector<double> ratios;
    std::vector<double> plainUs;
    std::vector<double> measuredUs;
    for (int round = 0; round < kRounds; ++round) {
        const qint64 base = timeRound(plain);
        const qint64 spent = timeRound(measured);
        ratios.push_back(double(spent) / base);
        plainUs.push_back(base / 1e3 / kKeysPerRound);
        measuredUs.push_back(spent / 1e3 / kKeysPerRound);
    }
    return {median(ratios), median(plainUs), median(measuredUs)};
}

void typeK()
{
    fake(XCB_KEY_PRESS, kKeyK);
    fake(XCB_KEY_RELEASE, kKeyK);
}

void click()
{
    fake(XCB_BUTTON_PRESS, kLeftButton);
    fake(XCB_BUTTON_RELEASE, kLeftButton);
}

// A click as Qt mouse events sent straight to the button, without the X server.
void sendClick(QWidget *button)
{
    const QPointF at = QRectF(button->rect()).center();
    const QPointF global = button->mapToGlobal(at);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, global, Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(button, &event);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // The main window reads and writes its settings and data folders in a home of its own.
    QTemporaryDir home;
    UseHome(home.path());
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    SetFolderVars(PlatformBaseFolders(QApplication::applicationDirPath()));

    TMainFrm mainFrm;
    mainFrm.move(0, 0);
    showAndWait(&mainFrm);
    QPlainTextEdit *area = mainFrm.body()->areas()->russianArea();
    area->setObjectName(QStringLiteral("the Russian area"));
    TKeyButton *padKey =
        mainFrm.body()->rusPad()->findChild<TKeyButton *>(QStringLiteral("KeyButton%1").arg(34));

    // The plain side: an edit of the area's size and font, and a button of the pad key's size
    // that inserts the key's letter, in a window of the main window's size.
    QWidget plainWindow;
    plainWindow.resize(mainFrm.size());
    plainWindow.move(0, 0);
    auto *plainArea = new QPlainTextEdit(&plainWindow);
    plainArea->setObjectName(QStringLiteral("the plain edit"));
    plainArea->setGeometry(QRect(area->mapTo(&mainFrm, QPoint(0, 0)), area->size()));
    plainArea->setFont(area->font());
    auto *plainButton = new QPushButton(padKey->text(), &plainWindow);
    plainButton->setGeometry(QRect(padKey->mapTo(&mainFrm, QPoint(0, 0)), padKey->size()));
    plainButton->setFocusPolicy(Qt::NoFocus);
    const QString letter = padKey->text();
    QObject::connect(plainButton, &QPushButton::clicked, plainArea,
                     [plainArea, letter] { plainArea->textCursor().insertText(letter); });
    showAndWait(&plainWindow);

    PaintCounter mainPaints(&mainFrm);
    PaintCounter plainPaints(&plainWindow);
    const Side plainKeys{plainArea, plainArea, &plainPaints, typeK};
    const Side areaKeys{area, area, &mainPaints, typeK};
    const Figure keys = compare(plainKeys, areaKeys);
    if (!area->toPlainText().startsWith(u'к')) {
        std::fprintf(stderr, "the Russian area did not type the mnemonic layout\n");
        return 1;
    }

    const Side plainClicks{plainArea, plainArea, &plainPaints, [plainButton] {
                               moveTo(plainButton);
                               click();
                           }};
    const Side padClicks{area, area, &mainPaints, [padKey] {
                             moveTo(padKey);
                             click();
                         }};
    const Figure clicks = compare(plainClicks, padClicks);
    const Figure sentClicks =
        compare({plainArea, plainArea, &plainPaints, [plainButton] { sendClick(plainButton); }},
                {area, area, &mainPaints, [padKey] { sendClick(padKey); }});

    std::printf("%d rounds of %d, through the X server, painted, CPU time, median of the round "
                "ratios\n",
                kRounds, kKeysPerRound);
    std::printf("plain QPlainTextEdit and QPushButton: 1.00x (baseline)\n");
    std::printf("key in the Russian area / plain QPlainTextEdit: %.2fx (goal <= %.2fx); "
                "%.0f us against %.0f us a key\n",
                keys.ratio, kGoal, keys.measuredUs, keys.plainUs);
    std::printf("pad key click / plain QPushButton: %.2fx (goal <= %.2fx); %.0f us against "
                "%.0f us a click\n",
                clicks.ratio, kGoal, clicks.measuredUs, clicks.plainUs);
    std::printf("pad key click as Qt events / plain QPushButton: %.2fx (goal <= %.2fx); %.0f us "
                "against %.0f us a click\n",
                sentClicks.ratio, kGoal, sentClicks.measuredUs, sentClicks.plainUs);
    return 0;
}
