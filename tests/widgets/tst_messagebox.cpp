#include "modalanswer.h"
#include "widgets/messagebox.h"

#include <QMainWindow>
#include <QtTest>

class TestMessageBox : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void kinds_data();
    void kinds();
    void placedOnOwnerEvenOffScreen();
};

void TestMessageBox::kinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("withNo");
    QTest::addColumn<QString>("press");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<bool>("accepted");

    const QStringList yesNo{u"はい(&Y)"_qs, u"いいえ(&N)"_qs};
    QTest::newRow("warning") << int(MsgKind::Warning) << false << u"はい(&Y)"_qs << u"警告"_qs
                             << QStringList{u"はい(&Y)"_qs} << true;
    QTest::newRow("information") << int(MsgKind::Information) << false << u"はい(&Y)"_qs
                                 << u"情報"_qs << QStringList{u"はい(&Y)"_qs} << true;
    QTest::newRow("confirmation yes")
        << int(MsgKind::Confirmation) << true << u"はい(&Y)"_qs << u"確認"_qs << yesNo << true;
    QTest::newRow("confirmation no")
        << int(MsgKind::Confirmation) << true << u"いいえ(&N)"_qs << u"確認"_qs << yesNo << false;
    QTest::newRow("confirmation closed")
        << int(MsgKind::Confirmation) << true << QString() << u"確認"_qs << yesNo << false;
}

void TestMessageBox::kinds()
{
    QFETCH(int, kind);
    QFETCH(bool, withNo);
    QFETCH(QString, press);
    ModalRecord box;
    AnswerNextBox(&box, press);
    const bool accepted = MessageDlg(MsgKind(kind), u"本文"_qs, withNo);
    QTEST(box.title, "title");
    QTEST(box.buttons, "buttons");
    QCOMPARE(box.text, u"本文"_qs);
    QTEST(accepted, "accepted");
}

void TestMessageBox::placedOnOwnerEvenOffScreen()
{
    QMainWindow owner;
    owner.resize(860, 640);
    owner.show();
    owner.move(-300, -200);
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    QTest::qWait(50); // the offscreen platform settles the frame asynchronously
    ModalRecord box;
    AnswerNextBox(&box, u"はい(&Y)"_qs);
    const QRect frame = owner.frameGeometry();
    ShowInformation(u"保存しました！"_qs, &owner);
    const QPoint expected(frame.left() + (frame.width() - 378) / 2,
                          frame.top() + (frame.height() - 234) / 2);
    // The offscreen platform shifts a window by its 2-pixel frame margin after the move.
    QVERIFY2((box.pos - expected).manhattanLength() <= 4,
             qPrintable(u"box at %1,%2"_qs.arg(box.pos.x()).arg(box.pos.y())));
}

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
