#include "core/settingstable.h"
#include "core/ulib.h"
#include "input/imeswitch.h"
#include "input/truspad.h"
#include "ipa/tipapad.h"
#include "mainwin/compositionareas.h"
#include "modalanswer.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QtTest>

class TestCompositionAreas : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void accentKeys_data();
    void accentKeys();
    void shiftTurnsThePadPage_data();
    void shiftTurnsThePadPage();
    void alphanumericModeTwice();
    void insertionMakesTheAreaActive();
    void kanaModeEmptiesTheIpaLine();
    void removeAccentsAsksFirst_data();
    void removeAccentsAsksFirst();

private:
    void sendKey(QWidget *w, QEvent::Type type, int key, const QString &text,
                 quint32 nativeModifiers = 0);

    std::unique_ptr<QWidget> m_window;
    CompositionAreas *m_areas = nullptr;
    QTabWidget *m_pages = nullptr;
    TRusPad *m_rusPad = nullptr;
};

void TestCompositionAreas::init()
{
    InitSysVars();
    InitUsrVars(false, 0xFFFFE1);
    m_window = std::make_unique<QWidget>();
    m_areas = new CompositionAreas(m_window.get());
    m_pages = new QTabWidget(m_window.get());
    m_rusPad = new TRusPad(m_pages);
    auto *ipaPad = new TIPAPad(m_pages);
    m_pages->addTab(m_rusPad, u"ロシア語ニーモニック"_qs);
    m_pages->addTab(ipaPad, u"発音記号"_qs);
    m_areas->attachPads(m_rusPad, ipaPad, m_pages);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestCompositionAreas::cleanup()
{
    m_window.reset();
    LoadInitIme();
}

void TestCompositionAreas::sendKey(QWidget *w, QEvent::Type type, int key, const QString &text,
                                   quint32 nativeModifiers)
{
    QKeyEvent event(type, key, key == Qt::Key_Shift ? Qt::ShiftModifier : Qt::NoModifier, 0, 0,
                    nativeModifiers, text);
    QCoreApplication::sendEvent(w, &event);
}

void TestCompositionAreas::accentKeys_data()
{
    QTest::addColumn<bool>("accentFlg");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("slash replaces the selection") << true << u"/"_qs << u"д\u0301"_qs;
    QTest::newRow("backslash") << true << u"\\"_qs << u"д\u0300"_qs;
    QTest::newRow("accents off") << false << u"/"_qs << u"д/"_qs;
}

void TestCompositionAreas::accentKeys()
{
    QFETCH(bool, accentFlg);
    QFETCH(QString, key);
    Usr.AccentFlg = accentFlg;
    QPlainTextEdit *memo = m_areas->russianArea();
    memo->setPlainText(u"да"_qs);
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
    sendKey(memo, QEvent::KeyPress, key.at(0).unicode(), key);
    QTEST(memo->toPlainText(), "expected");
}

void TestCompositionAreas::shiftTurnsThePadPage_data()
{
    QTest::addColumn<bool>("capsLock");
    QTest::addColumn<bool>("alphanumeric");
    QTest::addColumn<bool>("turns");
    QTest::newRow("plain") << false << false << true;
    QTest::newRow("caps lock") << true << false << false;
    QTest::newRow("alphanumeric mode") << false << true << false;
}

void TestCompositionAreas::shiftTurnsThePadPage()
{
    QFETCH(bool, capsLock);
    QFETCH(bool, alphanumeric);
    QFETCH(bool, turns);
    Sys.ImeNumFlg = alphanumeric;
    auto *padTabs = m_rusPad->findChild<QTabWidget *>(u"PageControl1"_qs);
    QVERIFY(padTabs);
    QPlainTextEdit *memo = m_areas->russianArea();
    sendKey(memo, QEvent::KeyPress, Qt::Key_Shift, QString(), capsLock ? 0x2 : 0);
    QCOMPARE(padTabs->currentIndex(), turns ? 1 : 0);
    sendKey(memo, QEvent::KeyRelease, Qt::Key_Shift, QString(), capsLock ? 0x3 : 0x1);
    QCOMPARE(padTabs->currentIndex(), 0);
}

void TestCompositionAreas::alphanumericModeTwice()
{
    Usr.RusImeIndex = 3;
    m_areas->russianArea()->setFocus();
    QTRY_COMPARE(GetCurrentKLName(), u"00020419"_qs);
    m_areas->ImePauseExecute();
    QCOMPARE(GetCurrentKLName(), u"00000411"_qs);
    QVERIFY(m_areas->russianArea()->palette().color(QPalette::Base) != QColor(Qt::white));
    m_areas->ImePauseExecute();
    QCOMPARE(GetCurrentKLName(), u"00020419"_qs);
    QCOMPARE(m_areas->russianArea()->palette().color(QPalette::Base), QColor(Qt::white));
}

void TestCompositionAreas::insertionMakesTheAreaActive()
{
    QSignalSpy active(m_areas, &CompositionAreas::activeAreaChanged);
    m_areas->OutputIPAString(u"ɛ"_qs);
    QCOMPARE(m_areas->ipaLine()->text(), u"ɛ"_qs);
    QVERIFY(!Sys.TransMainFlg);
    QCOMPARE(m_pages->currentIndex(), 1);
    m_areas->OutputString(u"ё"_qs);
    QCOMPARE(m_areas->russianArea()->toPlainText(), u"ё"_qs);
    QVERIFY(Sys.TransMainFlg);
    QCOMPARE(m_pages->currentIndex(), 0);
    QVERIFY(!active.isEmpty());
    QCOMPARE(active.last().first().toBool(), true);
}

void TestCompositionAreas::kanaModeEmptiesTheIpaLine()
{
    const QFont ipaFont = m_areas->ipaLine()->font();
    m_areas->ipaLine()->setText(u"ʃ"_qs);
    m_areas->setKanaMode(true);
    QVERIFY(Usr.KanaFlg);
    QVERIFY(m_areas->ipaLine()->text().isEmpty());
    QCOMPARE(m_areas->ipaLine()->font().pointSize(), Usr.IPAFontSize - 2);
    m_areas->ipaLine()->setText(u"カナ"_qs);
    m_areas->setKanaMode(false);
    QVERIFY(m_areas->ipaLine()->text().isEmpty());
    QCOMPARE(m_areas->ipaLine()->font(), ipaFont);
}

void TestCompositionAreas::removeAccentsAsksFirst_data()
{
    QTest::addColumn<QString>("press");
    QTest::addColumn<QString>("expected");
    QTest::newRow("yes") << u"はい(&Y)"_qs << u"замок"_qs;
    QTest::newRow("no") << u"いいえ(&N)"_qs << u"  за\u0301мок\n"_qs;
}

void TestCompositionAreas::removeAccentsAsksFirst()
{
    QFETCH(QString, press);
    m_areas->russianArea()->setPlainText(u"  за\u0301мок\n"_qs);
    ModalRecord box;
    AnswerNextBox(&box, press);
    m_areas->RemoveAc();
    QCOMPARE(box.title, u"確認"_qs);
    QTEST(m_areas->russianArea()->toPlainText(), "expected");
}

QTEST_MAIN(TestCompositionAreas)
#include "tst_compositionareas.moc"
