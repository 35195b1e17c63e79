#include "core/settingstable.h"
#include "core/textlines.h"
#include "core/ulib.h"
#include "filesizelimit.h"
#include "input/imeswitch.h"
#include "input/keytables.h"
#include "ipa/ipafonts.h"
#include "modalanswer.h"
#include "recordinglayouts.h"
#include "testenv.h"
#include "widgets/mainactions.h"
#include "wordbook/bookmanagement.h"
#include "wordbook/reportmodel.h"
#include "wordbook/wordbookcommands.h"
#include "wordbook/wordbookfile.h"
#include "wordbook/wordbookpage.h"
#include "wordbook/wordlistmodel.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QtTest>

#include <functional>
#include <optional>

namespace {

const QString kNoTitle = u"単語帳を作るにはタイトル名は必要です。"_qs;

QByteArray threeEntryBook(const QString &type)
{
    QString text = u"題\r\n組\r\n"_qs + type + u"\r\n"_qs;
    for (const char16_t *russian : {u"да", u"нет", u"мир"})
        text += u"\"%1\",\"c\",\"カ\",\"意\",\"\",\"\"\r\n"_qs.arg(QString::fromUtf16(russian));
    return EncodeUtf16LeBom(text);
}

void click(QDialog *dialog, const QString &button)
{
    for (QPushButton *b : dialog->findChildren<QPushButton *>()) {
        if (b->text() == button)
            b->click();
    }
}

void enterAndClick(QDialog *dialog, const QString &title, const QString &button)
{
    dialog->findChild<QLineEdit *>(u"Edit1"_qs)->setText(title);
    dialog->findChild<QLineEdit *>(u"Edit2"_qs)->setText(u"新組"_qs);
    click(dialog, button);
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

class TestBookManagement : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void newBook_data();
    void newBook();
    void newBookFileIsVisible_data();
    void newBookFileIsVisible();
    void propertyChange_data();
    void propertyChange();
    void deletion_data();
    void deletion();

private:
    QString folder() const { return Dirs.CatFolder; }
    void open(const QString &fileName, const QByteArray &bytes);
    // Triggers `action`, checks its dialog's size, hands it to `use` and closes it if it is
    // still open; returns whether it was.
    bool runDialog(QAction *action, const std::function<void(QDialog *)> &use);

    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<QWidget> m_window;
    MainActions *m_actions = nullptr;
    WordBookPage *m_page = nullptr;
    WordBookCommands *m_commands = nullptr;
    QString m_total;
    // The caption and proposed path the file dialog was opened with.
    QStringList m_fileDialog;
    // What the file dialog answers; the proposed path when empty.
    QString m_choice;
};

void TestBookManagement::init()
{
    m_home = std::make_unique<TempHome>();
    qputenv("XDG_DATA_HOME", (m_home->path() + u"/.local/share"_qs).toUtf8());
    InitSysVars();
    InitUsrVars(false, 0xFFFFE1);
    Dirs.UsrFolder = m_home->docsDir();
    QDir().mkpath(Dirs.UsrFolder + u"/Class0/bookA"_qs);
    m_fileDialog.clear();
    m_choice.clear();
    m_window = std::make_unique<QWidget>();
    // The main window's font, which the dialogs take.
    QFont font = JapaneseFont(u"Yu Gothic UI"_qs);
    font.setPixelSize(15);
    m_window->setFont(font);
    m_actions = new MainActions(m_window.get());
    m_page = new WordBookPage(m_actions, m_window.get());
    m_commands = new WordBookCommands(m_page, m_actions, m_window.get());
    new BookManagement(m_commands, [this](QWidget *, const QString &caption,
                                          const QString &proposed, const QString &) {
        m_fileDialog = {caption, proposed};
        return m_choice.isEmpty() ? proposed : m_choice;
    });
    connect(m_commands, &WordBookCommands::statusText, this,
            [this](int panel, const QString &text) {
                if (panel == 1)
                    m_total = text.section(u'[', -1);
            });
    (new QVBoxLayout(m_window.get()))->addWidget(m_page);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_commands->SubFunction();
}

void TestBookManagement::cleanup()
{
    m_window.reset();
    m_home.reset();
}

void TestBookManagement::open(const QString &fileName, const QByteArray &bytes)
{
    writeFile(folder() + u'/' + fileName, bytes);
    m_commands->SearchCatFolder();
    m_commands->WBMenuClick(fileName);
    QCOMPARE(Sys.TC_File, fileName);
}

bool TestBookManagement::runDialog(QAction *action, const std::function<void(QDialog *)> &use)
{
    bool stayedOpen = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QCOMPARE(dialog->size(), QSize(460, 320));
        // Every control has the room it needs in the main window's font.
        const QSize needed = dialog->layout()->minimumSize();
        QCOMPARE(needed.boundedTo(dialog->size()), needed);
        use(dialog);
        stayedOpen = dialog->isVisible();
        dialog->reject();
    });
    action->trigger();
    return stayedOpen;
}

void TestBookManagement::newBook_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("opened");
    const QString yes = u"はい(&Y)"_qs;
    const QString replace = u"「<path>」はすでにあります。\n上書きすると、この単語帳の中身は空に"
                            u"なります。上書きしますか？"_qs;
    const QString none;
    QTest::newRow("proposed name")
        << u" abc\t"_qs << none << none << none << none << true << u"abc.utx"_qs;
    QTest::newRow("name without suffix")
        << u"abc"_qs << u"mine"_qs << none << none << none << true << u"mine.utx"_qs;
    QTest::newRow("outside the book folder")
        << u"abc"_qs << u"../out"_qs << none << none << none << true << none;
    QTest::newRow("blank title") << u" \t\u0001"_qs << none << none << yes << kNoTitle << false
                                 << none;
    QTest::newRow("replacing refused")
        << u"abc"_qs << none << u"existing"_qs << u"いいえ(&N)"_qs << replace << false << none;
    QTest::newRow("replacing accepted")
        << u"abc"_qs << none << u"existing"_qs << yes << replace << true << u"abc.utx"_qs;
    QTest::newRow("disk full") << u"abc"_qs << none << u"full"_qs << yes
                               << u"単語帳「<path>」を作成できませんでした。\n（"_qs << false
                               << none;
}

void TestBookManagement::newBook()
{
    QFETCH(QString, title);
    QFETCH(QString, chosen);
    QFETCH(QString, setup);
    QFETCH(QString, answer);
    QFETCH(QString, box);
    QFETCH(bool, written);
    QFETCH(QString, opened);
    const QString path = folder() + u'/' + (chosen.isEmpty() ? u"abc"_qs : chosen) + u".utx"_qs;
    if (!chosen.isEmpty())
        m_choice = folder() + u'/' + chosen;
    if (setup == u"existing"_qs)
        writeFile(path, threeEntryBook(u"単語理解"_qs));
    const QByteArray before = readFile(path);
    RecordingLayouts layouts;
    SetKeyboardLayouts(&layouts);
    ModalRecord record;
    if (!answer.isEmpty())
        AnswerNextBox(&record, answer);
    std::optional<FileSizeLimit> full;
    if (setup == u"full"_qs)
        full.emplace(16);
    const bool stayedOpen = runDialog(m_actions->NewWB, [&](QDialog *dialog) {
        dialog->activateWindow();
        QTRY_VERIFY(dialog->isActiveWindow());
        dialog->findChild<QLineEdit *>(u"Edit2"_qs)->setFocus();
        enterAndClick(dialog, title, u"作　成"_qs);
    });
    full.reset();
    SetKeyboardLayouts(nullptr);
    QCOMPARE(stayedOpen, !written);
    QCOMPARE(record.count, answer.isEmpty() ? 0 : 1);
    QVERIFY2(record.text.startsWith(box.replace(u"<path>"_qs, native(path))),
             qPrintable(record.text));
    const QStringList asked{u"単語帳のファイル名指定　（「保存」ボタンを押すと空のファイルを作り"
                            u"ます。）"_qs,
                            folder() + u"/abc.utx"_qs};
    QCOMPARE(m_fileDialog, box == kNoTitle ? QStringList() : asked);
    const QByteArray blank = WordBookBytes({u"abc"_qs, u"新組"_qs, QuestionType::Vocabulary, {}});
    QCOMPARE(readFile(path), written ? blank : before);
    QCOMPARE(Sys.TC_File, opened);
    if (!opened.isEmpty()) {
        QCOMPARE(m_page->shelfModel()->rows(),
                 QList<QStringList>({{u"abc"_qs, opened, u"新組"_qs, u"0"_qs, u"VB"_qs}}));
    }
    // The fields switch to the Japanese layout, and closing back to the Russian one.
    QVERIFY(layouts.calls.contains(JapaneseLayoutId));
    QCOMPARE(layouts.calls.last(), LayoutByIndex(Usr.RusImeIndex)->identifier);
}

// A name starting with "." would be a hidden file that the shelf never lists.
void TestBookManagement::newBookFileIsVisible_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("file");
    QTest::newRow("dot title") << u".memo"_qs << QString() << u"_.memo.utx"_qs;
    QTest::newRow("path title") << u"../../x"_qs << QString() << u"_.._.._x.utx"_qs;
    QTest::newRow("dot name chosen") << u"abc"_qs << u".hidden.utx"_qs << u"_.hidden.utx"_qs;
}

void TestBookManagement::newBookFileIsVisible()
{
    QFETCH(QString, title);
    QFETCH(QString, chosen);
    QFETCH(QString, file);
    if (!chosen.isEmpty())
        m_choice = folder() + u'/' + chosen;
    QVERIFY(!runDialog(m_actions->NewWB,
                       [&](QDialog *dialog) { enterAndClick(dialog, title, u"作　成"_qs); }));
    QCOMPARE(Sys.TC_File, file);
    QCOMPARE(Sys.TC_Title, title);
    QCOMPARE(QDir(folder()).entryList(QDir::Files | QDir::Hidden), QStringList{file});
}

void TestBookManagement::propertyChange_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("preset");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("diskFull");
    QTest::addColumn<QString>("box");
    const QString apply = u"反　映"_qs;
    QTest::newRow("applied") << u"単語理解"_qs << 0 << u"新題"_qs << apply << false << QString();
    QTest::newRow("cancelled") << u"Composition"_qs << 2 << u"新題"_qs << u"キャンセル"_qs << false
                               << QString();
    QTest::newRow("blank title") << u"単語理解"_qs << 0 << u" "_qs << apply << false << kNoTitle;
    QTest::newRow("disk full") << u"Fill_in_the_Blank"_qs << 1 << u"新題"_qs << apply << true
                               << u"単語帳「"_qs;
}

void TestBookManagement::propertyChange()
{
    QFETCH(QString, type);
    QFETCH(int, preset);
    QFETCH(QString, title);
    QFETCH(QString, button);
    QFETCH(bool, diskFull);
    QFETCH(QString, box);
    const QString path = folder() + u"/prop.utx"_qs;
    open(u"prop.utx"_qs, threeEntryBook(type));
    const QByteArray before = readFile(path);
    ModalRecord warning;
    if (!box.isEmpty())
        AnswerNextBox(&warning, u"はい(&Y)"_qs);
    std::optional<FileSizeLimit> full;
    if (diskFull)
        full.emplace(16);
    const bool stayedOpen = runDialog(m_actions->ChangeWBProperty, [&](QDialog *dialog) {
        QCOMPARE(dialog->findChild<QLineEdit *>(u"Edit1"_qs)->text(), u"題"_qs);
        QVERIFY(dialog->findChildren<QRadioButton *>().at(preset)->isChecked());
        dialog->findChildren<QRadioButton *>().at(1)->setChecked(true);
        enterAndClick(dialog, title, button);
    });
    const bool applied = box.isEmpty() && button == u"反　映"_qs;
    QCOMPARE(stayedOpen, !box.isEmpty());
    QVERIFY(warning.text.startsWith(box));
    QCOMPARE(Sys.TC_File, u"prop.utx"_qs);
    QCOMPARE(Sys.TC_Title, applied ? u"新題"_qs : u"題"_qs);
    QCOMPARE(Sys.TC_Type, applied ? u"空欄補充"_qs : StoredName(QuestionTypeOf(type)));
    if (diskFull) {
        // The change was taken back, and the message says so: the book holds nothing unsaved
        // and closes without a question.
        QVERIFY2(warning.text.endsWith(u"\nタイトル・グループ・問題タイプは変更前のままです。\n"
                                       u"入力した内容はこの画面に残っています。"_qs),
                 qPrintable(warning.text));
        m_actions->CloseWB->trigger();
        QCOMPARE(warning.count, 1);
        QVERIFY(Sys.TC_File.isEmpty());
    }
    full.reset();
    if (!applied) {
        QCOMPARE(readFile(path), before);
        return;
    }
    const WordBook stored = ParseWordBook(DecodeWordBook(readFile(path))).book;
    QCOMPARE(stored.type, QuestionType::FillInBlank);
    QCOMPARE(stored.entries, ParseWordBook(DecodeWordBook(before)).book.entries);
    QCOMPARE(m_page->wordListModel()->caption(WordListModel::Cue), u"空欄文"_qs);
    QCOMPARE(m_page->shelfModel()->rows(),
             QList<QStringList>({{u"新題"_qs, u"prop.utx"_qs, u"新組"_qs, u"3"_qs, u"FB"_qs}}));
}

void TestBookManagement::deletion_data()
{
    QTest::addColumn<bool>("trash");
    QTest::addColumn<bool>("removable");
    QTest::addColumn<QString>("message");
    QTest::newRow("into the trash") << true << true << u"」をごみ箱に移しました。"_qs;
    QTest::newRow("no trash") << false << true << u"」を完全に削除しました。"_qs;
    QTest::newRow("cannot be removed") << false << false << u"」を削除できませんでした。\n（"_qs;
}

void TestBookManagement::deletion()
{
    QFETCH(bool, trash);
    QFETCH(bool, removable);
    QFETCH(QString, message);
    writeFile(folder() + u"/keep.utx"_qs, threeEntryBook(u"単語理解"_qs));
    open(u"del.utx"_qs, threeEntryBook(u"単語理解"_qs));
    QCOMPARE(m_total, u"6]"_qs);
    const QString path = folder() + u"/del.utx"_qs;
    if (!trash) {
        // A data folder that cannot be made leaves no trash.
        writeFile(m_home->path() + u"/blocker"_qs, "x");
        qputenv("XDG_DATA_HOME", (m_home->path() + u"/blocker"_qs).toUtf8());
    }
    if (!removable) {
        // Even root cannot unlink a folder that holds a file.
        QVERIFY(QFile::remove(path));
        writeFile(path + u"/inside"_qs, "x");
    }
    ModalRecord box;
    AnswerNextBox(&box, u"はい(&Y)"_qs);
    QVERIFY(!runDialog(m_actions->DeleteWB, [](QDialog *dialog) {
        QCOMPARE(dialog->findChildren<QLineEdit *>().at(2)->text(), u"del.utx"_qs);
        click(dialog, u"削除"_qs);
    }));
    QVERIFY2(box.text.contains(native(path) + message), qPrintable(box.text));
    QCOMPARE(box.title, removable ? u"情報"_qs : u"警告"_qs);
    QCOMPARE(QFileInfo::exists(path), !removable);
    QCOMPARE(QFileInfo::exists(m_home->path() + u"/.local/share/Trash/files/del.utx"_qs), trash);
    QCOMPARE(Sys.TC_File, removable ? QString() : u"del.utx"_qs);
    QCOMPARE(m_page->shelfModel()->rowCount(), removable ? 1 : 2);
    QCOMPARE(m_total, removable ? u"3]"_qs : u"6]"_qs);
}

QTEST_MAIN(TestBookManagement)
#include "tst_bookmanagement.moc"
