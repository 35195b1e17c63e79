#include "input/layoutengine.h"

#include <QtTest>

class TestLayoutEngine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keyIndex_data();
    void keyIndex();
    void typing_data();
    void typing();
    void keyOf_data();
    void keyOf();
    void pendingSurvivesLayoutChange();
    void flush();
};

namespace {

// X11 key codes of the US/JIS character keys, in runs of consecutive codes.
struct CodeRun {
    quint32 firstCode;
    const char16_t *keys;
};
constexpr CodeRun kUsKeys[] = {
    {10, u"1234567890-="},
    {24, u"qwertyuiop[]"},
    {38, u"asdfghjkl;'`"},
    {51, u"\\zxcvbnm,./"},
};

constexpr quint32 kBackspace = 22;
constexpr quint32 kSpace = 65;
constexpr quint32 kShiftL = 50;

quint32 codeOf(QChar key)
{
    for (const CodeRun &run : kUsKeys) {
        const qsizetype at = QStringView(run.keys).indexOf(key);
        if (at >= 0)
            return run.firstCode + quint32(at);
    }
    return 0;
}

// Plays a script of key presses into the engine like a text field would, then the field loses
// the focus. Script: a character key by its US label (an upper-case letter or a '+' before a
// key adds Shift), ' ' Space, '<' Backspace, '^' Ctrl with the next key, '#' Shift alone. A key
// that is not consumed shows as what the field does with it: its label, ' ', '⌫' or "^c".
QString play(LayoutEngine &engine, QStringView script, bool capsLock)
{
    QString field;
    bool shift = false;
    bool ctrl = false;
    for (QChar c : script) {
        LayoutEngine::Key key{0, 0, shift || c.isUpper(), capsLock, ctrl};
        QString passed = c;
        if (c == u'+' || c == u'^') {
            shift = c == u'+';
            ctrl = c == u'^';
            continue;
        }
        if (c == u' ') {
            key.scanCode = kSpace;
            key.qtKey = Qt::Key_Space;
        } else if (c == u'<') {
            key.scanCode = kBackspace;
            key.qtKey = Qt::Key_Backspace;
            passed = u"⌫"_qs;
        } else if (c == u'#') {
            key.scanCode = kShiftL;
            key.qtKey = Qt::Key_Shift;
            passed.clear();
        } else {
            key.scanCode = codeOf(c.toLower());
            key.qtKey = c.toUpper().unicode();
            if (ctrl)
                passed.prepend(u'^');
        }
        shift = ctrl = false;
        const LayoutEngine::Result result = engine.keyPress(key);
        field += result.text;
        if (!result.consumed)
            field += passed;
    }
    return field + engine.flush();
}

} // namespace

void TestLayoutEngine::keyIndex_data()
{
    QTest::addColumn<quint32>("code");
    QTest::addColumn<int>("index");

    const QList<QPair<quint32, int>> rows{
        {9, -1},   {10, 1},   {19, 10},  {20, 11},     {21, 12}, {22, -1}, {23, -1},
        {24, 13},  {35, 24},  {36, -1},  {37, -1},     {38, 25}, {48, 35}, {49, 0},
        {50, -1},  {51, 36},  {52, 37},  {61, 46},     {62, -1}, {65, -1}, {97, -1},
        {132, -1}, {255, -1}, {256, -1}, {100000, -1},
    };
    for (const auto &[code, index] : rows)
        QTest::addRow("%u", code) << code << index;
}

void TestLayoutEngine::keyIndex()
{
    QFETCH(quint32, code);
    QFETCH(int, index);
    QCOMPARE(LayoutEngine::keyIndex(code), index);
}

void TestLayoutEngine::typing_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<bool>("capsLock");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("expected");

    QTest::newRow("mnemonic privet") << 3 << false << u"privet"_qs << u"привет"_qs;
    QTest::newRow("standard ghbdtn") << 1 << false << u"ghbdtn"_qs << u"привет"_qs;
    QTest::newRow("typewriter ghbdtn") << 2 << false << u"ghbdtn"_qs << u"привет"_qs;
    QTest::newRow("shift") << 3 << false << u"Privet"_qs << u"Привет"_qs;
    QTest::newRow("j a") << 3 << false << u"ja"_qs << u"я"_qs;
    QTest::newRow("j e") << 3 << false << u"je"_qs << u"э"_qs;
    QTest::newRow("j o") << 3 << false << u"jo"_qs << u"ё"_qs;
    QTest::newRow("j u") << 3 << false << u"ju"_qs << u"ю"_qs;
    QTest::newRow("s c") << 3 << false << u"sc"_qs << u"щ"_qs;
    QTest::newRow("c h") << 3 << false << u"ch"_qs << u"ч"_qs;
    QTest::newRow("j space") << 3 << false << u"j "_qs << u"й"_qs;
    QTest::newRow("y space") << 3 << false << u"y "_qs << u"ы"_qs;
    QTest::newRow("space without dead key") << 3 << false << u"a b"_qs << u"а б"_qs;
    QTest::newRow("s then a letter") << 3 << false << u"sa"_qs << u"са"_qs;
    QTest::newRow("upper dead key") << 3 << false << u"Ja"_qs << u"Я"_qs;
    QTest::newRow("upper second key") << 3 << false << u"jA"_qs << u"я"_qs;
    QTest::newRow("upper dead key space") << 3 << false << u"S "_qs << u"С"_qs;
    QTest::newRow("shift alone keeps pending") << 3 << false << u"#J#O"_qs << u"Ё"_qs;
    QTest::newRow("y then s c") << 3 << false << u"ysc"_qs << u"ыщ"_qs;
    QTest::newRow("dead key twice") << 3 << false << u"jj "_qs << u"йй"_qs;
    QTest::newRow("c then c h") << 3 << false << u"cch"_qs << u"цч"_qs;
    QTest::newRow("j s c") << 3 << false << u"jsc"_qs << u"йщ"_qs;
    QTest::newRow("dead key then backspace") << 3 << false << u"j<"_qs << u"й⌫"_qs;
    QTest::newRow("pending at focus loss") << 3 << false << u"privej"_qs << u"привей"_qs;
    QTest::newRow("dead key then digit") << 3 << false << u"s1"_qs << u"с1"_qs;
    QTest::newRow("no dead keys in standard") << 1 << false << u"jo"_qs << u"ощ"_qs;
    QTest::newRow("standard digits") << 1 << false << u"1+2+3"_qs << u"1\"№"_qs;
    QTest::newRow("typewriter digits") << 2 << false << u"1+1"_qs << u"№1"_qs;
    QTest::newRow("standard backslash key") << 1 << false << u"\\+\\"_qs << u"\\/"_qs;
    QTest::newRow("hankaku key") << 3 << false << u"`+`"_qs << u"ъЪ"_qs;
    QTest::newRow("caps letters") << 3 << true << u"privet"_qs << u"ПРИВЕТ"_qs;
    QTest::newRow("caps inverts shift") << 1 << true << u"Ghbdtn"_qs << u"пРИВЕТ"_qs;
    QTest::newRow("caps leaves digits") << 3 << true << u"12"_qs << u"12"_qs;
    QTest::newRow("caps leaves shifted digits") << 1 << true << u"+1+2"_qs << u"!\""_qs;
    QTest::newRow("caps leaves punctuation") << 1 << true << u"/"_qs << u"."_qs;
    QTest::newRow("caps typewriter ё key") << 2 << true << u"/"_qs << u"Ё"_qs;
    QTest::newRow("caps dead key") << 3 << true << u"jo"_qs << u"Ё"_qs;
    QTest::newRow("caps and shift dead key") << 3 << true << u"Jo"_qs << u"ё"_qs;
    QTest::newRow("ctrl passes") << 3 << false << u"^c"_qs << u"^c"_qs;
    QTest::newRow("ctrl after dead key") << 3 << false << u"j^c"_qs << u"й^c"_qs;
    QTest::newRow("keys without index pass") << 3 << false << u"a<"_qs << u"а⌫"_qs;
    QTest::newRow("off") << 0 << false << u"privet1 <"_qs << u"privet1 ⌫"_qs;
    QTest::newRow("off for 4") << 4 << false << u"jo"_qs << u"jo"_qs;
}

void TestLayoutEngine::typing()
{
    QFETCH(int, layout);
    QFETCH(bool, capsLock);
    QFETCH(QString, script);
    QFETCH(QString, expected);
    LayoutEngine engine;
    engine.setLayout(layout);
    QCOMPARE(play(engine, script, capsLock), expected);
    QVERIFY(!engine.hasPending());
}

void TestLayoutEngine::keyOf_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<bool>("command");

    QTest::newRow("none") << Qt::KeyboardModifiers() << false << false;
    QTest::newRow("shift") << Qt::KeyboardModifiers(Qt::ShiftModifier) << true << false;
    QTest::newRow("ctrl") << Qt::KeyboardModifiers(Qt::ControlModifier) << false << true;
    QTest::newRow("alt") << Qt::KeyboardModifiers(Qt::AltModifier) << false << true;
    QTest::newRow("meta") << Qt::KeyboardModifiers(Qt::MetaModifier) << false << true;
    QTest::newRow("shift ctrl") << (Qt::ShiftModifier | Qt::ControlModifier) << true << true;
    QTest::newRow("keypad") << Qt::KeyboardModifiers(Qt::KeypadModifier) << false << false;
}

void TestLayoutEngine::keyOf()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, shift);
    QFETCH(bool, command);
    const LayoutEngine::Key key = LayoutEngine::keyOf(33, Qt::Key_P, modifiers, true);
    QCOMPARE(key.scanCode, 33u);
    QCOMPARE(key.qtKey, int(Qt::Key_P));
    QCOMPARE(key.shift, shift);
    QCOMPARE(key.capsLock, true);
    QCOMPARE(key.command, command);
}

// A letter pending when the layout changes is not lost: it comes out with the next key, which
// the new layout types.
void TestLayoutEngine::pendingSurvivesLayoutChange()
{
    LayoutEngine engine;
    engine.setLayout(3);
    QVERIFY(engine.keyPress({codeOf(u'j'), Qt::Key_J}).text.isEmpty());
    engine.setLayout(1);
    const LayoutEngine::Result result = engine.keyPress({codeOf(u'a'), Qt::Key_A});
    QVERIFY(result.consumed);
    QCOMPARE(result.text, u"йф"_qs);
    engine.keyPress({codeOf(u'j'), Qt::Key_J});
    engine.setLayout(3);
    engine.keyPress({codeOf(u'j'), Qt::Key_J});
    QVERIFY(engine.hasPending());
    engine.setLayout(0);
    const LayoutEngine::Result off = engine.keyPress({codeOf(u'o'), Qt::Key_O});
    QVERIFY(!off.consumed);
    QCOMPARE(off.text, u"й"_qs);
}

void TestLayoutEngine::flush()
{
    LayoutEngine engine;
    engine.setLayout(3);
    QVERIFY(engine.flush().isEmpty());
    const LayoutEngine::Result dead = engine.keyPress({codeOf(u'c'), Qt::Key_C, true});
    QVERIFY(dead.consumed);
    QVERIFY(dead.text.isEmpty());
    QVERIFY(engine.hasPending());
    QCOMPARE(engine.flush(), u"Ц"_qs);
    QVERIFY(!engine.hasPending());
    QVERIFY(engine.flush().isEmpty());
}

QTEST_GUILESS_MAIN(TestLayoutEngine)
#include "tst_layoutengine.moc"
