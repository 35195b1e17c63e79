#include "core/settingstable.h"
#include "core/ulib.h"
#include "input/imeswitch.h"
#include "input/russianfield.h"
#include "inputmethodquery.h"
#include "recordinglayouts.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

namespace {

// X11 key codes of the letter keys (evdev + 8) and a few others.
quint32 keyCodeOf(QChar c)
{
    static const QString rows[] = {u"1234567890"_qs, u"qwertyuiop"_qs, u"asdfghjkl"_qs,
                                   u"zxcvbnm"_qs};
    static const quint32 firsts[] = {10, 24, 38, 52};
    for (int r = 0; r < 4; ++r) {
        const qsizetype i = rows[r].indexOf(c.toLower());
        if (i >= 0)
            return firsts[r] + quint32(i);
    }
    return c == u' ' ? 65 : 0;
}

int qtKeyOf(QChar c)
{
    return c == u' ' ? Qt::Key_Space : Qt::Key(c.toUpper().unicode());
}

// Presses the physical keys of a Latin text, as an X11 keyboard would report them.
void typePhysical(QWidget *w, const QString &latin, bool capsLock = false)
{
    for (QChar c : latin) {
        const bool shift = c.isUpper();
        const quint32 lock = capsLock ? 0x2 : 0;
        QKeyEvent press(QEvent::KeyPress, qtKeyOf(c), shift ? Qt::ShiftModifier : Qt::NoModifier,
                        keyCodeOf(c), c.unicode(), lock | (shift ? 0x1 : 0), QString(c));
        QCoreApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, qtKeyOf(c),
                          shift ? Qt::ShiftModifier : Qt::NoModifier, keyCodeOf(c), c.unicode(),
                          lock, QString(c));
        QCoreApplication::sendEvent(w, &release);
    }
}

} // namespace

class TestRussianField : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void typesLayouts_data();
    void typesLayouts();
    void capsLockInLineAndPlainEdit();
    void japaneseLayoutLeavesTheFieldAlone();
    void ctrlCopiesInsteadOfTyping();
    void pendingDeadKeyIsTypedOnFocusLoss();
    void loadGaImeCallsNothingWhenActive();
    void outOfRangeLayoutActivatesNothing();

private:
    RecordingLayouts m_layouts;
};

void TestRussianField::init()
{
    InitSysVars();
    InitUsrVars(false, 0);
    m_layouts = RecordingLayouts();
    SetKeyboardLayouts(&m_layouts);
}

void TestRussianField::cleanup()
{
    SetKeyboardLayouts(nullptr);
}

void TestRussianField::typesLayouts_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("typed");

    QTest::newRow("mnemonic privet") << 3 << u"privet"_qs << u"привет"_qs;
    QTest::newRow("standard ghbdtn") << 1 << u"ghbdtn"_qs << u"привет"_qs;
    QTest::newRow("typewriter digits row") << 2 << u"12"_qs << u"№-"_qs;
    QTest::newRow("mnemonic dead keys") << 3 << u"jo sc ch j "_qs << u"ё щ ч й"_qs;
    QTest::newRow("mnemonic s then a letter") << 3 << u"sd"_qs << u"сд"_qs;
    QTest::newRow("mnemonic upper dead key") << 3 << u"Ja"_qs << u"Я"_qs;
    QTest::newRow("standard upper") << 1 << u"Ghbdtn"_qs << u"Привет"_qs;
}

void TestRussianField::typesLayouts()
{
    QFETCH(int, layout);
    QFETCH(QString, keys);
    Usr.RusImeIndex = layout;
    LoadGaIme();
    QLineEdit edit;
    RussianField::install(&edit);
    typePhysical(&edit, keys);
    QTEST(edit.text(), "typed");
    QVERIFY(!TakesInputMethod(&edit));
}

void TestRussianField::capsLockInLineAndPlainEdit()
{
    Usr.RusImeIndex = 1;
    LoadGaIme();
    QPlainTextEdit memo;
    RussianField::install(&memo);
    typePhysical(&memo, u"ghbdtn12"_qs, true);
    QCOMPARE(memo.toPlainText(), u"ПРИВЕТ12"_qs);
}

void TestRussianField::japaneseLayoutLeavesTheFieldAlone()
{
    QLineEdit edit;
    RussianField::install(&edit);
    Usr.RusImeIndex = 3;
    LoadGaIme();
    LoadInitIme();
    QVERIFY(TakesInputMethod(&edit));
    typePhysical(&edit, u"privet"_qs);
    QCOMPARE(edit.text(), u"privet"_qs);
}

void TestRussianField::ctrlCopiesInsteadOfTyping()
{
    Usr.RusImeIndex = 3;
    LoadGaIme();
    QLineEdit edit;
    RussianField::install(&edit);
    edit.setText(u"да"_qs);
    edit.selectAll();
    QGuiApplication::clipboard()->clear();
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, 54, 'c', 0x4, u"\x03"_qs);
    QCoreApplication::sendEvent(&edit, &copy);
    QCOMPARE(edit.text(), u"да"_qs);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"да"_qs);
}

void TestRussianField::pendingDeadKeyIsTypedOnFocusLoss()
{
    Usr.RusImeIndex = 3;
    LoadGaIme();
    QLineEdit edit;
    RussianField::install(&edit);
    typePhysical(&edit, u"dj"_qs);
    QCOMPARE(edit.text(), u"д"_qs);
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(&edit, &out);
    QCOMPARE(edit.text(), u"дй"_qs);
}

void TestRussianField::loadGaImeCallsNothingWhenActive()
{
    Usr.RusImeIndex = 3;
    LoadGaIme();
    LoadGaIme();
    QCOMPARE(m_layouts.calls, QStringList{u"00020419"_qs});
    QCOMPARE(GetCurrentKLName(), u"00020419"_qs);
    Usr.RusImeIndex = 1;
    LoadGaIme();
    LoadInitIme();
    QCOMPARE(m_layouts.calls, (QStringList{u"00020419"_qs, u"00000419"_qs, u"00000411"_qs}));
}

void TestRussianField::outOfRangeLayoutActivatesNothing()
{
    Usr.RusImeIndex = 0;
    LoadGaIme();
    Usr.RusImeIndex = 4;
    LoadGaIme();
    QVERIFY(m_layouts.calls.isEmpty());
    QCOMPARE(ActiveRussianLayout(), 0);
}

QTEST_MAIN(TestRussianField)
#include "tst_russianfield.moc"
