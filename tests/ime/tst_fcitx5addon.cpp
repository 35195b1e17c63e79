// The Kalvo add-on inside fcitx5, driven through fcitx5's test front end: keys in, committed
// text, preedit and the candidate row out.
#include "fcitx5harness.h"

#include <QtTest>

using namespace fcitx5harness;

class TestFcitx5Addon : public QObject {
    Q_OBJECT

public:
    explicit TestFcitx5Addon(fcitx::Instance &instance)
        : m_instance(instance)
    {}

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void methodsAreListedUnderRussian_data();
    void methodsAreListedUnderRussian();
    void types_data();
    void types();
    void candidateRowExplainsEachSymbol();

private:
    void play(const QString &sequence);
    QString preedit() const;

    fcitx::Instance &m_instance;
    fcitx::InputContext *m_ic = nullptr;
    QString m_committed;
    std::unique_ptr<fcitx::HandlerTableEntry<fcitx::EventHandler>> m_watch;
};

void TestFcitx5Addon::initTestCase()
{
    useMethods(m_instance,
               {"testim", "kalvo-mnemonic", "kalvo-standard", "kalvo-typewriter", "kalvo-ipa"});
    auto *frontend = m_instance.addonManager().addon("testfrontend");
    QVERIFY(frontend);
    const fcitx::ICUUID uuid =
        frontend->call<fcitx::ITestFrontend::createInputContext>("kalvo-test");
    m_ic = m_instance.inputContextManager().findByUUID(uuid);
    QVERIFY(m_ic);
    m_watch = m_instance.watchEvent(fcitx::EventType::InputContextCommitString,
                                    fcitx::EventWatcherPhase::Default, [this](fcitx::Event &event) {
                                        m_committed += QString::fromStdString(
                                            static_cast<fcitx::CommitStringEvent &>(event).text());
                                    });
}

void TestFcitx5Addon::cleanup()
{
    m_ic->reset();
    m_ic->focusOut();
    m_committed.clear();
}

// Keys, and <focusout> and <reset> for what the application does.
void TestFcitx5Addon::play(const QString &sequence)
{
    auto *frontend = m_instance.addonManager().addon("testfrontend");
    const auto press = [&](const QString &keys) {
        for (const fcitx::Key &key : keysOf(keys)) {
            frontend->call<fcitx::ITestFrontend::keyEvent>(m_ic->uuid(), key, false);
            frontend->call<fcitx::ITestFrontend::keyEvent>(m_ic->uuid(), key, true);
        }
    };
    static const QRegularExpression actions(QStringLiteral("(<focusout>|<reset>)"));
    qsizetype from = 0;
    for (const QRegularExpressionMatch &match : actions.globalMatch(sequence)) {
        press(sequence.mid(from, match.capturedStart() - from));
        if (match.captured() == u"<focusout>")
            m_ic->focusOut();
        else
            m_ic->reset();
        from = match.capturedEnd();
    }
    press(sequence.mid(from));
}

QString TestFcitx5Addon::preedit() const
{
    const fcitx::InputPanel &panel = m_ic->inputPanel();
    return QString::fromStdString(panel.clientPreedit().toString() + panel.preedit().toString());
}

void TestFcitx5Addon::methodsAreListedUnderRussian_data()
{
    QTest::addColumn<QString>("uniqueName");
    QTest::addColumn<QString>("name");
    QTest::newRow("mnemonic") << u"kalvo-mnemonic"_qs << u"ロシア語（ニーモニック）"_qs;
    QTest::newRow("standard") << u"kalvo-standard"_qs << u"ロシア語（標準）"_qs;
    QTest::newRow("typewriter") << u"kalvo-typewriter"_qs << u"ロシア語（タイプライター）"_qs;
    QTest::newRow("IPA") << u"kalvo-ipa"_qs << u"発音記号（IPA）"_qs;
}

// What fcitx5's configuration tool lists: the name, the language and the program's icon.
void TestFcitx5Addon::methodsAreListedUnderRussian()
{
    QFETCH(QString, uniqueName);
    QFETCH(QString, name);
    const fcitx::InputMethodEntry *entry =
        m_instance.inputMethodManager().entry(uniqueName.toStdString());
    QVERIFY(entry);
    QCOMPARE(QString::fromStdString(entry->name()), name);
    QCOMPARE(QString::fromStdString(entry->languageCode()), u"ru"_qs);
    QCOMPARE(QString::fromStdString(entry->icon()), u"kalvo"_qs);
    QCOMPARE(QString::fromStdString(entry->addon()), u"kalvo"_qs);
}

void TestFcitx5Addon::types_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<bool>("clientPreedit");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("committed");
    QTest::addColumn<QString>("preedit");

    // The typing rules themselves are tested in tst_imeengine; these are what fcitx5 adds:
    // its keys, its preedit in the application or its panel, and the ends it reports.
    const QString mnemonic = QStringLiteral("kalvo-mnemonic");
    const QString ipa = QStringLiteral("kalvo-ipa");
    QTest::newRow("mnemonic") << mnemonic << false << "pri/vet" << u"при́вет"_qs << QString();
    QTest::newRow("typewriter") << u"kalvo-typewriter"_qs << false << "ghbdtn" << u"привет"_qs
                                << QString();
    QTest::newRow("standard") << u"kalvo-standard"_qs << false << "ghbdtn" << u"привет"_qs
                              << QString();
    QTest::newRow("dead key pending") << mnemonic << true << "moj" << u"мо"_qs << u"й"_qs;
    QTest::newRow("dead key and enter") << mnemonic << false << "j<enter>" << u"й"_qs << QString();
    QTest::newRow("focus out, panel preedit")
        << mnemonic << false << "moj<focusout>" << u"мой"_qs << QString();
    // fcitx5 commits the application's preedit on focus out, once.
    QTest::newRow("focus out, client preedit")
        << mnemonic << true << "moj<focusout>" << u"мой"_qs << QString();
    QTest::newRow("reset, client preedit")
        << mnemonic << true << "J<reset>" << QString() << QString();
    QTest::newRow("reset, panel preedit")
        << mnemonic << false << "J<reset>" << u"Й"_qs << QString();
    QTest::newRow("JIS key by its position")
        << mnemonic << false << "<jiscolon>'" << u"ьь"_qs << QString();
    QTest::newRow("candidate row opens") << ipa << true << "E" << QString() << u"ɛ"_qs;
    QTest::newRow("digit picks") << ipa << true << "E3<enter>" << u"ɚ"_qs << QString();
    QTest::newRow("escape cancels") << ipa << true << "E<esc>" << QString() << QString();
}

void TestFcitx5Addon::types()
{
    QFETCH(QString, method);
    QFETCH(bool, clientPreedit);
    QFETCH(QString, keys);
    QFETCH(QString, committed);
    QFETCH(QString, preedit);

    m_ic->setCapabilityFlags(clientPreedit ? fcitx::CapabilityFlags(fcitx::CapabilityFlag::Preedit)
                                           : fcitx::CapabilityFlags());
    m_ic->focusIn();
    m_instance.setCurrentInputMethod(m_ic, method.toStdString(), false);
    QCOMPARE(QString::fromStdString(m_instance.inputMethod(m_ic)), method);
    play(keys);
    QCOMPARE(m_committed, committed);
    QCOMPARE(this->preedit(), preedit);
}

void TestFcitx5Addon::candidateRowExplainsEachSymbol()
{
    m_ic->focusIn();
    m_instance.setCurrentInputMethod(m_ic, "kalvo-ipa", false);
    play(QStringLiteral("@"));
    const auto list = m_ic->inputPanel().candidateList();
    QVERIFY(list);
    QCOMPARE(list->size(), 4);
    QCOMPARE(list->cursorIndex(), 0);
    const QString first = QString::fromStdString(list->candidate(0).text().toString());
    // A mark is shown on a dotted circle, with its Japanese name and description after it.
    QVERIFY2(first.startsWith(u"\u25CC\u0302  【"), qPrintable(first));
    QVERIFY2(first.size() > 10, qPrintable(first));
    QCOMPARE(QString::fromStdString(list->label(2).toString()), u"3. "_qs);
    // Clicking a candidate commits it.
    list->candidate(3).select(m_ic);
    QCOMPARE(m_committed, u"\u0300"_qs);
    QVERIFY(!m_ic->inputPanel().candidateList());
}

int main(int argc, char *argv[])
{
    return runInFcitx5("testim,testfrontend,kalvo", [&](fcitx::Instance &instance) {
        TestFcitx5Addon test(instance);
        return QTest::qExec(&test, argc, argv);
    });
}

#include "tst_fcitx5addon.moc"
