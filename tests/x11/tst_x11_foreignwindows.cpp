// The X11 foreign window backend against real X servers: the session's, with openbox and a Tk
// client that pastes with Ctrl+V, and a private Xvfb without a window manager, where the test
// builds the windows itself and records the keys the backend sends.
#include "platform/foreignwindows.h"
#include "platform/platformservices.h"
#include "platform/x11/x11foreignwindows.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <qguiapplication_platform.h>
#include <thread>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

namespace {

constexpr int processTimeoutMs = 10000;

// A Tk text widget that writes its content to the file named by its first argument whenever
// it changes; it pastes the clipboard on Ctrl+V.
constexpr char clientScript[] = R"tcl(
set out [lindex $argv 0]
wm title . "\u0412\u0441\u0442\u0430\u0432\u043a\u0430 \u30c6\u30b9\u30c8"
text .t -width 40 -height 5
pack .t
focus .t
set last ""
proc save {} {
    global out last
    set now [.t get 1.0 {end - 1 chars}]
    if {$now ne $last || ![file exists $out]} {
        set last $now
        set f [open $out.part w]
        fconfigure $f -encoding utf-8
        puts -nonewline $f $now
        close $f
        file rename -force $out.part $out
    }
    after 20 save
}
save
)tcl";

const QString clientTitle = QString::fromUtf8("Вставка テスト");

// Runs the process on `display`; empty: the session's.
void useDisplay(QProcess &process, const QByteArray &display)
{
    if (display.isEmpty())
        return;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"DISPLAY"_qs, QString::fromLatin1(display));
    process.setProcessEnvironment(env);
}

QString run(const QString &program, const QStringList &args, const QByteArray &display = {})
{
    QProcess process;
    useDisplay(process, display);
    process.start(program, args);
    if (!process.waitForFinished(processTimeoutMs) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A Tk client started under a unique instance name; `id` is its top-level (client) window.
struct TkClient {
    QProcess process;
    QString output;
    xcb_window_t id = XCB_NONE;

    bool start(const QTemporaryDir &dir, const QString &name, const QByteArray &display = {})
    {
        const QString script = dir.filePath(u"client.tcl"_qs);
        QFile file(script);
        if (!file.exists() && (!file.open(QIODevice::WriteOnly) || file.write(clientScript) < 0))
            return false;
        file.close();
        output = dir.filePath(name + u".txt"_qs);
        useDisplay(process, display);
        process.start(u"wish"_qs, {script, output, u"-name"_qs, name});
        QDeadlineTimer deadline(processTimeoutMs);
        while (id == XCB_NONE && !deadline.hasExpired()) {
            const QString found =
                run(u"xdotool"_qs, {u"search"_qs, u"--classname"_qs, name}, display);
            id = found.section(u'\n', 0, 0).toUInt();
            if (id == XCB_NONE)
                QTest::qWait(50);
        }
        return id != XCB_NONE && QTest::qWaitFor([this] { return QFile::exists(output); });
    }

    ~TkClient()
    {
        process.kill();
        process.waitForFinished();
    }
};

// One property of a test window. Text goes as 8-bit data, cardinals and atoms as 32-bit.
struct PropertyValue {
    QByteArray name;
    QByteArray type;
    QByteArray bytes;
    QList<quint32> cardinals;
    QByteArrayList atoms;
};

PropertyValue text(const char *name, const char *type, const QByteArray &bytes)
{
    return {name, type, bytes, {}, {}};
}

PropertyValue cardinal(const char *name, quint32 value)
{
    return {name, "CARDINAL", {}, {value}, {}};
}

PropertyValue atomList(const char *name, const QByteArrayList &atoms)
{
    return {name, "ATOM", {}, {}, atoms};
}

// A key event the test's window received: "press Control_L", with the XKB group and the
// modifier mask of its state.
struct ReceivedKey {
    QString what;
    int group;
    int modifiers;
};

// An Xvfb of the test's own, without a window manager, and a connection to it.
class PrivateDisplay {
public:
    ~PrivateDisplay()
    {
        if (m_connection)
            xcb_disconnect(m_connection);
        m_server.terminate();
        m_server.waitForFinished();
    }

    bool start()
    {
        m_server.start(u"Xvfb"_qs, {u"-displayfd"_qs, u"1"_qs, u"-screen"_qs, u"0"_qs,
                                    u"640x480x24"_qs, u"-nolisten"_qs, u"tcp"_qs});
        if (!m_server.waitForReadyRead(processTimeoutMs))
            return false;
        name = ':' + m_server.readAllStandardOutput().trimmed();
        m_connection = xcb_connect(name.constData(), nullptr);
        if (xcb_connection_has_error(m_connection))
            return false;
        root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        free(xcb_xkb_use_extension_reply(m_connection, xcb_xkb_use_extension(m_connection, 1, 0),
                                         nullptr));
        return true;
    }

    xcb_atom_t atom(const QByteArray &atomName)
    {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, atomName.size(), atomName.constData()),
            nullptr);
        const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return result;
    }

    xcb_window_t createWindow(xcb_window_t parent, uint32_t eventMask = 0, bool mapped = true)
    {
        const xcb_window_t window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, parent, 0, 0, 200, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                          &eventMask);
        if (mapped)
            xcb_map_window(m_connection, window);
        sync();
        return window;
    }

    void destroyWindow(xcb_window_t window)
    {
        xcb_destroy_window(m_connection, window);
        sync();
    }

    void setProperty(xcb_window_t window, const PropertyValue &property)
    {
        QList<quint32> values = property.cardinals;
        for (const QByteArray &atomName : property.atoms)
            values.append(atom(atomName));
        const bool isText = values.isEmpty();
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, atom(property.name),
                            atom(property.type), isText ? 8 : 32,
                            isText ? property.bytes.size() : values.size(),
                            isText ? static_cast<const void *>(property.bytes.constData())
                                   : static_cast<const void *>(values.constData()));
        sync();
    }

    void focus(xcb_window_t window)
    {
        xcb_set_input_focus(m_connection, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        sync();
    }

    xcb_window_t inputFocus()
    {
        xcb_get_input_focus_reply_t *reply =
            xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr);
        const xcb_window_t result = reply ? reply->focus : XCB_NONE;
        free(reply);
        return result;
    }

    void sync() { inputFocus(); }

    bool setLayout(const QString &layout)
    {
        const bool done =
            QProcess::execute(u"setxkbmap"_qs, {u"-display"_qs, QString::fromLatin1(name),
                                                u"-layout"_qs, layout}) == 0;
        m_keycodes.clear();
        m_names.clear();
        return done;
    }

    int group()
    {
        xcb_xkb_get_state_reply_t *state = xcb_xkb_get_state_reply(
            m_connection, xcb_xkb_get_state(m_connection, XCB_XKB_ID_USE_CORE_KBD), nullptr);
        const int result = state ? state->lockedGroup : -1;
        free(state);
        return result;
    }

    void lockGroup(int group)
    {
        xcb_xkb_latch_lock_state(m_connection, XCB_XKB_ID_USE_CORE_KBD, 0, 0, 1, group, 0, 0, 0);
        sync();
    }

    // The key with `keysym` in the first two groups of the core keyboard map.
    xcb_keycode_t keycode(xcb_keysym_t keysym)
    {
        readKeycodes();
        return m_keycodes.key(keysym, 0);
    }

    void fakeKey(uint8_t type, xcb_keycode_t code, xcb_connection_t *connection = nullptr)
    {
        connection = connection ? connection : m_connection;
        xcb_test_fake_input(connection, type, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }

    QList<ReceivedKey> receivedKeys()
    {
        sync();
        readKeycodes();
        QList<ReceivedKey> keys;
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            const int type = event->response_type & 0x7f;
            if (type == XCB_KEY_PRESS || type == XCB_KEY_RELEASE) {
                const auto *key = reinterpret_cast<xcb_key_press_event_t *>(event);
                const QString name = m_names.value(key->detail, QString::number(key->detail));
                keys.append({(type == XCB_KEY_PRESS ? u"press "_qs : u"release "_qs) + name,
                             (key->state >> 13) & 0x3, key->state & 0xff});
            }
            free(event);
        }
        return keys;
    }

    QByteArray name;
    xcb_window_t root = XCB_NONE;

private:
    void readKeycodes()
    {
        if (!m_keycodes.isEmpty())
            return;
        const xcb_setup_t *setup = xcb_get_setup(m_connection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t *mapping = xcb_get_keyboard_mapping_reply(
            m_connection, xcb_get_keyboard_mapping(m_connection, setup->min_keycode, count),
            nullptr);
        const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(mapping);
        const int perKey = mapping->keysyms_per_keycode;
        const QMap<xcb_keysym_t, QString> known{{0x76, u"v"_qs},
                                                {0xff63, u"Insert"_qs},
                                                {0xffe3, u"Control_L"_qs},
                                                {0xffe1, u"Shift_L"_qs}};
        for (int key = 0; key < count; ++key) {
            for (int i = 0; i < qMin(perKey, 4); ++i) {
                const xcb_keysym_t sym = syms[key * perKey + i];
                const auto code = static_cast<xcb_keycode_t>(setup->min_keycode + key);
                if (known.contains(sym) && !m_names.contains(code)) {
                    m_keycodes.insert(code, sym);
                    m_names.insert(code, known.value(sym));
                }
            }
        }
        free(mapping);
    }

    QProcess m_server;
    xcb_connection_t *m_connection = nullptr;
    QMap<xcb_keycode_t, xcb_keysym_t> m_keycodes;
    QMap<xcb_keycode_t, QString> m_names;
};

} // namespace

Q_DECLARE_METATYPE(QList<PropertyValue>)
Q_DECLARE_METATYPE(PasteKey)

class TestX11ForeignWindows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void platformChoosesTheX11Backend();
    void foregroundWindowIsTheActiveClient();
    void ownWindowIsShell();
    void activateBringsTheClientToTheFront();
    void activateFailsForWindowsThatCannotBeActivated_data();
    void activateFailsForWindowsThatCannotBeActivated();
    void sendPastePastesTheClipboardIntoTheClient();

    void describesTheFocusedClientWindow_data();
    void describesTheFocusedClientWindow();
    void focusOnNothingOrTheRootIsShell();
    void activateWithoutWindowManagerFocusesTheWindow();
    void pasteKeystrokes_data();
    void pasteKeystrokes();
    void pasteGoesNowhereButToTheTarget();
    void pasteWaitsUntilTheUserReleasesShift();
    void pasteReachesAClientWhoseLayoutLacksLatin();
    void waylandSessionNeedsTheXInputFocus_data();
    void waylandSessionNeedsTheXInputFocus();

private:
    bool ensureWindowManager();

    QProcess m_windowManager;
    QTemporaryDir m_dir;
    TkClient m_client;
    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<X11ForeignWindows> m_backend;
    PrivateDisplay m_private;
    std::unique_ptr<X11ForeignWindows> m_privateBackend;
};

void TestX11ForeignWindows::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), u"xcb"_qs);
    QVERIFY(m_dir.isValid());
    QVERIFY2(ensureWindowManager(), "no EWMH window manager in the session");
    m_window = std::make_unique<QLineEdit>();
    m_window->setWindowTitle(u"Kalvo foreign windows test"_qs);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QVERIFY(m_client.start(m_dir, u"kalvo-paste-client"_qs));
    m_backend = X11ForeignWindows::open();
    QVERIFY(m_backend);

    QVERIFY(m_private.start());
    m_privateBackend = X11ForeignWindows::open(m_private.name.constData());
    QVERIFY(m_privateBackend);
}

void TestX11ForeignWindows::cleanupTestCase()
{
    m_windowManager.terminate();
    m_windowManager.waitForFinished();
}

// tests/x11/x11-session starts openbox; should that have failed, the test starts it itself
// rather than test the EWMH road without a window manager. Openbox runs the startup command
// once it manages windows; a window mapped before may be lost.
bool TestX11ForeignWindows::ensureWindowManager()
{
    if (!run(u"wmctrl"_qs, {u"-m"_qs}).isEmpty())
        return true;
    const QString ready = m_dir.filePath(u"openbox-ready"_qs);
    m_windowManager.start(u"openbox"_qs,
                          {u"--sm-disable"_qs, u"--startup"_qs, u"touch "_qs + ready});
    return QTest::qWaitFor([&] { return QFile::exists(ready); }, processTimeoutMs);
}

void TestX11ForeignWindows::platformChoosesTheX11Backend()
{
    QVERIFY(PlatformServices::foreignWindows().available());
}

void TestX11ForeignWindows::foregroundWindowIsTheActiveClient()
{
    run(u"xdotool"_qs, {u"windowactivate"_qs, u"--sync"_qs, QString::number(m_client.id)});
    QTRY_COMPARE(m_backend->foregroundWindow().id, quintptr(m_client.id));
    const ForeignWindow window = m_backend->foregroundWindow();
    QCOMPARE(window.title, clientTitle);
    QVERIFY(!window.shell);
    QCOMPARE(window.pasteKey, PasteKey::CtrlV);
}

void TestX11ForeignWindows::ownWindowIsShell()
{
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTRY_COMPARE(m_backend->foregroundWindow().id, quintptr(m_window->winId()));
    QVERIFY(m_backend->foregroundWindow().shell);
}

void TestX11ForeignWindows::activateBringsTheClientToTheFront()
{
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QVERIFY(m_backend->activate(m_client.id));
    QCOMPARE(run(u"xdotool"_qs, {u"getactivewindow"_qs}).toUInt(), m_client.id);
    QTRY_VERIFY(!m_window->isActiveWindow());
}

void TestX11ForeignWindows::activateFailsForWindowsThatCannotBeActivated_data()
{
    QTest::addColumn<QString>("which");
    QTest::newRow("closed window") << u"closed"_qs;
    QTest::newRow("no window") << u"none"_qs;
    QTest::newRow("root window") << u"root"_qs;
}

void TestX11ForeignWindows::activateFailsForWindowsThatCannotBeActivated()
{
    QFETCH(QString, which);
    quintptr id = 0;
    if (which == u"closed"_qs) {
        // Never shown, so that the window manager does not move the focus when it goes.
        auto closed = std::make_unique<QWindow>();
        closed->create();
        id = closed->winId();
        closed.reset();
        QGuiApplication::sync();
    } else if (which == u"root"_qs) {
        auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        id = xcb_setup_roots_iterator(xcb_get_setup(x11->connection())).data->root;
    }
    const quintptr before = m_backend->foregroundWindow().id;
    QVERIFY(!m_backend->activate(id));
    QCOMPARE(m_backend->foregroundWindow().id, before);
}

void TestX11ForeignWindows::sendPastePastesTheClipboardIntoTheClient()
{
    const QString pasted = QString::fromUtf8("привет 日本");
    QGuiApplication::clipboard()->setText(pasted);
    QVERIFY(m_backend->activate(m_client.id));
    QCOMPARE(m_backend->sendPaste(m_client.id, PasteKey::CtrlV), PasteResult::Sent);
    QTRY_COMPARE(readFile(m_client.output), pasted);
}

void TestX11ForeignWindows::describesTheFocusedClientWindow_data()
{
    QTest::addColumn<bool>("managed");
    QTest::addColumn<QList<PropertyValue>>("properties");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("shell");
    QTest::addColumn<PasteKey>("pasteKey");

    constexpr PasteKey ctrlV = PasteKey::CtrlV;

    const QByteArray utf8Title = clientTitle.toUtf8();
    const QByteArray host = QSysInfo::machineHostName().toLocal8Bit();
    const auto pid = quint32(getpid());
    QTest::newRow("UTF-8 _NET_WM_NAME before WM_NAME")
        << true
        << QList{text("_NET_WM_NAME", "UTF8_STRING", utf8Title),
                 text("WM_NAME", "STRING", "fallback")}
        << clientTitle << false << ctrlV;
    QTest::newRow("WM_NAME in Latin-1")
        << true << QList{text("WM_NAME", "STRING", "Caf\xe9 na\xefve")}
        << QString::fromUtf8("Café naïve") << false << ctrlV;
    QTest::newRow("WM_NAME in compound text")
        << true
        << QList{text("WM_NAME", "COMPOUND_TEXT",
                      "\x1b-L\xbf\xe0\xd8\xd2\xd5\xe2 \x1b$)B\xa5\xc6\xa5\xb9\xa5\xc8\x1b-A!")}
        << QString::fromUtf8("Привет テスト!") << false << ctrlV;
    QTest::newRow("compound text: UTF-8 segment, JIS in GL, unknown set")
        << true
        << QList{text("WM_NAME", "COMPOUND_TEXT",
                      "a\x1b%G\xe6\x97\xa5\x1b%@\x1b$(B%F\x1b(B b\x1b-Z\xe0")}
        << QString::fromUtf8("a日テ b\uFFFD") << false << ctrlV;
    QTest::newRow("long title cut at 254")
        << true << QList{text("_NET_WM_NAME", "UTF8_STRING", QString(300, u'я').toUtf8())}
        << QString(254, u'я') << false << ctrlV;
    QTest::newRow("cut leaves no half surrogate pair")
        << true
        << QList{text("_NET_WM_NAME", "UTF8_STRING", QByteArray(253, 'a') + "\xf0\x9f\x98\x80tail")}
        << QString(253, u'a') << false << ctrlV;
    QTest::newRow("xterm") << true
                           << QList{text("WM_CLASS", "STRING", QByteArray("xterm\0XTerm\0", 12))}
                           << QString() << false << PasteKey::ShiftInsert;
    QTest::newRow("GNOME Terminal")
        << true
        << QList{text("WM_CLASS", "STRING",
                      QByteArray("gnome-terminal-server\0Gnome-terminal\0", 37))}
        << QString() << false << PasteKey::CtrlShiftV;
    QTest::newRow("Alacritty, other case")
        << true << QList{text("WM_CLASS", "STRING", QByteArray("ALACRITTY\0Alacritty\0", 20))}
        << QString() << false << PasteKey::CtrlShiftV;
    QTest::newRow("rxvt-unicode") << true
                                  << QList{text("WM_CLASS", "STRING",
                                                QByteArray("urxvt\0URxvt\0", 12))}
                                  << QString() << false << PasteKey::ShiftInsert;
    QTest::newRow("browser") << true
                             << QList{text("WM_CLASS", "STRING",
                                           QByteArray("Navigator\0firefox\0", 18))}
                             << QString() << false << ctrlV;
    QTest::newRow("dock") << true
                          << QList{atomList("_NET_WM_WINDOW_TYPE", {"_NET_WM_WINDOW_TYPE_DOCK"})}
                          << QString() << true << ctrlV;
    QTest::newRow("desktop among other types")
        << true
        << QList{atomList("_NET_WM_WINDOW_TYPE",
                          {"_NET_WM_WINDOW_TYPE_NORMAL", "_NET_WM_WINDOW_TYPE_DESKTOP"})}
        << QString() << true << ctrlV;
    QTest::newRow("normal window")
        << true << QList{atomList("_NET_WM_WINDOW_TYPE", {"_NET_WM_WINDOW_TYPE_NORMAL"})}
        << QString() << false << ctrlV;
    QTest::newRow("our process on our host")
        << true << QList{cardinal("_NET_WM_PID", pid), text("WM_CLIENT_MACHINE", "STRING", host)}
        << QString() << true << ctrlV;
    QTest::newRow("our process id on another host")
        << true
        << QList{cardinal("_NET_WM_PID", pid),
                 text("WM_CLIENT_MACHINE", "STRING", "elsewhere.invalid")}
        << QString() << false << ctrlV;
    QTest::newRow("unmanaged top-level window")
        << false << QList{text("_NET_WM_NAME", "UTF8_STRING", "plain")} << u"plain"_qs << false
        << ctrlV;
}

// Managed: root > frame > client (WM_STATE and the properties) > child with the focus.
// Unmanaged: root > client (the properties) > child with the focus.
void TestX11ForeignWindows::describesTheFocusedClientWindow()
{
    QFETCH(bool, managed);
    QFETCH(QList<PropertyValue>, properties);
    QFETCH(QString, title);
    QFETCH(bool, shell);
    QFETCH(PasteKey, pasteKey);

    const xcb_window_t frame = managed ? m_private.createWindow(m_private.root) : m_private.root;
    const xcb_window_t client = m_private.createWindow(frame);
    if (managed)
        m_private.setProperty(client, {"WM_STATE", "WM_STATE", {}, {1, 0}, {}});
    for (const PropertyValue &property : properties)
        m_private.setProperty(client, property);
    const xcb_window_t child = m_private.createWindow(client);
    m_private.focus(child);

    const ForeignWindow window = m_privateBackend->foregroundWindow();
    QCOMPARE(window.id, quintptr(client));
    QCOMPARE(window.title, title);
    QCOMPARE(window.shell, shell);
    QCOMPARE(window.pasteKey, pasteKey);
    m_private.destroyWindow(managed ? frame : client);
}

void TestX11ForeignWindows::focusOnNothingOrTheRootIsShell()
{
    m_private.focus(XCB_NONE);
    ForeignWindow window = m_privateBackend->foregroundWindow();
    QCOMPARE(window.id, quintptr(0));
    QVERIFY(window.shell);

    m_private.focus(m_private.root);
    window = m_privateBackend->foregroundWindow();
    QCOMPARE(window.id, quintptr(m_private.root));
    QVERIFY(window.shell);
}

void TestX11ForeignWindows::activateWithoutWindowManagerFocusesTheWindow()
{
    const xcb_window_t target = m_private.createWindow(m_private.root);
    const xcb_window_t unmapped = m_private.createWindow(m_private.root, 0, false);
    m_private.focus(XCB_NONE);

    QVERIFY(m_privateBackend->activate(target));
    QCOMPARE(m_private.inputFocus(), target);
    QVERIFY(!m_privateBackend->activate(unmapped));
    m_private.destroyWindow(target);
    QVERIFY(!m_privateBackend->activate(target));
    m_private.destroyWindow(unmapped);
}

void TestX11ForeignWindows::pasteKeystrokes_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("lockedGroup");
    QTest::addColumn<PasteKey>("pasteKey");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<int>("groupOfKey");

    const QStringList ctrlV{u"press Control_L"_qs, u"press v"_qs, u"release v"_qs,
                            u"release Control_L"_qs};
    const QStringList ctrlShiftV{u"press Control_L"_qs, u"press Shift_L"_qs,
                                 u"press v"_qs,         u"release v"_qs,
                                 u"release Shift_L"_qs, u"release Control_L"_qs};
    const QStringList shiftInsert{u"press Shift_L"_qs, u"press Insert"_qs, u"release Insert"_qs,
                                  u"release Shift_L"_qs};
    QTest::newRow("Ctrl+V") << u"us"_qs << 0 << PasteKey::CtrlV << ctrlV << 0;
    QTest::newRow("Ctrl+Shift+V") << u"us"_qs << 0 << PasteKey::CtrlShiftV << ctrlShiftV << 0;
    QTest::newRow("Shift+Insert") << u"us"_qs << 0 << PasteKey::ShiftInsert << shiftInsert << 0;
    QTest::newRow("Russian first, Latin in the second group")
        << u"ru,us"_qs << 0 << PasteKey::CtrlV << ctrlV << 1;
    QTest::newRow("Russian group locked, Latin in the first")
        << u"us,ru"_qs << 1 << PasteKey::CtrlShiftV << ctrlShiftV << 0;
    QTest::newRow("Shift+Insert in the Russian group")
        << u"us,ru"_qs << 1 << PasteKey::ShiftInsert << shiftInsert << 1;
}

void TestX11ForeignWindows::pasteKeystrokes()
{
    QFETCH(QString, layout);
    QFETCH(int, lockedGroup);
    QFETCH(PasteKey, pasteKey);
    QFETCH(QStringList, keys);
    QFETCH(int, groupOfKey);

    QVERIFY(m_private.setLayout(layout));
    m_private.lockGroup(lockedGroup);
    const xcb_window_t recorder = m_private.createWindow(
        m_private.root, XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE);
    QVERIFY(m_privateBackend->activate(recorder));
    m_private.receivedKeys();

    QCOMPARE(m_privateBackend->sendPaste(recorder, pasteKey), PasteResult::Sent);
    const QList<ReceivedKey> received = m_private.receivedKeys();
    QStringList names;
    for (const ReceivedKey &key : received)
        names.append(key.what);
    QCOMPARE(names, keys);
    // The key pressed last, with every modifier pressed before it held.
    const qsizetype main = keys.size() / 2 - 1;
    QCOMPARE(received.at(main).group, groupOfKey);
    int held = 0;
    for (qsizetype i = 0; i < main; ++i)
        held |= keys.at(i).endsWith(u"Shift_L"_qs) ? XCB_MOD_MASK_SHIFT : XCB_MOD_MASK_CONTROL;
    QCOMPARE(received.at(main).modifiers, held);
    QCOMPARE(m_private.group(), lockedGroup);
    m_private.destroyWindow(recorder);
}

// Another window has the input when the paste is due: not a key reaches it.
void TestX11ForeignWindows::pasteGoesNowhereButToTheTarget()
{
    QVERIFY(m_private.setLayout(u"us"_qs));
    const xcb_window_t target = m_private.createWindow(m_private.root);
    const xcb_window_t elsewhere = m_private.createWindow(
        m_private.root, XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE);
    QVERIFY(m_privateBackend->activate(elsewhere));
    m_private.receivedKeys();
    QCOMPARE(m_privateBackend->sendPaste(target, PasteKey::CtrlV), PasteResult::Interrupted);
    QCOMPARE(m_private.receivedKeys().size(), 0);
    m_private.destroyWindow(target);
    m_private.destroyWindow(elsewhere);
}

// The user still holds Shift when the paste is due; a second connection lets go of it later.
void TestX11ForeignWindows::pasteWaitsUntilTheUserReleasesShift()
{
    QVERIFY(m_private.setLayout(u"us"_qs));
    const xcb_window_t recorder = m_private.createWindow(
        m_private.root, XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE);
    QVERIFY(m_privateBackend->activate(recorder));
    const xcb_keycode_t shift = m_private.keycode(0xffe1);
    QVERIFY(shift != 0);
    m_private.fakeKey(XCB_KEY_PRESS, shift);
    m_private.receivedKeys();

    constexpr int holdMs = 300;
    std::thread user([&] {
        xcb_connection_t *connection = xcb_connect(m_private.name.constData(), nullptr);
        std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
        m_private.fakeKey(XCB_KEY_RELEASE, shift, connection);
        xcb_disconnect(connection);
    });
    QElapsedTimer timer;
    timer.start();
    const PasteResult result = m_privateBackend->sendPaste(recorder, PasteKey::CtrlV);
    const qint64 elapsed = timer.elapsed();
    user.join();

    QCOMPARE(result, PasteResult::Sent);
    QVERIFY2(elapsed >= holdMs - 20 && elapsed < 1000, QByteArray::number(elapsed));
    QStringList names;
    for (const ReceivedKey &key : m_private.receivedKeys()) {
        names.append(key.what);
        if (key.what == u"press v"_qs)
            QCOMPARE(key.modifiers, int(XCB_MOD_MASK_CONTROL));
    }
    QCOMPARE(names, (QStringList{u"release Shift_L"_qs, u"press Control_L"_qs, u"press v"_qs,
                                 u"release v"_qs, u"release Control_L"_qs}));
    m_private.destroyWindow(recorder);
}

// The whole road without a window manager, into a real client with a Russian-first layout:
// focused, pasted into, and the Russian group in effect again afterwards.
void TestX11ForeignWindows::pasteReachesAClientWhoseLayoutLacksLatin()
{
    QVERIFY(m_private.setLayout(u"ru,us"_qs));
    const QString pasted = QString::fromUtf8("текст");
    QProcess clipboard;
    clipboard.start(u"xclip"_qs,
                    {u"-quiet"_qs, u"-selection"_qs, u"clipboard"_qs, u"-t"_qs, u"UTF8_STRING"_qs,
                     u"-display"_qs, QString::fromLatin1(m_private.name)});
    QVERIFY(clipboard.waitForStarted());
    clipboard.write(pasted.toUtf8());
    clipboard.closeWriteChannel();
    QTRY_VERIFY(!run(u"xclip"_qs, {u"-o"_qs, u"-selection"_qs, u"clipboard"_qs, u"-display"_qs,
                                   QString::fromLatin1(m_private.name)})
                     .isEmpty());

    TkClient client;
    QVERIFY(client.start(m_dir, u"kalvo-private-client"_qs, m_private.name));
    QVERIFY(m_privateBackend->activate(client.id));
    QTRY_COMPARE(m_privateBackend->foregroundWindow().id, quintptr(client.id));
    QCOMPARE(m_privateBackend->sendPaste(client.id, PasteKey::CtrlV), PasteResult::Sent);
    QTRY_COMPARE(readFile(client.output), pasted);
    QCOMPARE(m_private.group(), 0);
    clipboard.kill();
    clipboard.waitForFinished();
}

void TestX11ForeignWindows::waylandSessionNeedsTheXInputFocus_data()
{
    QTest::addColumn<bool>("waylandSession");
    QTest::addColumn<bool>("clientActive");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("unseen");
    QTest::newRow("no active X window") << true << false << u"none"_qs << true;
    QTest::newRow("last X window kept, focus on nothing") << true << true << u"none"_qs << true;
    QTest::newRow("last X window kept, focus elsewhere") << true << true << u"other"_qs << true;
    QTest::newRow("X window with the input") << true << true << u"client"_qs << false;
    QTest::newRow("X11: the active window alone counts") << false << true << u"none"_qs << false;
}

// A window manager on the test's own display that reports `client` active, as XWayland's
// does, while the X input focus is wherever the row says.
void TestX11ForeignWindows::waylandSessionNeedsTheXInputFocus()
{
    QFETCH(bool, waylandSession);
    QFETCH(bool, clientActive);
    QFETCH(QString, focus);
    QFETCH(bool, unseen);

    const std::unique_ptr<X11ForeignWindows> backend =
        X11ForeignWindows::open(m_private.name.constData(), waylandSession);
    QVERIFY(backend);
    const xcb_window_t check = m_private.createWindow(m_private.root, 0, false);
    const xcb_window_t frame = m_private.createWindow(m_private.root);
    const xcb_window_t client = m_private.createWindow(frame);
    const xcb_window_t other = m_private.createWindow(m_private.root);
    m_private.setProperty(client, {"WM_STATE", "WM_STATE", {}, {1, 0}, {}});
    m_private.setProperty(check, {"_NET_SUPPORTING_WM_CHECK", "WINDOW", {}, {check}, {}});
    m_private.setProperty(m_private.root, {"_NET_SUPPORTING_WM_CHECK", "WINDOW", {}, {check}, {}});
    m_private.setProperty(m_private.root,
                          {"_NET_ACTIVE_WINDOW", "WINDOW", {}, {clientActive ? client : 0}, {}});
    m_private.focus(focus == u"client"_qs ? client : focus == u"other"_qs ? other : XCB_NONE);

    const ForeignWindow window = backend->foregroundWindow();
    QCOMPARE(window.unseen, unseen);
    QCOMPARE(window.id, unseen ? quintptr(0) : quintptr(client));
    m_private.setProperty(m_private.root, {"_NET_SUPPORTING_WM_CHECK", "WINDOW", {}, {0}, {}});
    for (const xcb_window_t window : {check, frame, other})
        m_private.destroyWindow(window);
}

QTEST_MAIN(TestX11ForeignWindows)
#include "tst_x11_foreignwindows.moc"
