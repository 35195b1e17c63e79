#include "core/folders.h"
#include "core/session.h"
#include "core/textlines.h"
#include "core/ulib.h"
#include "input/keytables.h"
#include "ipa/ipafonts.h"
#include "mainwin/compositionareas.h"
#include "mainwin/tmainfrm.h"
#include "modalanswer.h"
#include "options/tfsizefrm.h"
#include "options/tkeyboardfrm.h"
#include "options/toptionfrm.h"
#include "testenv.h"
#include "wordbook/wordbookcommands.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

namespace {

const QString kBook = u"t.utx"_qs;

void trigger(QWidget *window, const char *menuItem)
{
    auto *action = window->findChild<QAction *>(QLatin1StringView(menuItem));
    QVERIFY2(action, menuItem);
    action->trigger();
}

} // namespace

class TestOptions : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void fonts_data();
    void fonts();
    void reset_data();
    void reset();
    void keyboard_data();
    void keyboard();
    void fontSizeDialog();

private:
    void start();

    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<TMainFrm> m_frm;
};

void TestOptions::init()
{
    m_home = std::make_unique<TempHome>();
    SetFolderVars({m_home->path() + u"/.config"_qs, m_home->path() + u"/Documents"_qs,
                   QStringLiteral(KALVO_STAGE_DIR) + u"/../.."_qs});
}

void TestOptions::cleanup()
{
    m_frm.reset();
    m_home.reset();
}

void TestOptions::start()
{
    writeFile(Dirs.ICatFolder + u'/' + kBook, EncodeUtf16LeBom(u"題\r\n組\r\n単語理解\r\n"_qs));
    m_frm = std::make_unique<TMainFrm>();
    m_frm->show();
    QVERIFY(QTest::qWaitForWindowActive(m_frm.get()));
}

void TestOptions::fonts_data()
{
    QTest::addColumn<bool>("kana");
    QTest::addColumn<QString>("japanese"); // empty: as it is
    QTest::addColumn<QString>("ipa");
    QTest::addColumn<QString>("size");
    QTest::addColumn<bool>("applied");
    QTest::addColumn<QString>("lineFamily"); // of the IPA line; empty: not checked
    QTest::addColumn<int>("linePoints");
    QTest::newRow("the same values")
        << false << QString() << QString() << u"14"_qs << false << QString() << 14;
    QTest::newRow("kana: a new Japanese font in the IPA line")
        << true << u"DejaVu Serif"_qs << QString() << u"14"_qs << true << u"DejaVu Serif"_qs << 12;
    QTest::newRow("kana: a new IPA font does not show")
        << true << QString() << u"DejaVu Serif"_qs << u"14"_qs << true << QString() << 12;
    QTest::newRow("kana: 12 gives 10")
        << true << QString() << QString() << u"12"_qs << true << QString() << 10;
    QTest::newRow("no number keeps the size")
        << false << QString() << QString() << u"x"_qs << false << QString() << 14;
}

void TestOptions::fonts()
{
    QFETCH(bool, kana);
    QFETCH(QString, japanese);
    QFETCH(QString, ipa);
    QFETCH(QString, size);
    QFETCH(bool, applied);
    QFETCH(QString, lineFamily);
    QFETCH(int, linePoints);
    start();
    auto *areas = m_frm->findChild<CompositionAreas *>();
    areas->setKanaMode(kana);
    const QString ipaBefore = areas->ipaLine()->font().family();
    bool fontsApplied = false;
    inDialog<TOptionFrm>([&](TOptionFrm *dialog) {
        connect(dialog, &TOptionFrm::fontsApplied, this, [&] { fontsApplied = true; });
        if (!japanese.isEmpty())
            dialog->findChild<QComboBox *>(u"ComboBox1"_qs)->setCurrentText(japanese);
        if (!ipa.isEmpty())
            dialog->findChild<QComboBox *>(u"ComboBox2"_qs)->setCurrentText(ipa);
        dialog->findChild<QComboBox *>(u"ComboBox3"_qs)->setCurrentText(size);
        dialog->findChild<QPushButton *>(u"Button2"_qs)->click();
    });
    trigger(m_frm.get(), "Setting1");
    QCOMPARE(fontsApplied, applied);
    const QFont line = areas->ipaLine()->font();
    QCOMPARE(line.family(), lineFamily.isEmpty() ? ipaBefore : JapaneseFontFamily(lineFamily));
    QCOMPARE(line.pointSize(), linePoints);
}

void TestOptions::reset_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("ends");
    QTest::newRow("No") << u"いいえ(&N)"_qs << false;
    QTest::newRow("Yes") << u"はい(&Y)"_qs << true;
}

// The reset ends the program without writing the settings, so the next start is on the
// defaults; the word books stay.
void TestOptions::reset()
{
    QFETCH(QString, answer);
    QFETCH(bool, ends);
    writeFile(RngFilePath(), EncodeUtf16LeBom(u"MainWidth,900\r\n"_qs));
    start();
    ModalRecord record;
    inDialog<TOptionFrm>([&](TOptionFrm *dialog) {
        AnswerNextBox(&record, answer);
        dialog->findChild<QPushButton *>(u"Button3"_qs)->click();
    });
    trigger(m_frm.get(), "Setting1");
    QCOMPARE(record.text, u"初期化を行いますか？（単語帳は消えません）"_qs);
    QTRY_COMPARE(m_frm->isVisible(), !ends);
    m_frm.reset();
    QCOMPARE(QFile::exists(RngFilePath()), !ends);
    QVERIFY(QFile::exists(Dirs.ICatFolder + u'/' + kBook));
}

void TestOptions::keyboard_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("checkedItem"); // as the dialog opens
    QTest::addColumn<int>("layout");      // afterwards
    QTest::newRow("the same layout") << 3 << 2 << 2 << 3;
    QTest::newRow("typewriter") << 3 << 1 << 2 << 2;
    QTest::newRow("outside 1 to 3") << 7 << 0 << 2 << 1;
}

void TestOptions::keyboard()
{
    QFETCH(int, current);
    QFETCH(int, item);
    QFETCH(int, checkedItem);
    QFETCH(int, layout);
    start();
    Usr.RusImeIndex = current;
    auto *areas = m_frm->findChild<CompositionAreas *>();
    areas->ipaLine()->setFocus();
    QTRY_VERIFY(!Sys.TransMainFlg);
    auto *pads = m_frm->findChild<QTabWidget *>(u"PageControl2"_qs);
    const QString caption = pads->tabText(0);
    int checked = -1;
    inDialog<TKeyboardFrm>([&](TKeyboardFrm *dialog) {
        for (int i = 0; i < 3; ++i) {
            if (dialog->findChild<QRadioButton *>(u"RadioItem%1"_qs.arg(i))->isChecked())
                checked = i;
        }
        dialog->findChild<QRadioButton *>(u"RadioItem%1"_qs.arg(item))->setChecked(true);
        dialog->findChild<QPushButton *>(u"Button2"_qs)->click();
    });
    trigger(m_frm.get(), "Keyboard1");
    QCOMPARE(checked, checkedItem);
    QCOMPARE(Usr.RusImeIndex, layout);
    const bool relaid = layout != current;
    QCOMPARE(pads->tabText(0), relaid ? RusImeName(layout) : caption);
    QCOMPARE(Sys.TransMainFlg, relaid);
    QTRY_COMPARE(m_frm->focusWidget() == areas->russianArea(), relaid);
}

// One dialog at a time, on the chart page while the chart is shown, its note gone once a book
// opens.
void TestOptions::fontSizeDialog()
{
    start();
    m_frm->findChild<QTabWidget *>(u"PageControl1"_qs)->setCurrentIndex(1);
    trigger(m_frm.get(), "FontSize1");
    trigger(m_frm.get(), "FontSize1");
    const QList<TFSizeFrm *> dialogs = m_frm->findChildren<TFSizeFrm *>();
    QCOMPARE(dialogs.size(), 1);
    TFSizeFrm *dialog = dialogs.first();
    QCOMPARE(dialog->findChild<QTabWidget *>()->currentIndex(), 1);
    QLabel *note = dialog->findChild<QLabel *>(u"Label5"_qs);
    QVERIFY(note->isVisible());
    m_frm->findChild<WordBookCommands *>()->WBMenuClick(kBook);
    QVERIFY(!Sys.TC_Title.isEmpty());
    QVERIFY(!note->isVisible());
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
