// The input methods' typing, framework-neutral: keys of a US keyboard in, committed text and
// preedit out, for each of the four methods.
#include "ime/imeengine.h"
#include "uskeys.h"

#include <QtTest>

class TestImeEngine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void types_data();
    void types();
    void candidateRow();
};

namespace {

struct Typed {
    QString committed;
    QString preedit;
};

// Plays `sequence`; <focusout>, <reset> and <switch> end what is pending.
Typed play(ImeEngine &engine, const QString &sequence, bool committedElsewhere)
{
    Typed typed;
    static const QRegularExpression endings(QStringLiteral("<(focusout|reset|switch)>"));
    const auto press = [&](const QString &keys) {
        for (const uskeys::Key &key : uskeys::keysOf(keys)) {
            const char32_t unicode = key.keysym < 0x80 ? key.keysym : 0;
            ImeEngine::Key pressed{quint32(key.code), key.keysym, unicode, key.shift};
            typed.committed += engine.keyEvent(pressed).commit;
            pressed.release = true;
            typed.committed += engine.keyEvent(pressed).commit;
        }
    };
    qsizetype from = 0;
    for (const QRegularExpressionMatch &match : endings.globalMatch(sequence)) {
        press(sequence.mid(from, match.capturedStart() - from));
        const QString why = match.captured(1);
        const ImeEngine::Ending ending = why == u"focusout" ? ImeEngine::Ending::FocusOut
                                         : why == u"reset"  ? ImeEngine::Ending::Reset
                                                            : ImeEngine::Ending::Switch;
        typed.committed += engine.end(ending, committedElsewhere).commit;
        from = match.capturedEnd();
    }
    press(sequence.mid(from));
    typed.preedit = engine.preedit();
    return typed;
}

} // namespace

void TestImeEngine::types_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<bool>("committedElsewhere");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("committed");
    QTest::addColumn<QString>("preedit");

    const int mnemonic = int(ImeEngine::Method::Mnemonic);
    const int ipa = int(ImeEngine::Method::Ipa);
    QTest::newRow("mnemonic") << mnemonic << false << "privet" << u"привет"_qs << QString();
    QTest::newRow("typewriter") << int(ImeEngine::Method::Typewriter) << false << "ghbdtn"
                                << u"привет"_qs << QString();
    QTest::newRow("standard") << int(ImeEngine::Method::Standard) << false << "ghbdtn"
                              << u"привет"_qs << QString();
    QTest::newRow("acute after a vowel")
        << mnemonic << false << "pri/vet" << u"при\u0301вет"_qs << QString();
    QTest::newRow("acute on e") << mnemonic << false << "prive/t" << u"приве\u0301т"_qs
                                << QString();
    QTest::newRow("grave") << mnemonic << false << "o\\" << u"о\u0300"_qs << QString();
    QTest::newRow("slash after a consonant") << mnemonic << false << "s/" << u"с/"_qs << QString();
    QTest::newRow("slash after a passed key")
        << mnemonic << false << "a<left>/" << u"а/"_qs << QString();
    QTest::newRow("dead key pending") << mnemonic << true << "moj" << u"мо"_qs << u"й"_qs;
    QTest::newRow("dead key and space")
        << mnemonic << false << "moj<space>" << u"мой"_qs << QString();
    QTest::newRow("dead key sequences")
        << mnemonic << false << "jajujoscchje" << u"яюёщчэ"_qs << QString();
    QTest::newRow("upper-case dead key") << mnemonic << false << "Ja" << u"Я"_qs << QString();
    QTest::newRow("dead key and enter") << mnemonic << false << "j<enter>" << u"й"_qs << QString();
    // Preedit committed elsewhere on focus out and on a reset is not typed again.
    QTest::newRow("focus out, panel preedit")
        << mnemonic << false << "moj<focusout>" << u"мой"_qs << QString();
    QTest::newRow("focus out, client preedit")
        << mnemonic << true << "moj<focusout>" << u"мо"_qs << QString();
    QTest::newRow("reset, client preedit")
        << mnemonic << true << "J<reset>" << QString() << QString();
    QTest::newRow("reset, panel preedit")
        << mnemonic << false << "J<reset>" << u"Й"_qs << QString();
    QTest::newRow("switch, client preedit")
        << mnemonic << true << "J<switch>" << u"Й"_qs << QString();
    QTest::newRow("JIS key by its position")
        << mnemonic << false << "<jiscolon>'" << u"ьь"_qs << QString();
    QTest::newRow("candidate row opens") << ipa << true << "E" << QString() << u"ɛ"_qs;
    QTest::newRow("digit picks") << ipa << true << "E3<enter>" << u"ɚ"_qs << QString();
    QTest::newRow("arrow and enter") << ipa << true << "E<right><enter>" << u"ə"_qs << QString();
    QTest::newRow("space moves") << ipa << true << "E<space><space><enter>" << u"ɚ"_qs << QString();
    QTest::newRow("arrow wraps") << ipa << true << "E<left><enter>" << u"e"_qs << QString();
    QTest::newRow("escape cancels") << ipa << true << "E<esc>" << QString() << QString();
    QTest::newRow("focus out cancels") << ipa << true << "E<focusout>" << QString() << QString();
    QTest::newRow("mark") << ipa << true << "@2" << u"\u030C"_qs << QString();
    QTest::newRow("lower case passes") << ipa << true << "a" << QString() << QString();
}

void TestImeEngine::types()
{
    QFETCH(int, method);
    QFETCH(bool, committedElsewhere);
    QFETCH(QString, keys);
    QFETCH(QString, committed);
    QFETCH(QString, preedit);

    ImeEngine engine{ImeEngine::Method(method)};
    const Typed typed = play(engine, keys, committedElsewhere);
    QCOMPARE(typed.committed, committed);
    QCOMPARE(typed.preedit, preedit);
    engine.end(ImeEngine::Ending::Switch, false);
}

void TestImeEngine::candidateRow()
{
    ImeEngine engine(ImeEngine::Method::Ipa);
    play(engine, QStringLiteral("@<right>"), true);
    const std::vector<ImeEngine::Candidate> row = engine.candidates();
    QCOMPARE(int(row.size()), 4);
    QCOMPARE(engine.selectedCandidate(), 1);
    QCOMPARE(row[0].label, u"\u25CC\u0302"_qs);
    QCOMPARE(row[0].symbol, u"\u0302"_qs);
    QVERIFY2(row[0].comment.startsWith(u'【') && row[0].comment.size() > 4,
             qPrintable(row[0].comment));
    QCOMPARE(engine.pickCandidate(3).commit, u"\u0300"_qs);
    QVERIFY(engine.candidates().empty());
}

QTEST_APPLESS_MAIN(TestImeEngine)
#include "tst_imeengine.moc"
