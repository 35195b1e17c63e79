#include "core/placement.h"
#include "core/session.h"
#include "core/settingstable.h"
#include "core/ulib.h"

#include <QtTest>

class TestPlacement : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void placeMainWindow_data();
    void placeMainWindow();
    void smallLayoutRequestAtCreation();
    void messageDlgPos_data();
    void messageDlgPos();
    void keptInside_data();
    void keptInside();
};

void TestPlacement::placeMainWindow_data()
{
    QTest::addColumn<bool>("small");
    QTest::addColumn<bool>("smallChange");
    QTest::addColumn<QRect>("saved");
    QTest::addColumn<QRect>("expected");
    QTest::addColumn<int>("panel3");
    QTest::addColumn<int>("pageControl");

    QTest::newRow("saved place") << false << false << QRect(100, 50, 900, 700)
                                 << QRect(100, 50, 900, 700) << 420 << 300;
    QTest::newRow("negative left")
        << false << false << QRect(-1, 50, 900, 700) << QRect(210, 192, 860, 640) << 420 << 300;
    QTest::newRow("negative top") << false << false << QRect(10, -5, 900, 700)
                                  << QRect(210, 192, 860, 640) << 420 << 300;
    QTest::newRow("partly off the right")
        << false << false << QRect(400, 0, 881, 700) << QRect(210, 192, 860, 640) << 420 << 300;
    QTest::newRow("exactly at the right edge")
        << false << false << QRect(380, 0, 900, 700) << QRect(380, 0, 900, 700) << 420 << 300;
    QTest::newRow("partly off the bottom")
        << false << false << QRect(0, 400, 900, 700) << QRect(210, 192, 860, 640) << 420 << 300;
    QTest::newRow("small screen fallback")
        << true << false << QRect(-1, -1, 790, 570) << QRect(245, 227, 790, 570) << 390 << 300;
    QTest::newRow("small layout request")
        << true << true << QRect(5, 5, 900, 700) << QRect(245, 227, 790, 570) << 390 << 224;
    QTest::newRow("request without small flag")
        << false << true << QRect(5, 5, 900, 700) << QRect(210, 192, 860, 640) << 420 << 256;
}

void TestPlacement::placeMainWindow()
{
    QFETCH(bool, small);
    QFETCH(bool, smallChange);
    QFETCH(QRect, saved);
    InitUsrVars(small, 0);
    Usr.SmallChangeFlg = smallChange;
    Usr.MainLeft = saved.left();
    Usr.MainTop = saved.top();
    Usr.MainWidth = saved.width();
    Usr.MainHeight = saved.height();
    Usr.PCon1Height = 300;
    const MainPlacement place = PlaceMainWindow(QSize(1280, 1024));
    QTEST(place.frame, "expected");
    QTEST(place.panel3Width, "panel3");
    QTEST(place.pageControlHeight, "pageControl");
    QVERIFY(!Usr.SmallChangeFlg);
}

void TestPlacement::smallLayoutRequestAtCreation()
{
    InitUsrVars(false, 0);
    RequestSmallLayout();
    QVERIFY(Usr.SmallPCFlg && Usr.SmallChangeFlg);
    ApplySmallLayoutRequest();
    QCOMPARE(Usr.PCon1Height, 224);
    QCOMPARE(QRect(Usr.RegModLeft, Usr.RegModTop, Usr.RegModWidth, Usr.RegModHeight),
             QRect(-1, -1, 600, 570));

    InitUsrVars(false, 0);
    Usr.SmallChangeFlg = true; // requested, but the small flag was reset since
    ApplySmallLayoutRequest();
    QCOMPARE(Usr.PCon1Height, 256);
}

void TestPlacement::messageDlgPos_data()
{
    QTest::addColumn<QRect>("owner");
    QTest::addColumn<QPoint>("pos");
    QTest::newRow("centred") << QRect(100, 100, 860, 640) << QPoint(341, 303);
    QTest::newRow("odd sizes truncate") << QRect(0, 0, 379, 235) << QPoint(0, 0);
    QTest::newRow("partly off screen") << QRect(-500, -300, 860, 640) << QPoint(-259, -97);
    QTest::newRow("narrower than the box truncates toward zero")
        << QRect(0, 0, 377, 233) << QPoint(0, 0);
    QTest::newRow("much narrower") << QRect(10, 10, 100, 100) << QPoint(-129, -57);
}

void TestPlacement::messageDlgPos()
{
    QFETCH(QRect, owner);
    QTEST(GetMessageDlgPos(owner), "pos");
}

void TestPlacement::keptInside_data()
{
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QRect>("kept");
    const QRect area(0, 0, 1280, 1024);
    QTest::newRow("inside stays") << QRect(100, 100, 460, 360) << QRect(100, 100, 460, 360);
    QTest::newRow("past the bottom right")
        << QRect(1000, 900, 460, 360) << QRect(820, 664, 460, 360);
    QTest::newRow("past the top left") << QRect(-50, -20, 460, 360) << QRect(0, 0, 460, 360);
    QTest::newRow("exactly fitting") << QRect(5, 5, 1280, 1024) << area;
    QTest::newRow("larger than the area") << QRect(300, 200, 1500, 1100) << QRect(0, 0, 1500, 1100);
}

void TestPlacement::keptInside()
{
    QFETCH(QRect, window);
    QTEST(KeptInside(window, QRect(0, 0, 1280, 1024)), "kept");
}

QTEST_GUILESS_MAIN(TestPlacement)
#include "tst_placement.moc"
