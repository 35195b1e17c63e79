// The main window's place and size on a small screen, as a window manager frames it: the real
// program on an Xvfb of 1024 x 600 with openbox, measured from outside with xwininfo and xprop.
#include "kalvoprocess.h"
#include "testenv.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

constexpr int kTimeoutMs = 10000;

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(kTimeoutMs) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

int field(const QString &text, const QString &label)
{
    const QRegularExpression pattern(QRegularExpression::escape(label) + u":\\s*(-?\\d+)"_qs);
    return pattern.match(text).captured(1).toInt();
}

} // namespace

class TestX11Geometry : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void compactWindowFitsASmallScreen();

private:
    QString kalvoWindow();
    QRect wholeWindow(const QString &id);
    void stop(QProcess &kalvo);

    std::unique_ptr<TempHome> m_home;
    QProcess m_server;
    QProcess m_windowManager;
    QByteArray m_display;
};

void TestX11Geometry::initTestCase()
{
    m_home = std::make_unique<TempHome>();
    m_server.start(u"Xvfb"_qs, {u"-displayfd"_qs, u"1"_qs, u"-screen"_qs, u"0"_qs,
                                u"1024x600x24"_qs, u"-nolisten"_qs, u"tcp"_qs});
    QVERIFY(m_server.waitForReadyRead(kTimeoutMs));
    m_display = ':' + m_server.readAllStandardOutput().trimmed();
    qputenv("DISPLAY", m_display);
    const QString ready = m_home->path() + u"/openbox-ready"_qs;
    m_windowManager.start(u"openbox"_qs,
                          {u"--sm-disable"_qs, u"--startup"_qs, u"touch "_qs + ready});
    QVERIFY(QTest::qWaitFor([&] { return QFile::exists(ready); }, kTimeoutMs));
}

void TestX11Geometry::cleanupTestCase()
{
    m_windowManager.terminate();
    m_windowManager.waitForFinished();
    m_server.terminate();
    m_server.waitForFinished();
}

QString TestX11Geometry::kalvoWindow()
{
    QString id;
    // An empty id tells the caller the window never showed.
    (void)QTest::qWaitFor(
        [&] {
            id =
                run(u"xdotool"_qs, {u"search"_qs, u"--onlyvisible"_qs, u"--name"_qs, u"^Kalvo$"_qs})
                    .section(u'\n', 0, 0);
            return !id.isEmpty();
        },
        kTimeoutMs);
    return id;
}

// The inner window's place from xwininfo, grown by the frame the window manager announces.
QRect TestX11Geometry::wholeWindow(const QString &id)
{
    QList<uint> frame;
    (void)QTest::qWaitFor(
        [&] {
            const QString extents = run(u"xprop"_qs, {u"-id"_qs, id, u"_NET_FRAME_EXTENTS"_qs});
            frame.clear();
            for (const QString &value : extents.section(u'=', 1).split(u',', Qt::SkipEmptyParts))
                frame.append(value.trimmed().toUInt());
            return frame.size() == 4;
        },
        kTimeoutMs);
    if (frame.size() != 4)
        return {};
    QTest::qWait(300); // the window manager's last configure
    const QString info = run(u"xwininfo"_qs, {u"-id"_qs, id});
    const QRect inner(field(info, u"Absolute upper-left X"_qs),
                      field(info, u"Absolute upper-left Y"_qs), field(info, u"Width"_qs),
                      field(info, u"Height"_qs));
    return inner.marginsAdded(QMargins(int(frame[0]), int(frame[2]), int(frame[1]), int(frame[3])));
}

void TestX11Geometry::stop(QProcess &kalvo)
{
    kalvo.terminate();
    QVERIFY(kalvo.waitForFinished(kTimeoutMs));
    QCOMPARE(kalvo.exitCode(), 0);
}

// The compact window, 790 x 570 with its frame, is centred and whole on the screen, status bar
// included; its saved place is the same whole window and survives restarts unchanged.
void TestX11Geometry::compactWindowFitsASmallScreen()
{
    const QRect expected(117, 15, 790, 570);
    for (int start = 0; start < 2; ++start) {
        auto kalvo = StartKalvoOnX11();
        const QString id = kalvoWindow();
        QVERIFY(!id.isEmpty());
        QCOMPARE(wholeWindow(id), expected);
        stop(*kalvo);
        const QByteArray settings = readFile(m_home->configDir() + u"/Sys/Kalvo.rng"_qs);
        QVERIFY2(settings.startsWith("MainLeft,117\r\nMainTop,15\r\nMainWidth,790\r\n"
                                     "MainHeight,570\r\n"),
                 settings.left(60).constData());
    }
}

QTEST_GUILESS_MAIN(TestX11Geometry)
#include "tst_x11_geometry.moc"
