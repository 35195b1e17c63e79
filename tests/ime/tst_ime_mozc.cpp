// The real program beside a real Japanese input method (fcitx5 or IBus, with Mozc switched on),
// as a Japanese user runs it all day: the Japanese fields convert with Mozc, while the fields
// that type their own layout never meet it, not even its 半角/全角 hot key.
// Run by tests/ime/ime-session, which starts the desktop and says how to reach it.
#include "desktopclient.h"

namespace {

QString clipboard()
{
    return runTool(u"xclip"_qs, {u"-selection"_qs, u"clipboard"_qs, u"-o"_qs});
}

void keys(const QStringList &names)
{
    xdotool(QStringList{u"key"_qs, u"--delay"_qs, u"60"_qs} + names);
}

// The focused field's whole text, through the clipboard.
QString focusedFieldText()
{
    runTool(u"xclip"_qs, {u"-selection"_qs, u"clipboard"_qs, u"/dev/null"_qs});
    keys({u"ctrl+a"_qs, u"ctrl+c"_qs});
    for (int i = 0; i < 50 && clipboard().isEmpty(); ++i)
        QTest::qWait(100);
    return clipboard();
}

const QStringList privet{u"p"_qs, u"r"_qs, u"i"_qs, u"v"_qs, u"e"_qs, u"t"_qs};
const QStringList nihongo{u"n"_qs, u"i"_qs, u"h"_qs, u"o"_qs, u"n"_qs, u"g"_qs, u"o"_qs};

} // namespace

class TestImeMozc : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void japaneseConvertsAndRussianTypesItself_data();
    void japaneseConvertsAndRussianTypesItself();

private:
    void startKalvo(const QString &module);
    QString onDesktop(const QStringList &command);
    void convertNihongo();

    QString m_run;
    std::unique_ptr<QProcess> m_kalvo;
    QString m_kalvoId;
};

void TestImeMozc::initTestCase()
{
    m_run = qEnvironmentVariable("KALVO_IME_RUN");
    QVERIFY2(!m_run.isEmpty(), "run by tests/ime/ime-session");
}

void TestImeMozc::cleanup()
{
    if (m_kalvo) {
        m_kalvo->terminate();
        m_kalvo->waitForFinished(10000);
    }
    m_kalvo.reset();
}

void TestImeMozc::startKalvo(const QString &module)
{
    m_kalvo = std::make_unique<QProcess>();
    m_kalvo->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_kalvo->start(
        m_run, {u"env"_qs, u"QT_IM_MODULE="_qs + module, qEnvironmentVariable("KALVO_IME_BINARY")});
    m_kalvoId = findWindow(u"^Kalvo"_qs);
    QVERIFY(!m_kalvoId.isEmpty());
    xdotool({u"windowactivate"_qs, u"--sync"_qs, m_kalvoId});
    QTRY_COMPARE(xdotool({u"getactivewindow"_qs}), m_kalvoId);
}

QString TestImeMozc::onDesktop(const QStringList &command)
{
    return runTool(m_run, command);
}

// "nihongo", Space, Enter at the caret: 日本語 while Mozc is on in the focused field.
void TestImeMozc::convertNihongo()
{
    keys(nihongo);
    QTest::qWait(300);
    keys({u"space"_qs});
    QTest::qWait(300);
    keys({u"Return"_qs});
}

void TestImeMozc::japaneseConvertsAndRussianTypesItself_data()
{
    QTest::addColumn<QString>("module");
    QTest::addColumn<QStringList>("mozcOn"); // switches Mozc on in the focused field
    QTest::newRow("fcitx5") << u"fcitx"_qs << QStringList{u"fcitx5-remote"_qs, u"-o"_qs};
    QTest::newRow("IBus") << u"ibus"_qs << QStringList{u"ibus"_qs, u"engine"_qs, u"mozc-jp"_qs};
}

void TestImeMozc::japaneseConvertsAndRussianTypesItself()
{
    QFETCH(QString, module);
    QFETCH(QStringList, mozcOn);
    startKalvo(module);
    // The first book of the shelf opens with a click, so F4 can register into it.
    xdotool(
        {u"mousemove"_qs, u"--window"_qs, m_kalvoId, u"440"_qs, u"470"_qs, u"click"_qs, u"1"_qs});
    QTest::qWait(500);
    keys({u"F4"_qs});
    QTRY_COMPARE(xdotool({u"getactivewindow"_qs, u"getwindowname"_qs}), u"単語登録"_qs);

    // The Japanese field, three Tabs after the Russian one: Mozc converts there.
    keys({u"Tab"_qs, u"Tab"_qs, u"Tab"_qs});
    onDesktop(mozcOn);
    QTest::qWait(300);
    convertNihongo();
    QCOMPARE(focusedFieldText(), u"日本語"_qs);

    // Back in the Russian field with Mozc on: the layout types, 半角/全角 is ъ.
    keys({u"shift+Tab"_qs, u"shift+Tab"_qs, u"shift+Tab"_qs});
    keys(privet + QStringList{u"Zenkaku_Hankaku"_qs});
    QCOMPARE(focusedFieldText(), u"приветъ"_qs);
    // 半角/全角 never reached Mozc, which still converts in the Japanese field.
    keys({u"Tab"_qs, u"Tab"_qs, u"Tab"_qs, u"End"_qs});
    convertNihongo();
    QCOMPARE(focusedFieldText(), u"日本語日本語"_qs);

    // The main window's Russian area, then its IPA line in IPA mode (Shift+E, then 2: ə).
    keys({u"Escape"_qs});
    QTRY_COMPARE(xdotool({u"getactivewindow"_qs}), m_kalvoId);
    keys(privet + QStringList{u"F9"_qs});
    QTRY_COMPARE(clipboard(), u"привет"_qs);
    xdotool(
        {u"mousemove"_qs, u"--window"_qs, m_kalvoId, u"300"_qs, u"100"_qs, u"click"_qs, u"1"_qs});
    keys({u"shift+e"_qs, u"2"_qs, u"a"_qs, u"F9"_qs});
    QTRY_COMPARE(clipboard(), u"əa"_qs);
}

QTEST_GUILESS_MAIN(TestImeMozc)
#include "tst_ime_mozc.moc"
