#include "core/settingstable.h"
#include "core/ulib.h"
#include "input/tkeybutton.h"
#include "ipa/candidatefilter.h"
#include "ipa/fontprobes.h"
#include "ipa/ipafonts.h"
#include "ipa/tipapad.h"
#include "ipa/uipa.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRawFont>
#include <QTemporaryDir>
#include <QtTest>

class TestTIPAPad : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void geometry_data();
    void geometry();
    void infoEditSitsAtTheBottom();
    void keyButtons();
    void keyClickShowsTheRow();
    void combiningMarks();
    void symbolsWithoutRecord();
    void candidateClicksFollowEachOther();
    void emptyButtonDoesNothing();
    void enterKeepsTheInformation();
    void candidateKeysRepaintOnlyWhatChanges_data();
    void candidateKeysRepaintOnlyWhatChanges();
    void adjustKeepsTheSlots();
    void selectedCandidateIsPaintedAqua();
    void fontCoversTheCandidates();
    void familyCovering_data();
    void fontProbesAreKept_data();
    void fontProbesAreKept();
    void familyCovering();

private:
    std::unique_ptr<TIPAPad> m_pad;
};

namespace {

const QColor Aqua(0x00, 0xFF, 0xFF);
const QString EngCap = u"QWERTYUIOP@[ASDFGHJKL;:]ZXCVBNM,./\\"_qs;

TKeyButton *button(TIPAPad &pad, const QString &name)
{
    return pad.findChild<TKeyButton *>(name);
}

QLineEdit *infoEdit(TIPAPad &pad)
{
    return pad.findChild<QLineEdit *>(u"InfoEdit"_qs);
}

// Clicks the key button captioned `caption`.
void clickKey(TIPAPad &pad, QChar caption)
{
    QTest::mouseClick(pad.keyButton(int(EngCap.indexOf(caption)) + 1), Qt::LeftButton);
}

// The names of the keys and fields painted while `run` runs and the events are processed.
template <typename Run> QStringList paintedBy(Run run)
{
    struct Recorder : QObject {
        QStringList painted;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            const bool control =
                qobject_cast<TKeyButton *>(watched) || qobject_cast<QLineEdit *>(watched);
            if (event->type() == QEvent::Paint && control &&
                !painted.contains(watched->objectName()))
                painted.append(watched->objectName());
            return false;
        }
    } recorder;
    QApplication::processEvents();
    qApp->installEventFilter(&recorder);
    run();
    QApplication::processEvents();
    qApp->removeEventFilter(&recorder);
    recorder.painted.sort();
    return recorder.painted;
}

// Presses and releases one key, without the separate Shift key events of QTest::keyClick.
void pressKey(QWidget *target, Qt::Key key, const QString &text, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

} // namespace

void TestTIPAPad::init()
{
    InitUsrVars(false, 0xFFFFE1);
    InitSysVars();
    m_pad = std::make_unique<TIPAPad>();
    m_pad->resize(384, 222);
    m_pad->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pad.get()));
}

void TestTIPAPad::geometry_data()
{
    QTest::addColumn<QSize>("padSize");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("expected");

    const QSize example(384, 222);
    QTest::newRow("CandBtn1") << example << u"CandBtn1"_qs << QRect(7, 8, 37, 55);
    QTest::newRow("CandBtn2") << example << u"CandBtn2"_qs << QRect(44, 8, 37, 55);
    QTest::newRow("CandBtn10") << example << u"CandBtn10"_qs << QRect(340, 8, 37, 55);
    QTest::newRow("row 1 first") << example << u"KeyButton1"_qs << QRect(20, 65, 27, 40);
    QTest::newRow("row 1 last") << example << u"KeyButton12"_qs << QRect(317, 65, 27, 40);
    QTest::newRow("row 2 first") << example << u"KeyButton13"_qs << QRect(40, 105, 27, 40);
    QTest::newRow("row 2 last") << example << u"KeyButton24"_qs << QRect(337, 105, 27, 40);
    QTest::newRow("row 3 first") << example << u"KeyButton25"_qs << QRect(53, 145, 27, 40);
    QTest::newRow("row 3 last") << example << u"KeyButton35"_qs << QRect(323, 145, 27, 40);
    QTest::newRow("Panel1") << example << u"Panel1"_qs << QRect(QPoint(0, 0), example);
    // 399 / 14 = 28.5 rounds to the even 28; the left margin is (399 - 336 - 21) div 2.
    QTest::newRow("half rounds to even")
        << QSize(399, 222) << u"KeyButton1"_qs << QRect(21, 65, 28, 40);
    QTest::newRow("small pad") << QSize(200, 100) << u"CandBtn10"_qs << QRect(176, 4, 19, 25);
    QTest::newRow("small pad key") << QSize(200, 100) << u"KeyButton25"_qs << QRect(28, 66, 14, 18);
}

void TestTIPAPad::geometry()
{
    QFETCH(QSize, padSize);
    QFETCH(QString, name);
    m_pad->resize(padSize);
    QTEST(m_pad->findChild<QWidget *>(name)->geometry(), "expected");
}

void TestTIPAPad::infoEditSitsAtTheBottom()
{
    for (const QSize size : {QSize(384, 222), QSize(500, 300)}) {
        m_pad->resize(size);
        const QRect edit = infoEdit(*m_pad)->geometry();
        QCOMPARE(edit.bottom() + 1, size.height());
        QCOMPARE(edit.left(), 0);
        QCOMPARE(edit.width(), size.width());
        QVERIFY(infoEdit(*m_pad)->isReadOnly());
    }
}

void TestTIPAPad::keyButtons()
{
    for (int q = 1; q <= TIPAPad::KeyCount; ++q) {
        TKeyButton *key = button(*m_pad, QStringLiteral("KeyButton%1").arg(q));
        const QChar caption = EngCap[q - 1];
        QCOMPARE(key->text(), QString(caption));
        QCOMPARE(key->isEnabled(), !u"Q;,.\\"_qs.contains(caption));
        const QString shiftMark = caption == u'/' ? u"?"_qs : caption == u'@' ? u"`"_qs : QString();
        QCOMPARE(key->SubCap(), shiftMark);
        QCOMPARE(key->SubFPer(), shiftMark.isEmpty() ? 25 : 45);
        QCOMPARE(key->MainFPer(), 65);
    }
    Usr.SmallPCFlg = true;
    m_pad->AdjustPosSize();
    QCOMPARE(m_pad->keyButton(1)->MainFPer(), 70);
    for (int i = 1; i <= TIPAPad::CandCount; ++i) {
        QCOMPARE(m_pad->candButton(i)->SubCap(), QString::number(i % 10));
        QVERIFY(!m_pad->candButton(i)->isEnabled());
    }
}

void TestTIPAPad::keyClickShowsTheRow()
{
    clickKey(*m_pad, u'E');
    const QStringList captions{u"\u025B"_qs, u"\u0259"_qs, u"\u025A"_qs, u"e"_qs};
    const QStringList tips{u"Epsilon: 025B"_qs, u"Schwa: 0259"_qs, u"Right-hook schwa: 025A"_qs,
                           u"Lower-case E: 0065"_qs};
    for (int i = 1; i <= TIPAPad::CandCount; ++i) {
        TKeyButton *cand = m_pad->candButton(i);
        const bool filled = i <= captions.size();
        QCOMPARE(cand->text(), filled ? captions[i - 1] : QString());
        QCOMPARE(cand->toolTip(), filled ? tips[i - 1] : QString());
        QCOMPARE(cand->isEnabled(), filled);
        QCOMPARE(cand->MainFPer(), 65);
        if (filled) {
            QCOMPARE(cand->BackColor(), i == 1 ? Aqua : QColor(Qt::white));
            QCOMPARE(cand->XPosPer(), 66);
        }
    }
    QCOMPARE(
        infoEdit(*m_pad)->text(),
        u"【エプシロン】あごを下げる感じで口をやや大きめに開けて「エ」/ 半開 前舌 非円唇 母音"_qs);
    QVERIFY(!Sys.CandState);
}

void TestTIPAPad::combiningMarks()
{
    clickKey(*m_pad, u'@');
    QCOMPARE(m_pad->candButton(1)->toolTip(), u"Circumflex: 0302"_qs);
    for (int i = 1; i <= 4; ++i) {
        QCOMPARE(m_pad->candButton(i)->XPosPer(), 52);
        // The mark is shown on a base of its own, so it cannot join anything else.
        QCOMPARE(m_pad->candButton(i)->text(), QChar(0x00A0) + Sys.arrIPA[i - 1]);
    }
    // The tie bar is a combining mark too, but keeps the usual place.
    clickKey(*m_pad, u':');
    QCOMPARE(m_pad->candButton(3)->XPosPer(), 66);
    QCOMPARE(m_pad->candButton(3)->text(), u"\u00A0\u0361"_qs);
    QCOMPARE(m_pad->candButton(1)->text(), u"\u02D0"_qs);
}

void TestTIPAPad::symbolsWithoutRecord()
{
    clickKey(*m_pad, u'[');
    QCOMPARE(m_pad->candButton(3)->toolTip(), u": 005B"_qs);
    QTest::mouseClick(m_pad->candButton(3), Qt::LeftButton);
    QCOMPARE(infoEdit(*m_pad)->text(), u"【】"_qs);
    clickKey(*m_pad, u'M');
    QCOMPARE(m_pad->candButton(2)->toolTip(), u": 1D5A"_qs);
}

void TestTIPAPad::candidateClicksFollowEachOther()
{
    QLineEdit field;
    connect(m_pad.get(), &TIPAPad::candidateClicked, &field,
            [&field](const QString &symbol) { InsertIpaText(&field, symbol); });
    clickKey(*m_pad, u'E');
    QTest::mouseClick(m_pad->candButton(3), Qt::LeftButton);
    QCOMPARE(field.text(), u"\u025A"_qs);
    QCOMPARE(Sys.SeleIndex, 2);
    QCOMPARE(m_pad->candButton(3)->BackColor(), Aqua);
    QCOMPARE(m_pad->candButton(1)->BackColor(), QColor(Qt::white));
    QVERIFY(infoEdit(*m_pad)->text().startsWith(u"【右かぎつきのシュワー】"_qs));
    QTest::mouseClick(m_pad->candButton(1), Qt::LeftButton);
    QCOMPARE(field.text(), u"\u025A\u025B"_qs);
    QCOMPARE(GetCandMax(), 4);
    QVERIFY(!Sys.CandState);
}

void TestTIPAPad::emptyButtonDoesNothing()
{
    QSignalSpy clicked(m_pad.get(), &TIPAPad::candidateClicked);
    clickKey(*m_pad, u'E');
    QTest::mouseClick(m_pad->candButton(5), Qt::LeftButton);
    // A disabled key of the keyboard cannot open its (empty) row either.
    clickKey(*m_pad, u'Q');
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(Sys.SeleIndex, 0);
    QCOMPARE(GetCandMax(), 4);
}

void TestTIPAPad::enterKeepsTheInformation()
{
    QLineEdit field;
    installIpaCandidates(&field, {[this] { m_pad->DispArrIPA(); }, {}});
    QTest::keyClick(&field, 'E', Qt::ShiftModifier);
    QTest::keyClick(&field, Qt::Key_Space);
    QVERIFY(infoEdit(*m_pad)->text().startsWith(u"【シュワー】"_qs));
    QTest::keyClick(&field, Qt::Key_Return);
    QCOMPARE(field.text(), u"\u0259"_qs);
    QVERIFY(m_pad->candButton(1)->text().isEmpty());
    QVERIFY(infoEdit(*m_pad)->text().startsWith(u"【シュワー】"_qs));
}

void TestTIPAPad::candidateKeysRepaintOnlyWhatChanges_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("painted");
    const QStringList row{u"CandBtn1"_qs, u"CandBtn2"_qs, u"CandBtn3"_qs, u"CandBtn4"_qs};
    // The information line still names the epsilon the row opens with.
    QTest::newRow("opening the row") << u"E\r"_qs << int(Qt::Key_E) << u"E"_qs << row;
    QTest::newRow("stepping") << u"E"_qs << int(Qt::Key_Space) << u" "_qs
                              << QStringList{u"CandBtn1"_qs, u"CandBtn2"_qs, u"InfoEdit"_qs};
    QTest::newRow("picking") << u"E"_qs << int(Qt::Key_Return) << u"\r"_qs
                             << QStringList{row} + QStringList{u"Edit1"_qs};
}

// A candidate key repaints the buttons whose slot changed and the field it types into, and
// nothing else: not the other buttons, not an unchanged information line, and not the field
// for a key it never saw.
void TestTIPAPad::candidateKeysRepaintOnlyWhatChanges()
{
    QFETCH(QString, before);
    QFETCH(int, key);
    QFETCH(QString, text);
    QLineEdit field;
    field.setObjectName(u"Edit1"_qs);
    installIpaCandidates(&field, {[this] { m_pad->DispArrIPA(); }, {}});
    field.show();
    QVERIFY(QTest::qWaitForWindowExposed(&field));
    for (QChar stroke : before) {
        if (stroke == u'\r')
            QTest::keyClick(&field, Qt::Key_Return);
        else
            QTest::keyClick(&field, stroke.toLatin1(), Qt::ShiftModifier);
    }
    const auto modifiers = text == u"E" ? Qt::ShiftModifier : Qt::NoModifier;
    QTEST(paintedBy([&] { pressKey(&field, Qt::Key(key), text, modifiers); }), "painted");
}

void TestTIPAPad::adjustKeepsTheSlots()
{
    clickKey(*m_pad, u'T');
    m_pad->resize(400, 240);
    QVERIFY(m_pad->candButton(1)->text().isEmpty());
    QVERIFY(infoEdit(*m_pad)->text().isEmpty());
    QCOMPARE(GetCandMax(), 6);
    m_pad->DispArrIPA();
    QCOMPARE(m_pad->candButton(6)->text(), u"t"_qs);
}

void TestTIPAPad::selectedCandidateIsPaintedAqua()
{
    // Slot 3, away from the first button, which the test's mouse pointer rests on.
    clickKey(*m_pad, u'E');
    Sys.SeleIndex = 2;
    m_pad->DispArrIPA();
    const QImage image = m_pad->grab().toImage();
    auto fillAt = [&image, this](int slot) {
        const QRect r = m_pad->candButton(slot)->geometry();
        return image.pixelColor(r.left() + 6, r.bottom() - 6);
    };
    QCOMPARE(fillAt(3), Aqua);
    QCOMPARE(fillAt(2), QColor(Qt::white));
    QCOMPARE(fillAt(5), m_pad->palette().color(QPalette::Button));
    QCOMPARE(image.pixelColor(2, 2), QColor::fromRgb(0xFFFFE1));
}

void TestTIPAPad::fontCoversTheCandidates()
{
    const QRawFont raw = QRawFont::fromFont(m_pad->candButton(1)->font());
    for (QChar key : TriggerSet()) {
        for (QChar candidate : CandidatesOf(key))
            QVERIFY2(raw.supportsCharacter(candidate), qPrintable(QString(candidate)));
    }
}

void TestTIPAPad::familyCovering_data()
{
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("fallback");
    QTest::addColumn<QString>("expected");
    QTest::newRow("covers") << u"DejaVu Sans"_qs << u"\u025B\u1D5A"_qs << u"Noto Sans CJK JP"_qs
                            << u"DejaVu Sans"_qs;
    QTest::newRow("lacks IPA") << u"Noto Sans CJK JP"_qs << u"\u1D5A"_qs << u"DejaVu Sans"_qs
                               << u"DejaVu Sans"_qs;
    QTest::newRow("lacks kana") << u"DejaVu Sans"_qs << u"あ"_qs << u"Noto Sans CJK JP"_qs
                                << u"Noto Sans CJK JP"_qs;
    QTest::newRow("fallback lacks it too")
        << u"DejaVu Sans"_qs << u"あ"_qs << u"DejaVu Serif"_qs << u"DejaVu Sans"_qs;
}

void TestTIPAPad::familyCovering()
{
    QFETCH(QString, wanted);
    QFETCH(QString, sample);
    QFETCH(QString, fallback);
    QTEST(FamilyCovering(wanted, sample, fallback), "expected");
}

// An answer kept by one run is the next run's, unless the file is another set of fonts' or
// not one of ours; the probe runs then, and its answer is kept in its place.
void TestTIPAPad::fontProbesAreKept_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("probed");
    QTest::newRow("kept") << QByteArray() << false;
    QTest::newRow("other fonts") << QByteArray("0123abcd\n0\tq\n") << true;
    QTest::newRow("not ours") << QByteArray("\xff\xfe\n1\tq\n") << true;
}

void TestTIPAPad::fontProbesAreKept()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, probed);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"probes/font-probes.txt"_qs);
    if (file.isEmpty()) {
        FontProbes first(path);
        QVERIFY(!first.answer(u"q"_qs, [] { return false; }));
        QCoreApplication::processEvents();
    } else {
        QDir().mkpath(dir.filePath(u"probes"_qs));
        QFile written(path);
        QVERIFY(written.open(QIODevice::WriteOnly));
        written.write(file);
    }
    bool ran = false;
    FontProbes next(path);
    QCOMPARE(next.answer(u"q"_qs,
                         [&] {
                             ran = true;
                             return true;
                         }),
             probed);
    QCOMPARE(ran, probed);
    QCoreApplication::processEvents();
    FontProbes third(path);
    QCOMPARE(third.answer(u"q"_qs, [probed] { return !probed; }), probed);
}

QTEST_MAIN(TestTIPAPad)
#include "tst_tipapad.moc"
