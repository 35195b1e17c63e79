#include "core/ulib.h"
#include "ipa/candidatemode.h"
#include "ipa/uipa.h"

#include <QtTest>

// How key presses as the toolkit reports them meet the candidate-mode rules; the typing
// sequences themselves are tried through a real line edit in tst_candidatefilter.
class TestCandidateMode : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { InitSysVars(); }
    void keyPress_data();
    void keyPress();
};

void TestCandidateMode::keyPress_data()
{
    QTest::addColumn<QString>("openWith"); // the trigger typed first; empty: mode off
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("consumed");
    QTest::addColumn<QString>("insert");
    QTest::addColumn<bool>("redisplay");
    QTest::addColumn<bool>("onAfter");
    QTest::addColumn<int>("selectedAfter");

    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;

    QTest::newRow("off: trigger opens a row") << QString() << int(Qt::Key_E) << shift << u"E"_qs
                                              << true << QString() << true << true << 0;
    QTest::newRow("off: Alt+Shift+E is a shortcut")
        << QString() << int(Qt::Key_E) << (shift | Qt::AltModifier) << u"E"_qs << false << QString()
        << false << false << -1;
    QTest::newRow("off: Ctrl+Shift+E is a shortcut")
        << QString() << int(Qt::Key_E) << (shift | ctrl) << u"\x05"_qs << false << QString()
        << false << false << -1;
    QTest::newRow("off: arrow") << QString() << int(Qt::Key_Right) << none << QString() << false
                                << QString() << false << false << -1;
    QTest::newRow("off: Enter") << QString() << int(Qt::Key_Return) << none << u"\r"_qs << false
                                << QString() << false << false << -1;

    QTest::newRow("on: Shift alone") << u"E"_qs << int(Qt::Key_Shift) << shift << QString() << false
                                     << QString() << false << true << 0;
    QTest::newRow("on: Tab keeps the row") << u"E"_qs << int(Qt::Key_Tab) << none << u"\t"_qs
                                           << false << QString() << false << true << 0;
    QTest::newRow("on: Delete keeps the row")
        << u"E"_qs << int(Qt::Key_Delete) << none << u"\x7f"_qs << false << QString() << false
        << true << 0;
    QTest::newRow("on: Escape without text") << u"E"_qs << int(Qt::Key_Escape) << none << QString()
                                             << false << QString() << true << false << -1;
    QTest::newRow("on: Backspace") << u"E"_qs << int(Qt::Key_Backspace) << none << u"\b"_qs << false
                                   << QString() << true << false << -1;
    QTest::newRow("on: Ctrl+V ends and pastes") << u"E"_qs << int(Qt::Key_V) << ctrl << u"\x16"_qs
                                                << false << QString() << true << false << -1;
    QTest::newRow("on: Ctrl+1 is a shortcut")
        << u"E"_qs << int(Qt::Key_1) << ctrl << u"1"_qs << false << QString() << false << true << 0;
    QTest::newRow("on: Ctrl+Enter is no Enter")
        << u"E"_qs << int(Qt::Key_Return) << ctrl << u"\r"_qs << false << QString() << true << false
        << -1;
    QTest::newRow("on: keypad Enter") << u"E"_qs << int(Qt::Key_Enter) << keypad << u"\r"_qs << true
                                      << u"\u025B"_qs << true << false << -1;
    QTest::newRow("on: keypad digit") << u"E"_qs << int(Qt::Key_2) << keypad << u"2"_qs << true
                                      << u"\u0259"_qs << true << false << -1;
    QTest::newRow("on: 0 picks slot 10")
        << u"T"_qs << int(Qt::Key_0) << none << u"0"_qs << true << QString() << true << false << -1;
    QTest::newRow("on: full-width digit is no digit")
        << u"E"_qs << int(Qt::Key_3) << none << u"\uFF13"_qs << false << QString() << true << false
        << -1;
    QTest::newRow("on: Space, empty row") << u"Q"_qs << int(Qt::Key_Space) << none << u" "_qs
                                          << true << QString() << true << true << -1;
    QTest::newRow("on: Right, empty row") << u"Q"_qs << int(Qt::Key_Right) << none << QString()
                                          << false << QString() << true << true << -1;
    QTest::newRow("on: Left, empty row") << u"Q"_qs << int(Qt::Key_Left) << none << QString()
                                         << false << QString() << true << true << -1;
    QTest::newRow("on: Enter, empty row") << u"Q"_qs << int(Qt::Key_Return) << none << u"\r"_qs
                                          << true << QString() << true << false << -1;
}

void TestCandidateMode::keyPress()
{
    QFETCH(QString, openWith);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);

    const CandidateMode mode;
    if (!openWith.isEmpty())
        QVERIFY(mode.typeChar(openWith.front()).consumed);
    const CandidateKeyResult result = mode.keyPress(key, modifiers, text);
    QTEST(result.consumed, "consumed");
    QTEST(result.insert, "insert");
    QTEST(result.redisplay, "redisplay");
    QTEST(mode.isOn(), "onAfter");
    QTEST(Sys.SeleIndex, "selectedAfter");
}

QTEST_GUILESS_MAIN(TestCandidateMode)
#include "tst_candidatemode.moc"
