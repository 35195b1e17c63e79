// A second start under a real window manager: the running instance's window comes forward,
// from the minimised state or from behind another program's window, and the second process
// ends.
#include "desktopclient.h"
#include "kalvoprocess.h"
#include "testenv.h"

#include <QProcess>
#include <QtTest>

namespace {

constexpr int kTimeoutMs = 10000;

bool isViewable(const QString &id)
{
    return runTool(u"xwininfo"_qs, {u"-id"_qs, id}).contains(u"Map State: IsViewable"_qs);
}

} // namespace

class TestX11SecondStart : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void secondStartBringsTheWindowForward_data();
    void secondStartBringsTheWindowForward();
};

void TestX11SecondStart::secondStartBringsTheWindowForward_data()
{
    QTest::addColumn<bool>("minimised");
    QTest::newRow("minimised") << true;
    QTest::newRow("behind another program") << false;
}

void TestX11SecondStart::secondStartBringsTheWindowForward()
{
    QFETCH(bool, minimised);
    TempHome home;
    auto first = StartKalvoOnX11();
    const QString id = findWindow(u"^Kalvo$"_qs);
    QVERIFY(!id.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(xdotool({u"getactivewindow"_qs}), id, kTimeoutMs);

    TkClient other(home.path(), u"Other"_qs);
    if (minimised) {
        xdotool({u"windowminimize"_qs, u"--sync"_qs, id});
        QTRY_VERIFY_WITH_TIMEOUT(!isViewable(id), kTimeoutMs);
    } else {
        xdotool({u"windowactivate"_qs, u"--sync"_qs, other.id});
    }
    QVERIFY(xdotool({u"getactivewindow"_qs}) != id);

    auto second = StartKalvoOnX11();
    QVERIFY(second->waitForFinished(kTimeoutMs));
    QCOMPARE(second->exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(isViewable(id), kTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(xdotool({u"getactivewindow"_qs}), id, kTimeoutMs);
    QCOMPARE(first->state(), QProcess::Running);

    first->terminate();
    QVERIFY(first->waitForFinished(kTimeoutMs));
    QCOMPARE(first->exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestX11SecondStart)
#include "tst_x11_secondstart.moc"
