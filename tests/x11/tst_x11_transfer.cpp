// The transfer as a user meets it: the real program with a fresh HOME, real X clients (Tk text
// fields, terminals) as the targets, keys typed with xdotool, the clipboard read with xclip.
#include "desktopclient.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

namespace {

QString clipboard(const QString &target)
{
    return runTool(u"xclip"_qs, {u"-selection"_qs, u"clipboard"_qs, u"-o"_qs, u"-t"_qs, target});
}

// A terminal emulator running `cat > output`, titled `title`, in a UTF-8 locale.
class TerminalClient {
public:
    TerminalClient(const QString &program, const QString &title, const QString &output)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"LC_ALL"_qs, u"C.UTF-8"_qs);
        m_process.setProcessEnvironment(env);
        m_process.start(program, {u"-title"_qs, title, u"-e"_qs, u"sh"_qs, u"-c"_qs,
                                  u"cat > \"$0\""_qs, output});
        id = findWindow(u'^' + title + u'$');
    }
    ~TerminalClient()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    bool waitForExit() { return m_process.waitForFinished(5000); }

    QString id;

private:
    QProcess m_process;
};

} // namespace

class TestX11Transfer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void pastesIntoTheWindowTheUserLeft();
    void closedTargetIsForgotten();
    void automaticPasteOffOnlyFillsTheClipboard();
    void terminalsPasteWithTheirOwnKey_data();
    void terminalsPasteWithTheirOwnKey();
    void pasteNeverLandsInAWindowActivatedMeanwhile();

private:
    void startKalvo(const QByteArray &settings = {});
    void activate(const QString &id);
    QString kalvoTitle() const;
    bool lampIsRed() const;

    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<QProcess> m_kalvo;
    QString m_kalvoId;
};

void TestX11Transfer::init()
{
    m_home = std::make_unique<TempHome>();
}

void TestX11Transfer::cleanup()
{
    if (m_kalvo) {
        m_kalvo->terminate();
        m_kalvo->waitForFinished(10000);
    }
    m_kalvo.reset();
    m_home.reset();
}

void TestX11Transfer::startKalvo(const QByteArray &settings)
{
    if (!settings.isEmpty())
        writeFile(m_home->configDir() + u"/Sys/Kalvo.rng"_qs, settings);
    m_kalvo = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"QT_QPA_PLATFORM"_qs);
    m_kalvo->setProcessEnvironment(env);
    m_kalvo->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_kalvo->start(QStringLiteral(KALVO_BINARY));
    m_kalvoId = findWindow(u"^Kalvo"_qs);
    QVERIFY(!m_kalvoId.isEmpty());
}

void TestX11Transfer::activate(const QString &id)
{
    xdotool({u"windowactivate"_qs, u"--sync"_qs, id});
    QTRY_COMPARE(xdotool({u"getactivewindow"_qs}), id);
    // Kalvo records the target every 50 ms while it is in the background.
    QTest::qWait(200);
}

QString TestX11Transfer::kalvoTitle() const
{
    return xdotool({u"getwindowname"_qs, m_kalvoId});
}

// The lamp is the only pure red in the tool bar.
bool TestX11Transfer::lampIsRed() const
{
    const QString pixels =
        runTool(u"import"_qs, {u"-window"_qs, m_kalvoId, u"-crop"_qs, u"400x120+0+0"_qs,
                               u"-depth"_qs, u"8"_qs, u"txt:-"_qs});
    return pixels.contains(u"#FF0000"_qs);
}

void TestX11Transfer::pastesIntoTheWindowTheUserLeft()
{
    startKalvo();
    TkClient client(m_home->path(), u"Tk target"_qs);
    QVERIFY(!client.id.isEmpty());
    activate(client.id);
    activate(m_kalvoId);
    QCOMPARE(kalvoTitle(), u"Kalvo  転送先: [ Tk target ]"_qs);
    QVERIFY(lampIsRed());
    typeAndTransfer();
    QTRY_COMPARE_WITH_TIMEOUT(client.text(), u"привет"_qs, 5000);
    const QString rtf = clipboard(u"text/rtf"_qs);
    QVERIFY2(rtf.contains(u"\\fcharset204"_qs) && rtf.contains(u"\\fs40"_qs), qPrintable(rtf));
    // Times New Roman's substitute does not set the stress marks, so the area draws DejaVu Serif.
    QVERIFY2(rtf.contains(u"DejaVu Serif"_qs), qPrintable(rtf));
    const QString html = clipboard(u"text/html"_qs);
    QVERIFY2(html.contains(u"DejaVu Serif"_qs) && html.contains(u"20pt"_qs), qPrintable(html));
    QCOMPARE(clipboard(u"UTF8_STRING"_qs), u"привет"_qs);
}

void TestX11Transfer::closedTargetIsForgotten()
{
    startKalvo();
    TkClient bystander(m_home->path(), u"Tk bystander"_qs);
    TkClient target(m_home->path(), u"Tk target"_qs);
    activate(bystander.id);
    activate(target.id);
    activate(m_kalvoId);
    QCOMPARE(kalvoTitle(), u"Kalvo  転送先: [ Tk target ]"_qs);
    target.close();
    QTest::qWait(300);
    activate(m_kalvoId);
    typeAndTransfer();
    QTRY_COMPARE(kalvoTitle(), u"Kalvo"_qs);
    QTest::qWait(1000);
    QVERIFY(bystander.text().isEmpty());
    QVERIFY(!lampIsRed());
    QCOMPARE(clipboard(u"UTF8_STRING"_qs), u"привет"_qs);
}

void TestX11Transfer::automaticPasteOffOnlyFillsTheClipboard()
{
    startKalvo("AutoPasteFlg,0\r\nTransIndex,4\r\n");
    TkClient client(m_home->path(), u"Tk target"_qs);
    activate(client.id);
    activate(m_kalvoId);
    QCOMPARE(kalvoTitle(), u"Kalvo"_qs);
    typeAndTransfer();
    QTRY_COMPARE(clipboard(u"UTF8_STRING"_qs), u"привет"_qs);
    QTest::qWait(1000);
    QVERIFY(client.text().isEmpty());
    QCOMPARE(xdotool({u"getactivewindow"_qs}), m_kalvoId);
}

void TestX11Transfer::terminalsPasteWithTheirOwnKey_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("xterm") << u"xterm"_qs;
    QTest::newRow("urxvt") << u"urxvt"_qs;
}

// Two transfers into `cat > file`; then Return and Ctrl+D end the line and the input. A paste
// key the terminal takes as a control character (Ctrl+V is "literal next" in a terminal) would
// leave the text out and Return in the file as a literal character.
void TestX11Transfer::terminalsPasteWithTheirOwnKey()
{
    QFETCH(QString, program);
    startKalvo("TransIndex,4\r\n");
    const QString output = m_home->path() + u"/received.txt"_qs;
    TerminalClient terminal(program, u"Term target"_qs, output);
    QVERIFY(!terminal.id.isEmpty());
    activate(terminal.id);
    activate(m_kalvoId);
    QCOMPARE(kalvoTitle(), u"Kalvo  転送先: [ Term target ]"_qs);
    typeAndTransfer();
    QTest::qWait(800);
    activate(m_kalvoId);
    xdotool({u"key"_qs, u"F9"_qs});
    QTest::qWait(800);
    QCOMPARE(xdotool({u"getactivewindow"_qs}), terminal.id);
    xdotool({u"key"_qs, u"--delay"_qs, u"40"_qs, u"Return"_qs, u"ctrl+d"_qs});
    QVERIFY(terminal.waitForExit());
    QCOMPARE(QString::fromUtf8(readFile(output)), u"приветпривет\n"_qs);
}

// The user switches to another window at a random moment after F9. Each round transfers a
// text of its own, two letters that number it, so every paste is told apart however late it
// lands. The window the user switched to is the next round's target: the rounds alternate
// between the two windows without extra steps.
void TestX11Transfer::pasteNeverLandsInAWindowActivatedMeanwhile()
{
    constexpr int rounds = 100;
    const QStringList digitKeys{u"p"_qs, u"r"_qs, u"i"_qs, u"v"_qs, u"e"_qs,
                                u"t"_qs, u"a"_qs, u"o"_qs, u"s"_qs, u"d"_qs};
    startKalvo("TransIndex,4\r\n");
    TkClient first(m_home->path(), u"Tk first"_qs);
    TkClient second(m_home->path(), u"Tk second"_qs);
    QVERIFY(!first.id.isEmpty() && !second.id.isEmpty());
    activate(first.id);
    activate(m_kalvoId);
    // The letters Kalvo's layout types for the ten keys; pasted into the first window.
    xdotool(QStringList{u"key"_qs, u"--delay"_qs, u"20"_qs} + digitKeys + QStringList{u"F9"_qs});
    QTRY_COMPARE(clipboard(u"UTF8_STRING"_qs).size(), 10);
    const QString digits = clipboard(u"UTF8_STRING"_qs);
    QTRY_COMPARE(first.text(), digits);

    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    // For each window, the texts of the rounds in which the user switched to it.
    QHash<TkClient *, QHash<QString, int>> switchedTo;
    QElapsedTimer clock;
    for (int round = 0; round < rounds; ++round) {
        // Kalvo does not track while it is active: its caption names the target of this F9.
        xdotool({u"windowactivate"_qs, u"--sync"_qs, m_kalvoId});
        TkClient &other = kalvoTitle().contains(u"Tk first"_qs) ? second : first;
        const QString token = digits.mid(round / 10, 1) + digits.at(round % 10);
        xdotool({u"key"_qs, u"--delay"_qs, u"5"_qs, digitKeys.at(round / 10),
                 digitKeys.at(round % 10), u"F9"_qs});
        clock.start();
        const int switchAfter = random.bounded(501);
        QTest::qWait(switchAfter);
        xdotool({u"windowactivate"_qs, other.id});
        switchedTo[&other].insert(token, switchAfter);
        // The paste is due 300 ms after the target is up, which takes at most 200 ms.
        QTest::qWait(qMax(0, 520 - int(clock.elapsed())));
    }
    QTest::qWait(500);
    QStringList strays;
    int pastes = 0;
    for (TkClient *window : {&first, &second}) {
        const QString text = window == &first ? first.text().mid(digits.size()) : second.text();
        for (qsizetype i = 0; i + 1 < text.size(); i += 2, ++pastes) {
            const auto stray = switchedTo[window].constFind(text.mid(i, 2));
            if (stray != switchedTo[window].cend())
                strays.append(QString::number(*stray));
        }
    }
    QVERIFY2(strays.isEmpty(), qPrintable(u"%1 of %2 pastes went to the window switched to "
                                          "(seed %3, switched after %4 ms)"_qs.arg(strays.size())
                                              .arg(pastes)
                                              .arg(seed)
                                              .arg(strays.join(u", "_qs))));
    // The rounds that switched only after the paste pasted into the target.
    QVERIFY2(pastes >= rounds / 4, qPrintable(QString::number(pastes)));
}

QTEST_MAIN(TestX11Transfer)
#include "tst_x11_transfer.moc"
