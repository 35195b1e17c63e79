#include "core/folders.h"
#include "core/ulib.h"
#include "mainwin/tmainfrm.h"
#include "modalanswer.h"
#include "testenv.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QtTest>

// Puts a stand-in for xdg-open first in PATH while it lives: it records what it was asked to
// open in `opened` and ends with `exitCode`. With an exit code of -1, PATH holds no xdg-open.
class XdgOpenStub {
public:
    XdgOpenStub(const QString &dir, int exitCode)
        : opened(dir + u"/opened"_qs)
        , m_path(qgetenv("PATH"))
    {
        const QString bin = dir + u"/bin"_qs;
        QDir().mkpath(bin);
        qputenv("PATH", exitCode < 0 ? bin.toUtf8() : bin.toUtf8() + ':' + m_path);
        if (exitCode < 0)
            return;
        const QString script = bin + u"/xdg-open"_qs;
        writeFile(script, "#!/bin/sh\nprintf '%s' \"$1\" > '" + opened.toUtf8() + "'\nexit " +
                              QByteArray::number(exitCode) + '\n');
        QFile::setPermissions(script, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    ~XdgOpenStub() { qputenv("PATH", m_path); }

    const QString opened;

private:
    const QByteArray m_path;
};

class TestMainMenus : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void menuItemsInOrder_data();
    void menuItemsInOrder();
    void checkMarksFollowFlags_data();
    void checkMarksFollowFlags();
    void transferModes();
    void editItemsEnableWhenTheyCanAct_data();
    void editItemsEnableWhenTheyCanAct();
    void editCommandsActOnTheFocusedField();
    void scrollBarsFollowTheItem();
    void chartSwitchesOffAndOn();
    void helpOpensOnlyAnExistingDocument();
    void helpSaysWhenNoProgramCanShowIt_data();
    void helpSaysWhenNoProgramCanShowIt();
    void wordBookItemsWithoutABook();

private:
    QMenu *menu(const char *name) const;
    QAction *item(const char *name) const;
    QStringList texts(const char *menuName) const;

    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<TMainFrm> m_frm;
};

void TestMainMenus::init()
{
    m_home = std::make_unique<TempHome>();
    const QStringList problems =
        SetFolderVars({m_home->path() + u"/.config"_qs, m_home->path() + u"/Documents"_qs,
                       QStringLiteral(KALVO_STAGE_DIR) + u"/../.."_qs});
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    m_frm = std::make_unique<TMainFrm>();
    m_frm->show();
    QVERIFY(QTest::qWaitForWindowActive(m_frm.get()));
}

void TestMainMenus::cleanup()
{
    m_frm.reset();
    m_home.reset();
}

QMenu *TestMainMenus::menu(const char *name) const
{
    return m_frm->findChild<QMenu *>(QLatin1StringView(name));
}

QAction *TestMainMenus::item(const char *name) const
{
    return m_frm->findChild<QAction *>(QLatin1StringView(name));
}

QStringList TestMainMenus::texts(const char *menuName) const
{
    QStringList result;
    for (QAction *a : menu(menuName)->actions()) {
        QString text = a->isSeparator() ? u"-"_qs : a->text();
        if (!a->shortcut().isEmpty())
            text += u" "_qs + a->shortcut().toString();
        result.append(text);
    }
    return result;
}

void TestMainMenus::menuItemsInOrder_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("EditMenu") << u"編集"_qs
                              << QStringList{u"元に戻す(&U)"_qs,
                                             u"-"_qs,
                                             u"切り取り(&T)"_qs,
                                             u"コピー(&C)"_qs,
                                             u"貼り付け(&P)"_qs,
                                             u"削除(&D)"_qs,
                                             u"-"_qs,
                                             u"すべて選択(&A)"_qs,
                                             u"-"_qs,
                                             u"スクロールバーを表示する"_qs};
    QTest::newRow("View1") << u"表示"_qs << QStringList{u"アルファベットと記号　一覧表"_qs};
    QTest::newRow("WordBook1") << u"単語帳"_qs
                               << QStringList{u"単語帳の新規作成"_qs,
                                              u"単語帳のプロパティ変更"_qs,
                                              u"単語帳の削除"_qs,
                                              u"単語帳を閉じる"_qs,
                                              u"-"_qs,
                                              u"単語帳のインポート…"_qs,
                                              u"単語帳のエクスポート…"_qs,
                                              u"学習の記録のエクスポート…"_qs,
                                              u"単語帳の印刷…"_qs,
                                              u"-"_qs,
                                              u"単語登録 F4"_qs,
                                              u"単語編集 F5"_qs,
                                              u"単語移動"_qs,
                                              u"単語削除"_qs,
                                              u"-"_qs,
                                              u"リセット入力"_qs,
                                              u"登録後クリア"_qs,
                                              u"ロード時の最下行表示"_qs,
                                              u"-"_qs,
                                              u"検索 F6"_qs,
                                              u"-"_qs,
                                              u"学習の記録"_qs};
    QTest::newRow("N5") << u"転送モード"_qs
                        << QStringList{u"標準　（リッチテキスト）"_qs,
                                       u"数値文字参照　10進"_qs,
                                       u"数値文字参照　16進"_qs,
                                       u"ユニコードテキスト"_qs,
                                       u"-"_qs,
                                       u"貼り付けタイミングを遅くする　（0.3 → 1 sec）"_qs,
                                       u"転送後クリア"_qs};
    QTest::newRow("Option1") << u"オプション"_qs
                             << QStringList{u"設定画面"_qs, u"-"_qs, u"文字サイズ調整"_qs, u"-"_qs,
                                            u"ロシア語キーボードの変更"_qs};
    QTest::newRow("Tool1") << u"ツール"_qs
                           << QStringList{u"ユニコード10進コード値チェッカ"_qs,
                                          u"ユニコード16進コード値チェッカ"_qs,
                                          u"-"_qs,
                                          u"文字数カウンタ"_qs,
                                          u"-"_qs,
                                          u"アクセント記号をとる"_qs};
    QTest::newRow("Help1") << u"ヘルプ"_qs << QStringList{u"ヘルプ"_qs, u"バージョン情報"_qs};
}

void TestMainMenus::menuItemsInOrder()
{
    QFETCH(QString, title);
    QFETCH(QStringList, items);
    const QByteArray name = QTest::currentDataTag();
    QVERIFY(menu(name));
    QCOMPARE(menu(name)->title(), title);
    QCOMPARE(texts(name), items);
}

void TestMainMenus::checkMarksFollowFlags_data()
{
    QTest::addColumn<QString>("menuName");
    QTest::addColumn<QString>("itemName");
    QTest::addColumn<bool *>("flag");
    QTest::newRow("reset input") << u"WordBook1"_qs << u"ResetInput1"_qs << &Usr.ResetInputFlg;
    QTest::newRow("clear after registering")
        << u"WordBook1"_qs << u"RegClear1"_qs << &Usr.RegClearFlg;
    QTest::newRow("last row on loading")
        << u"WordBook1"_qs << u"LastVisible1"_qs << &Usr.LastVisibleFlg;
    QTest::newRow("slow paste") << u"N5"_qs << u"N031sec1"_qs << &Sys.SlowPasteFlg;
    QTest::newRow("clear after transfer") << u"N5"_qs << u"N32"_qs << &Usr.TransClearFlg;
    QTest::newRow("scroll bars") << u"EditMenu"_qs << u"N63"_qs << &Usr.ScrollFlg;
}

void TestMainMenus::checkMarksFollowFlags()
{
    QFETCH(QString, menuName);
    QFETCH(QString, itemName);
    QFETCH(bool *, flag);
    QMenu *m = m_frm->findChild<QMenu *>(menuName);
    QAction *a = m_frm->findChild<QAction *>(itemName);
    for (bool value : {true, false}) {
        *flag = value;
        Q_EMIT m->aboutToShow();
        QCOMPARE(a->isChecked(), value);
        a->trigger();
        QCOMPARE(*flag, !value);
    }
}

void TestMainMenus::transferModes()
{
    QSignalSpy changed(m_frm->findChild<QObject *>(u"MainMenus"_qs),
                       SIGNAL(transferModeChanged(int)));
    const char *modes[] = {"N29", "N101", "N161", "N30"};
    Usr.TransIndex = 3;
    Q_EMIT menu("N5")->aboutToShow();
    for (int i = 0; i < 4; ++i)
        QCOMPARE(item(modes[i])->isChecked(), i == 2);
    item("N30")->trigger();
    QCOMPARE(Usr.TransIndex, 4);
    Q_EMIT menu("N5")->aboutToShow();
    for (int i = 0; i < 4; ++i)
        QCOMPARE(item(modes[i])->isChecked(), i == 3);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 4);
}

void TestMainMenus::editItemsEnableWhenTheyCanAct_data()
{
    QTest::addColumn<bool>("inIpaLine");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("select");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("enabled");
    const QStringList all{u"Undo1"_qs,  u"Cut1"_qs,    u"Copy1"_qs,
                          u"Paste1"_qs, u"Delete1"_qs, u"SelectAll1"_qs};
    QTest::newRow("empty area, empty clipboard")
        << false << QString() << false << QString() << QStringList{};
    QTest::newRow("text without selection")
        << false << u"да"_qs << false << QString() << QStringList{u"SelectAll1"_qs};
    // Replacing the area's whole text leaves nothing to undo.
    QTest::newRow("selection and clipboard text")
        << false << u"да"_qs << true << u"x"_qs << all.mid(1);
    QTest::newRow("IPA line selection")
        << true << u"da"_qs << true << QString()
        << QStringList{u"Undo1"_qs, u"Cut1"_qs, u"Copy1"_qs, u"Delete1"_qs, u"SelectAll1"_qs};
}

void TestMainMenus::editItemsEnableWhenTheyCanAct()
{
    QFETCH(bool, inIpaLine);
    QFETCH(QString, text);
    QFETCH(bool, select);
    QFETCH(QString, clipboard);
    QFETCH(QStringList, enabled);
    QApplication::clipboard()->setText(clipboard);
    if (inIpaLine) {
        auto *edit = m_frm->findChild<QLineEdit *>(u"Edit1"_qs);
        edit->setFocus();
        QTest::keyClicks(edit, text);
        if (select)
            edit->selectAll();
    } else {
        auto *memo = m_frm->findChild<QPlainTextEdit *>(u"Memo1"_qs);
        memo->setFocus();
        memo->setPlainText(text);
        if (select)
            memo->selectAll();
    }
    Q_EMIT menu("EditMenu")->aboutToShow();
    for (const char *name : {"Undo1", "Cut1", "Copy1", "Paste1", "Delete1", "SelectAll1"})
        QVERIFY2(item(name)->isEnabled() == enabled.contains(QLatin1StringView(name)), name);
}

void TestMainMenus::editCommandsActOnTheFocusedField()
{
    auto *memo = m_frm->findChild<QPlainTextEdit *>(u"Memo1"_qs);
    memo->setFocus();
    memo->setPlainText(u"да"_qs);
    item("SelectAll1")->trigger();
    item("Cut1")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), u"да"_qs);
    QVERIFY(memo->toPlainText().isEmpty());
    item("Paste1")->trigger();
    item("Paste1")->trigger();
    QCOMPARE(memo->toPlainText(), u"дада"_qs);
    item("SelectAll1")->trigger();
    item("Delete1")->trigger();
    QVERIFY(memo->toPlainText().isEmpty());
    item("Undo1")->trigger();
    QCOMPARE(memo->toPlainText(), u"дада"_qs);
}

void TestMainMenus::scrollBarsFollowTheItem()
{
    auto *memo = m_frm->findChild<QPlainTextEdit *>(u"Memo1"_qs);
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    item("N63")->trigger();
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    item("N63")->trigger();
    QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

void TestMainMenus::chartSwitchesOffAndOn()
{
    auto *pages = m_frm->findChild<QTabWidget *>(u"PageControl1"_qs);
    QVERIFY(Usr.AlphabetFlg);
    QVERIFY(m_frm->findChild<QWidget *>(u"ImgPanel"_qs));
    item("N43")->trigger();
    QVERIFY(!Usr.AlphabetFlg);
    QVERIFY(!m_frm->findChild<QWidget *>(u"ImgPanel"_qs));
    QVERIFY(!pages->isTabVisible(1));
    Q_EMIT menu("View1")->aboutToShow();
    QVERIFY(!item("N43")->isChecked());
    item("N43")->trigger();
    QVERIFY(Usr.AlphabetFlg);
    QVERIFY(m_frm->findChild<QWidget *>(u"ImgPanel"_qs));
    QVERIFY(pages->isTabVisible(1));
    QCOMPARE(pages->currentIndex(), 1);
}

void TestMainMenus::helpOpensOnlyAnExistingDocument()
{
    XdgOpenStub viewer(m_home->path(), 0);
    Dirs.HelpFolder = m_home->path() + u"/help"_qs;
    ModalRecord missing;
    AnswerNextBox(&missing, u"OK"_qs);
    item("Help2")->trigger();
    QVERIFY(missing.text.contains(u"RusHelp.pdf」が見つかりません"_qs));
    QVERIFY(!Sys.HelpOpenFlg);
    const QString pdf = Dirs.HelpFolder + u"/RusHelp.pdf"_qs;
    writeFile(pdf, "%PDF-1.4");
    item("Help2")->trigger();
    QTRY_COMPARE(QString::fromUtf8(readFile(viewer.opened)), pdf);
    QVERIFY(Sys.HelpOpenFlg);
}

void TestMainMenus::helpSaysWhenNoProgramCanShowIt_data()
{
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("warned");
    QTest::newRow("a viewer shows it") << 0 << false;
    QTest::newRow("xdg-open finds no program") << 3 << true;
    QTest::newRow("no xdg-open") << -1 << true;
}

// The menu returns at once; the warning comes when xdg-open has given up.
void TestMainMenus::helpSaysWhenNoProgramCanShowIt()
{
    QFETCH(int, exitCode);
    QFETCH(bool, warned);
    XdgOpenStub stub(m_home->path(), exitCode);
    Dirs.HelpFolder = m_home->path() + u"/help"_qs;
    const QString pdf = Dirs.HelpFolder + u"/RusHelp.pdf"_qs;
    writeFile(pdf, "%PDF-1.4");
    ModalRecord box;
    AnswerNextBox(&box, u"はい(&Y)"_qs, 100);
    item("Help2")->trigger();
    QCOMPARE(box.count, 0);
    QTest::qWait(1200);
    QCOMPARE(box.count, warned ? 1 : 0);
    if (!warned)
        return;
    QCOMPARE(box.title, u"警告"_qs);
    QCOMPARE(box.text, u"PDF を表示できるプログラムが見つかりません。"
                       "PDF ビューアーをインストールしてください。\nヘルプのファイル: "_qs +
                           pdf);
}

void TestMainMenus::wordBookItemsWithoutABook()
{
    for (const char *name : {"ChangeWBProperty", "DeleteWB", "CloseWB", "RegWord", "ModWord",
                             "MoveWord", "DelWord", "ExportWB", "PrintWB"})
        QVERIFY2(!item(name)->isEnabled(), name);
    QVERIFY(item("NewWB")->isEnabled());
    QVERIFY(item("SearchWord")->isEnabled());
    QVERIFY(item("ImportWB")->isEnabled());
}

QTEST_MAIN(TestMainMenus)
#include "tst_mainmenus.moc"
