// Types on the X server's keyboard with xdotool into a real window: a Russian field with the
// layout engine and the Russian pad, as a user would.
#include "core/settingstable.h"
#include "core/ulib.h"
#include "input/imeswitch.h"
#include "input/russianfield.h"
#include "input/truspad.h"
#include "platform/platformservices.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTabWidget>
#include <QtTest>

namespace {

void xdotool(const QStringList &args)
{
    QProcess p;
    p.start(u"xdotool"_qs, args);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
}

// The host's part of the pad: clicked captions go into the field, Shift turns the pages.
class TypingWindow : public QWidget {
public:
    TypingWindow()
    {
        setWindowTitle(u"Kalvo typing test"_qs);
        auto *layout = new QHBoxLayout(this);
        memo = new QPlainTextEdit(this);
        pad = new TRusPad(this);
        pad->setFixedSize(420, 200);
        layout->addWidget(memo);
        layout->addWidget(pad);
        RussianField::install(memo);
        memo->installEventFilter(this);
        connect(pad, &TRusPad::keyText, memo, [this](const QString &text) {
            memo->insertPlainText(text);
            memo->setFocus();
        });
        resize(900, 260);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Shift && !key->isAutoRepeat())
            pad->followShift(event->type() == QEvent::KeyPress, GetKeyLock(20, key));
        return false;
    }

    QPlainTextEdit *memo;
    TRusPad *pad;
};

} // namespace

class TestX11Typing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void typesEachLayout_data();
    void typesEachLayout();
    void capsLockTypesUpperCase();
    void shiftTurnsThePadPage();

private:
    void focusMemo();
    std::unique_ptr<TypingWindow> m_window;
};

void TestX11Typing::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), u"xcb"_qs);
    InitSysVars();
    InitUsrVars(false, 0xFFFFE1);
    m_window = std::make_unique<TypingWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestX11Typing::focusMemo()
{
    m_window->activateWindow();
    m_window->raise();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_window->memo->setFocus();
    m_window->memo->clear();
}

void TestX11Typing::typesEachLayout_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("typed");
    const QStringList ghbdtn{u"g"_qs, u"h"_qs, u"b"_qs, u"d"_qs, u"t"_qs, u"n"_qs};
    QTest::newRow("standard") << 1 << ghbdtn << u"привет"_qs;
    QTest::newRow("typewriter") << 2 << (QStringList(ghbdtn) << u"1"_qs) << u"привет№"_qs;
    QTest::newRow("mnemonic")
        << 3
        << QStringList{u"p"_qs, u"r"_qs, u"i"_qs, u"v"_qs, u"e"_qs, u"t"_qs, u"space"_qs,
                       u"j"_qs, u"o"_qs, u"s"_qs, u"c"_qs, u"shift+c"_qs, u"h"_qs}
        << u"привет ёщЧ"_qs;
}

void TestX11Typing::typesEachLayout()
{
    QFETCH(int, layout);
    QFETCH(QStringList, keys);
    QFETCH(QString, typed);
    Usr.RusImeIndex = layout;
    LoadGaIme();
    m_window->pad->AdjustPosSize();
    focusMemo();
    xdotool(QStringList{u"key"_qs, u"--delay"_qs, u"30"_qs} + keys);
    QTRY_COMPARE(m_window->memo->toPlainText(), typed);
}

void TestX11Typing::capsLockTypesUpperCase()
{
    Usr.RusImeIndex = 1;
    LoadGaIme();
    focusMemo();
    xdotool({u"key"_qs, u"--delay"_qs, u"30"_qs, u"Caps_Lock"_qs, u"l"_qs, u"f"_qs, u"2"_qs,
             u"Caps_Lock"_qs, u"l"_qs});
    QTRY_COMPARE(m_window->memo->toPlainText(), u"ДА2д"_qs);
}

void TestX11Typing::shiftTurnsThePadPage()
{
    Usr.RusImeIndex = 3;
    LoadGaIme();
    focusMemo();
    auto *tabs = m_window->pad->findChild<QTabWidget *>();
    QVERIFY(tabs);
    QCOMPARE(tabs->currentIndex(), 0);
    xdotool({u"keydown"_qs, u"shift"_qs});
    QTRY_COMPARE(tabs->currentIndex(), 1);
    xdotool({u"keyup"_qs, u"shift"_qs});
    QTRY_COMPARE(tabs->currentIndex(), 0);
    // With Caps Lock on the page stays.
    xdotool({u"key"_qs, u"Caps_Lock"_qs, u"keydown"_qs, u"shift"_qs});
    QTest::qWait(200);
    QCOMPARE(tabs->currentIndex(), 0);
    xdotool({u"keyup"_qs, u"shift"_qs, u"key"_qs, u"Caps_Lock"_qs});
}

QTEST_MAIN(TestX11Typing)
#include "tst_x11_typing.moc"
