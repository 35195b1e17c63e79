#include "core/folders.h"
#include "core/rngfile.h"
#include "core/session.h"
#include "core/ulib.h"
#include "ipa/ipafonts.h"
#include "mainwin/tmainfrm.h"
#include "modalanswer.h"
#include "testenv.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

// The main window's controls working together: the tool bar, the menus and the word list page
// act on the composition areas and the settings as the user sees them.
class TestMainFrmWiring : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void sizeBoxSetsTheRussianArea_data();
    void sizeBoxSetsTheRussianArea();
    void fontBoxSetsTheRussianArea();
    void toolButtonsRunTheirCommands();
    void underStretchChoosesThePartThatGrows_data();
    void underStretchChoosesThePartThatGrows();
    void pageControlKeepsItsSavedHeight();
    void savedFlagsReachTheControls();
    void transferModeMenuRefreshesTheModeBox();
    void columnWidthsAreSaved();
    void compactArrangement_data();
    void compactArrangement();
    void transferTypesAPendingDeadKey_data();
    void transferTypesAPendingDeadKey();

private:
    void start(const QByteArray &settings = {});
    template <typename T> T *child(const char *name) const
    {
        return m_frm->findChild<T *>(QLatin1StringView(name));
    }
    void commit(QComboBox *box, const QString &text);

    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<TMainFrm> m_frm;
};

void TestMainFrmWiring::init()
{
    m_home = std::make_unique<TempHome>();
    const QStringList problems =
        SetFolderVars({m_home->path() + u"/.config"_qs, m_home->path() + u"/Documents"_qs,
                       QStringLiteral(KALVO_STAGE_DIR) + u"/../.."_qs});
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

void TestMainFrmWiring::cleanup()
{
    m_frm.reset();
    m_home.reset();
}

void TestMainFrmWiring::start(const QByteArray &settings)
{
    if (!settings.isEmpty())
        writeFile(RngFilePath(), settings);
    m_frm = std::make_unique<TMainFrm>();
    m_frm->show();
    QVERIFY(QTest::qWaitForWindowActive(m_frm.get()));
}

void TestMainFrmWiring::commit(QComboBox *box, const QString &text)
{
    box->lineEdit()->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), text);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
}

void TestMainFrmWiring::sizeBoxSetsTheRussianArea_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("pointSize");
    QTest::newRow("listed size") << u"30"_qs << 30;
    QTest::newRow("beyond the list") << u"99"_qs << 99;
    QTest::newRow("letters") << u"abc"_qs << 20;
    QTest::newRow("larger than the settings keep") << u"600"_qs << 20;
}

void TestMainFrmWiring::sizeBoxSetsTheRussianArea()
{
    QFETCH(QString, typed);
    QFETCH(int, pointSize);
    start();
    commit(child<QComboBox>("ComboBox2"), typed);
    auto *memo = child<QPlainTextEdit>("Memo1");
    QCOMPARE(Usr.MainFontSize, pointSize);
    QCOMPARE(memo->font().pointSize(), pointSize);
    QVERIFY(memo->hasFocus());
}

void TestMainFrmWiring::fontBoxSetsTheRussianArea()
{
    start();
    auto *fontBox = child<QComboBox>("ComboBox1");
    QVERIFY(fontBox->count() > 0);
    const QString family = fontBox->itemText(fontBox->count() - 1);
    commit(fontBox, family);
    QCOMPARE(Usr.UsrMainFont, family);
    QCOMPARE(child<QPlainTextEdit>("Memo1")->font().family(), RussianFontFamily(family));
    QVERIFY(child<QPlainTextEdit>("Memo1")->hasFocus());
}

void TestMainFrmWiring::toolButtonsRunTheirCommands()
{
    start();
    auto *memo = child<QPlainTextEdit>("Memo1");
    auto *edit = child<QLineEdit>("Edit1");
    memo->setPlainText(u"да\u0301"_qs);
    edit->setText(u"da"_qs);
    child<QToolButton>("SpeedButton6")->click();
    QVERIFY(Usr.KanaFlg);
    QVERIFY(edit->text().isEmpty());
    ModalRecord record;
    AnswerNextBox(&record, u"はい(&Y)"_qs);
    child<QToolButton>("SpeedButton7")->click();
    QCOMPARE(record.count, 1);
    QCOMPARE(memo->toPlainText(), u"да"_qs);
    edit->setText(u"da"_qs);
    child<QToolButton>("SpeedButton2")->click();
    QVERIFY(memo->toPlainText().isEmpty() && edit->text().isEmpty());
    child<QToolButton>("SpeedButton9")->click();
    QVERIFY(!m_frm->isVisible());
}

void TestMainFrmWiring::underStretchChoosesThePartThatGrows_data()
{
    QTest::addColumn<bool>("underStretch");
    QTest::newRow("page control grows") << true;
    QTest::newRow("composition grows") << false;
}

void TestMainFrmWiring::underStretchChoosesThePartThatGrows()
{
    QFETCH(bool, underStretch);
    start();
    auto *check = child<QCheckBox>("CheckBox3");
    QVERIFY(check->isChecked());
    if (!underStretch)
        check->click();
    QCOMPARE(Usr.UnderStretchFlg, underStretch);
    auto *pages = child<QTabWidget>("PageControl1");
    auto *composition = child<QSplitter>("Splitter1");
    const int pagesBefore = pages->height();
    const int compositionBefore = composition->height();
    m_frm->resize(m_frm->width(), m_frm->height() + 100);
    QTRY_COMPARE(pages->height() + composition->height(), pagesBefore + compositionBefore + 100);
    QCOMPARE(pages->height(), underStretch ? pagesBefore + 100 : pagesBefore);
}

void TestMainFrmWiring::pageControlKeepsItsSavedHeight()
{
    start("PCon1Height,210\r\n");
    QCOMPARE(child<QTabWidget>("PageControl1")->height(), 210);
    m_frm->close();
    QVERIFY(readFile(RngFilePath()).contains("\r\nPCon1Height,210\r\n"));
}

void TestMainFrmWiring::savedFlagsReachTheControls()
{
    start("AutoPasteFlg,0\r\nUnderStretchFlg,0\r\nAutoDoorFlg,0\r\nNarrowFontsFlg,0\r\n"
          "EiwaFlg,0\r\nKanaFlg,1\r\nTransIndex,3\r\n");
    QVERIFY(!child<QCheckBox>("CheckBox1")->isChecked());
    QVERIFY(!child<QCheckBox>("CheckBox3")->isChecked());
    QVERIFY(!child<QCheckBox>("CheckBox4")->isChecked());
    QVERIFY(!Sys.Check4State);
    QVERIFY(!child<QCheckBox>("CheckBox2")->isChecked());
    QVERIFY(child<QAbstractButton>("RadioButton2")->isChecked());
    QCOMPARE(child<QTreeView>("ListView1")->model()->headerData(0, Qt::Horizontal).toString(),
             u"日本語"_qs);
    QVERIFY(child<QToolButton>("SpeedButton6")->isChecked());
    QVERIFY(Usr.KanaFlg);
    QCOMPARE(child<QLabel>("Label2")->text(), u" NCR 16進"_qs);
}

void TestMainFrmWiring::transferModeMenuRefreshesTheModeBox()
{
    start();
    QCOMPARE(child<QLabel>("Label2")->text(), u" ﾘｯﾁ ﾃｷｽﾄ"_qs);
    child<QAction>("N30")->trigger();
    QCOMPARE(child<QLabel>("Label2")->text(), u" ﾕﾆｺｰﾄﾞ"_qs);
    child<QAction>("N101")->trigger();
    QCOMPARE(child<QLabel>("Label2")->text(), u" NCR 10進"_qs);
}

void TestMainFrmWiring::columnWidthsAreSaved()
{
    start();
    auto *list = child<QTreeView>("ListView1");
    list->setColumnWidth(2, 150);
    m_frm->close();
    QCOMPARE(Usr.Lv1ColumnWidth[2], 150);
    QVERIFY(readFile(RngFilePath()).contains("150"));
}

void TestMainFrmWiring::compactArrangement_data()
{
    QTest::addColumn<bool>("small");
    QTest::addColumn<QRect>("fontBox");
    QTest::addColumn<QRect>("sizeBox");
    QTest::addColumn<int>("fontGroupWidth");
    QTest::addColumn<int>("exitGroupX");
    QTest::addColumn<int>("padPanelWidth");
    QTest::newRow("normal") << false << QRect(0, 18, 150, 26) << QRect(152, 18, 58, 26) << 212
                            << 742 << 420;
    QTest::newRow("compact") << true << QRect(0, 18, 90, 26) << QRect(92, 18, 48, 26) << 142 << 672
                             << 390;
}

void TestMainFrmWiring::compactArrangement()
{
    QFETCH(bool, small);
    QFETCH(QRect, fontBox);
    QFETCH(QRect, sizeBox);
    QFETCH(int, fontGroupWidth);
    QFETCH(int, exitGroupX);
    QFETCH(int, padPanelWidth);
    start(small ? "SmallPCFlg,1\r\n" : "SmallPCFlg,0\r\n");
    QCOMPARE(child<QComboBox>("ComboBox1")->geometry(), fontBox);
    QCOMPARE(child<QComboBox>("ComboBox2")->geometry(), sizeBox);
    QCOMPARE(child<QWidget>("FontGroup")->width(), fontGroupWidth);
    QCOMPARE(child<QWidget>("ExitGroup")->x(), exitGroupX);
    QCOMPARE(child<QWidget>("Panel3")->width(), padPanelWidth);
    QCOMPARE(child<QWidget>("ToolBar1")->height(), 57);
}

void TestMainFrmWiring::transferTypesAPendingDeadKey_data()
{
    QTest::addColumn<QList<int>>("keyCodes"); // X key codes of the Latin keys
    QTest::addColumn<QString>("transferred");
    QTest::newRow("v a s") << QList<int>{55, 38, 39} << u"вас"_qs;
    QTest::newRow("m o j") << QList<int>{58, 32, 44} << u"мой"_qs;
}

// F9 right after a mnemonic dead key: its letter is typed, shown and transferred.
void TestMainFrmWiring::transferTypesAPendingDeadKey()
{
    QFETCH(QList<int>, keyCodes);
    QFETCH(QString, transferred);
    start("TransIndex,4\r\n");
    auto *memo = child<QPlainTextEdit>("Memo1");
    memo->setFocus();
    for (int code : keyCodes) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, code, 0, 0, u"x"_qs);
        QCoreApplication::sendEvent(memo, &press);
    }
    QCOMPARE(memo->toPlainText(), transferred.chopped(1));
    QTest::keyClick(m_frm.get(), Qt::Key_F9);
    QCOMPARE(memo->toPlainText(), transferred);
    QCOMPARE(QGuiApplication::clipboard()->text(), transferred);
}

QTEST_MAIN(TestMainFrmWiring)
#include "tst_mainfrm_wiring.moc"
