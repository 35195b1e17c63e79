// The Kalvo input method under Weston through fcitx5's Wayland front end: fcitx5 is Weston's
// input method, and a native Wayland program receives what it commits through text-input-v1.
// Run on the X display of tests/wayland/wayland-session; this test starts a Weston of its own.
#include "desktopclient.h"

#include <QTemporaryDir>

namespace {

const QString kSocket = u"kalvo-ime-wayland"_qs;

bool writeSetupFile(const QString &path, const QByteArray &text, bool executable = false)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return false;
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    return true;
}

// The X window of this test's Weston output, named after the output.
QString westonWindow()
{
    const QString tree = runTool(u"xwininfo"_qs, {u"-root"_qs, u"-tree"_qs});
    static const QRegularExpression line(u"^\\s*(0x[0-9a-f]+) \"Weston Compositor - X1\""_qs,
                                         QRegularExpression::MultilineOption);
    return line.match(tree).captured(1);
}

} // namespace

class TestImeWayland : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void typesIntoWaylandProgram_data();
    void typesIntoWaylandProgram();

private:
    QProcessEnvironment waylandEnvironment() const;

    QTemporaryDir m_dir;
    QProcess m_weston;
    QString m_westonWindow;
    std::unique_ptr<QProcess> m_client;
    QStringList m_lines;
};

QProcessEnvironment TestImeWayland::waylandEnvironment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_RUNTIME_DIR"_qs, m_dir.filePath(u"run"_qs));
    env.insert(u"WAYLAND_DISPLAY"_qs, kSocket);
    return env;
}

// fcitx5 with only the mnemonic method, so every field Weston opens meets it.
void TestImeWayland::initTestCase()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "run by tests/wayland/wayland-session");
    QVERIFY(m_dir.isValid());
    const QString home = m_dir.filePath(u"home"_qs);
    QVERIFY(writeSetupFile(home + u"/.config/fcitx5/profile"_qs, "[Groups/0]\nName=Default\n"
                                                                 "Default Layout=us\n"
                                                                 "DefaultIM=kalvo-mnemonic\n\n"
                                                                 "[Groups/0/Items/0]\n"
                                                                 "Name=kalvo-mnemonic\nLayout=\n\n"
                                                                 "[GroupOrder]\n0=Default\n"));
    const QString inputMethod = m_dir.filePath(u"input-method"_qs);
    QVERIFY(writeSetupFile(
        inputMethod,
        "#!/bin/sh\nexport HOME='" + home.toUtf8() + "' XDG_CONFIG_HOME='" + home.toUtf8() +
            "/.config'\n"
            "export FCITX_ADDON_DIRS='" KALVO_FCITX5_ADDON_DIR ":" FCITX5_SYSTEM_ADDON_DIR "'\n"
            "export FCITX_DATA_DIRS='" KALVO_FCITX5_DATA_DIR ":" FCITX5_SYSTEM_DATA_DIR "'\n"
            "exec fcitx5 --disable=dbus,xcb,xim,ibusfrontend,dbusfrontend,"
            "fcitx4frontend,notificationitem,kimpanel,classicui\n",
        true));
    QVERIFY(writeSetupFile(m_dir.filePath(u"weston.ini"_qs),
                           "[core]\nidle-time=0\n[shell]\nlocking=false\n[input-method]\npath=" +
                               inputMethod.toUtf8() + "\n[output]\nname=X1\nmode=640x400\n"));
    QVERIFY(QDir().mkpath(m_dir.filePath(u"run"_qs)));
    QFile::setPermissions(m_dir.filePath(u"run"_qs),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    m_weston.setProcessEnvironment(waylandEnvironment());
    m_weston.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_weston.start(u"weston"_qs,
                   {u"--config="_qs + m_dir.filePath(u"weston.ini"_qs),
                    u"--backend=x11-backend.so"_qs, u"--use-pixman"_qs, u"--socket="_qs + kSocket,
                    u"--log="_qs + m_dir.filePath(u"weston.log"_qs)});
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_dir.filePath(u"run/"_qs + kSocket)), 20000);
    for (int i = 0; i < 100 && m_westonWindow.isEmpty(); ++i) {
        m_westonWindow = westonWindow();
        QTest::qWait(100);
    }
    QVERIFY(!m_westonWindow.isEmpty());
    // Weston starts its input method, fcitx5, beside it; its add-ons take a moment to load.
    QTest::qWait(3000);
}

void TestImeWayland::cleanupTestCase()
{
    m_weston.terminate();
    m_weston.waitForFinished(10000);
}

void TestImeWayland::cleanup()
{
    if (m_client) {
        m_client->kill();
        m_client->waitForFinished(10000);
    }
    m_client.reset();
    m_lines.clear();
}

void TestImeWayland::typesIntoWaylandProgram_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("mnemonic") << QStringList{u"p"_qs, u"r"_qs, u"i"_qs, u"v"_qs, u"e"_qs, u"t"_qs}
                              << u"привет"_qs;
    QTest::newRow("stress mark") << QStringList{u"d"_qs, u"a"_qs, u"slash"_qs} << u"да\u0301"_qs;
    QTest::newRow("dead key and space")
        << QStringList{u"m"_qs, u"o"_qs, u"j"_qs, u"space"_qs} << u"мой"_qs;
}

void TestImeWayland::typesIntoWaylandProgram()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, text);

    m_client = std::make_unique<QProcess>();
    m_client->setProcessEnvironment(waylandEnvironment());
    m_client->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(m_client.get(), &QProcess::readyReadStandardOutput, this, [this] {
        while (m_client->canReadLine())
            m_lines << QString::fromUtf8(m_client->readLine()).chopped(1);
    });
    m_client->start(QStringLiteral(KALVO_WAYLAND_CLIENT), {u"kalvo-ime-wayland-client"_qs});
    QVERIFY(m_client->waitForStarted());
    // Weston gives the new window its keyboard and activates its field; the X server gives
    // Weston's window the keys under the pointer.
    QTRY_VERIFY_WITH_TIMEOUT(m_lines.contains(u"active"_qs), 15000);
    xdotool({u"mousemove"_qs, u"--window"_qs, m_westonWindow, u"600"_qs, u"380"_qs});
    QTest::qWait(300);
    xdotool(QStringList{u"key"_qs, u"--delay"_qs, u"80"_qs} + keys);
    const auto fieldText = [this] {
        const QStringList reports = m_lines.filter(QRegularExpression(u"^1:"_qs));
        return reports.isEmpty() ? QString() : reports.back().mid(2);
    };
    QTRY_COMPARE(fieldText(), text);
}

QTEST_GUILESS_MAIN(TestImeWayland)
#include "tst_ime_wayland.moc"
