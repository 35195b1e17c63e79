// The transfer as a user meets it: the real program with a fresh HOME, a real X client with a
// text field (Tk) as the target, keys typed with xdotool, the clipboard read with xclip.
#include "desktopclient.h"

namespace {

QString clipboard(const QString &target)
{
    return runTool(u"xclip"_qs, {u"-selection"_qs, u"clipboard"_qs, u"-o"_qs, u"-t"_qs, target});
}

} // namespace

class TestX11Transfer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void pastesIntoTheWindowTheUserLeft();
    void closedTargetIsForgotten();
    void automaticPasteOffOnlyFillsTheClipboard();

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
    QVERIFY2(rtf.contains(u"Liberation Serif"_qs), qPrintable(rtf));
    const QString html = clipboard(u"text/html"_qs);
    QVERIFY2(html.contains(u"Liberation Serif"_qs) && html.contains(u"20pt"_qs), qPrintable(html));
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

QTEST_MAIN(TestX11Transfer)
#include "tst_x11_transfer.moc"
