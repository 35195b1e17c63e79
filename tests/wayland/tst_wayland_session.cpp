// Kalvo on a Wayland desktop (tests/wayland/wayland-session: Weston with XWayland, its outputs
// shown on the test's X server): natively, and through XWayland beside an X client (Tk) and a
// native Wayland client (weston-editor). Clicks and keys go to the test's X server, where
// Weston's seat takes them as a user's.
#include "desktopclient.h"

#include <QImage>
#include <QRegularExpression>

namespace {

const QString kTyped = u"привет"_qs;
// The key pad's background, shown only by Kalvo's main window.
const QRgb kPadColour = qRgb(0x99, 0xff, 0x99);
// The X windows' first output: Weston places new windows on the output under the pointer.
const QPoint kFirstOutputCentre(700, 450);

void moveTo(QPoint point)
{
    xdotool({u"mousemove"_qs, QString::number(point.x()), QString::number(point.y())});
}

void clickAt(QPoint point)
{
    moveTo(point);
    xdotool({u"click"_qs, u"1"_qs});
    QTest::qWait(300);
}

// Presses on `from` and lets go at `to` in small steps, as a hand drags a title bar.
void drag(QPoint from, QPoint to)
{
    moveTo(from);
    xdotool({u"mousedown"_qs, u"1"_qs});
    for (int step = 1; step <= 10; ++step) {
        moveTo(from + (to - from) * step / 10);
        QTest::qWait(30);
    }
    xdotool({u"mouseup"_qs, u"1"_qs});
    QTest::qWait(300);
}

// A window's client area on XWayland's root, which is where it shows on the test's server.
QRect xwaylandRect(const QString &id, const QString &display)
{
    const QString info = runTool(u"xwininfo"_qs, {u"-id"_qs, id}, display);
    const auto value = [&info](const QString &key) {
        const QRegularExpression pattern(key + u":\\s*(-?\\d+)"_qs);
        return pattern.match(info).captured(1).toInt();
    };
    return {value(u"Absolute upper-left X"_qs), value(u"Absolute upper-left Y"_qs),
            value(u"Width"_qs), value(u"Height"_qs)};
}

int pixelsOf(QRgb colour, const QRect &area)
{
    const QImage shot =
        QImage::fromData(runToolBytes(u"import"_qs, {u"-window"_qs, u"root"_qs, u"png:-"_qs}));
    int count = 0;
    for (int y = area.top(); y <= area.bottom() && y < shot.height(); ++y) {
        for (int x = area.left(); x <= area.right() && x < shot.width(); ++x)
            count += shot.pixel(x, y) == colour;
    }
    return count;
}

} // namespace

class TestWaylandSession : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void nativeKalvoFillsTheWaylandClipboard();
    void xwaylandTargetsOnlyTheXWindowTheUserLeft();

private:
    void startKalvo(bool native);
    QString kalvoTitle() const;
    QPoint kalvoTitleBar() const;
    void placeBesideKalvo(const QString &id);
    QString xwaylandClipboard() const;

    QString m_xwayland;
    QRect m_secondOutput;
    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<QProcess> m_kalvo;
    std::unique_ptr<QProcess> m_editor;
    QString m_kalvoId;
};

void TestWaylandSession::initTestCase()
{
    m_xwayland = qEnvironmentVariable("KALVO_XWAYLAND_DISPLAY");
    const QStringList output = qEnvironmentVariable("KALVO_WAYLAND_SECOND_OUTPUT").split(u' ');
    QVERIFY2(!m_xwayland.isEmpty() && output.size() == 4, "run by tests/wayland/wayland-session");
    m_secondOutput =
        QRect(output[0].toInt(), output[1].toInt(), output[2].toInt(), output[3].toInt());
}

void TestWaylandSession::init()
{
    m_home = std::make_unique<TempHome>();
}

void TestWaylandSession::cleanup()
{
    for (std::unique_ptr<QProcess> *process : {&m_kalvo, &m_editor}) {
        if (*process) {
            (*process)->terminate();
            (*process)->waitForFinished(10000);
        }
        process->reset();
    }
    m_home.reset();
}

void TestWaylandSession::startKalvo(bool native)
{
    moveTo(kFirstOutputCentre);
    m_kalvo = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (native) {
        env.remove(u"DISPLAY"_qs);
        env.insert(u"QT_QPA_PLATFORM"_qs, u"wayland"_qs);
    } else {
        env.insert(u"DISPLAY"_qs, m_xwayland);
        env.insert(u"QT_QPA_PLATFORM"_qs, u"xcb"_qs);
    }
    m_kalvo->setProcessEnvironment(env);
    m_kalvo->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_kalvo->start(QStringLiteral(KALVO_BINARY));
    if (native) {
        // No X window to find: the window is there once its key pad shows; Weston then gives
        // it the input.
        const QRect firstOutput(QPoint(0, 0), kFirstOutputCentre * 2);
        QTRY_VERIFY_WITH_TIMEOUT(pixelsOf(kPadColour, firstOutput) > 5000, 20000);
        QTest::qWait(500);
        return;
    }
    m_kalvoId = findWindow(u"^Kalvo"_qs, m_xwayland);
    QVERIFY(!m_kalvoId.isEmpty());
}

QString TestWaylandSession::kalvoTitle() const
{
    return xdotool({u"getwindowname"_qs, m_kalvoId}, m_xwayland);
}

QPoint TestWaylandSession::kalvoTitleBar() const
{
    const QRect kalvo = xwaylandRect(m_kalvoId, m_xwayland);
    return {kalvo.left() + 60, kalvo.top() - 12};
}

// Weston places X windows at random and moves them only when the user drags them: the
// client goes beside Kalvo by its title bar, so clicks on either reach the one meant.
void TestWaylandSession::placeBesideKalvo(const QString &id)
{
    const QRect kalvo = xwaylandRect(m_kalvoId, m_xwayland);
    const QRect client = xwaylandRect(id, m_xwayland);
    const int gap = 60;
    const bool rightOfKalvo = kalvo.right() + gap + client.width() < kFirstOutputCentre.x() * 2;
    const int left = rightOfKalvo ? kalvo.right() + gap : kalvo.left() - gap - client.width();
    QVERIFY2(left > 0, "no room beside Kalvo on the first output");
    const QPoint grip(client.center().x(), client.top() - 12);
    drag(grip, grip + QPoint(left - client.left(), kalvo.top() + 100 - client.top()));
    const QRect placed = xwaylandRect(id, m_xwayland);
    QVERIFY2(!placed.adjusted(-gap / 2, -gap / 2, gap / 2, gap / 2).intersects(kalvo),
             "the client still overlaps Kalvo");
}

QString TestWaylandSession::xwaylandClipboard() const
{
    return runTool(u"xclip"_qs, {u"-selection"_qs, u"clipboard"_qs, u"-o"_qs}, m_xwayland);
}

// Typed by Kalvo's own layout engine, transferred with F9, read by a Wayland client.
void TestWaylandSession::nativeKalvoFillsTheWaylandClipboard()
{
    startKalvo(true);
    typeAndTransfer();
    QTRY_COMPARE_WITH_TIMEOUT(runTool(u"wl-paste"_qs, {u"--no-newline"_qs}), kTyped, 5000);
}

void TestWaylandSession::xwaylandTargetsOnlyTheXWindowTheUserLeft()
{
    moveTo(m_secondOutput.center());
    m_editor = std::make_unique<QProcess>();
    m_editor->start(u"weston-editor"_qs);
    QTRY_VERIFY_WITH_TIMEOUT(pixelsOf(qRgb(255, 255, 255), m_secondOutput) > 50000, 10000);
    startKalvo(false);
    TkClient client(m_home->path(), u"Tk target"_qs, m_xwayland);
    QVERIFY(!client.id.isEmpty());
    placeBesideKalvo(client.id);
    const QPoint inClient = xwaylandRect(client.id, m_xwayland).center();

    clickAt(inClient);
    QTRY_COMPARE(kalvoTitle(), u"Kalvo  転送先: [ Tk target ]"_qs);
    // The editor fills the middle of the second output wherever Weston put it.
    clickAt(m_secondOutput.center());
    QTRY_COMPARE(kalvoTitle(), u"Kalvo"_qs);
    clickAt(kalvoTitleBar());
    typeAndTransfer();
    QTRY_COMPARE(xwaylandClipboard(), kTyped);
    QTest::qWait(1000);
    QVERIFY(client.text().isEmpty());

    // Weston's window manager refuses to raise the target, so F9 forgets it and sends
    // nothing; the paste itself is checked on X11.
    clickAt(inClient);
    QTRY_COMPARE(kalvoTitle(), u"Kalvo  転送先: [ Tk target ]"_qs);
    clickAt(kalvoTitleBar());
    xdotool({u"key"_qs, u"F9"_qs});
    QTRY_COMPARE(kalvoTitle(), u"Kalvo"_qs);
    QTest::qWait(1000);
    QVERIFY(client.text().isEmpty());
}

QTEST_GUILESS_MAIN(TestWaylandSession)
#include "tst_wayland_session.moc"
