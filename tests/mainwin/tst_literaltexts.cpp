#include "core/folders.h"
#include "core/ulib.h"
#include "mainwin/tmainfrm.h"
#include "modalanswer.h"
#include "practice/bookchooser.h"
#include "practice/curtain.h"
#include "practice/questionarea.h"
#include "practice/tplayfrm.h"
#include "testenv.h"
#include "widgets/mainactions.h"
#include "wordbook/bookexchange.h"
#include "wordbook/reportview.h"
#include "wordbook/tchangefrm.h"
#include "wordbook/tdeletefrm.h"
#include "wordbook/tdelfrm.h"
#include "wordbook/timportfrm.h"
#include "wordbook/tmovefrm.h"
#include "wordbook/tsearchfrm.h"
#include "wordbook/wordbookcommands.h"
#include "wordbook/wordbookfile.h"
#include "wordbook/wordbookpage.h"

#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QtTest>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

// Reports whether a file was opened since the watch began: rich text opens the images it names.
class OpenWatch {
public:
    explicit OpenWatch(const QString &path)
        : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        inotify_add_watch(m_fd, QFile::encodeName(path).constData(), IN_OPEN);
    }
    ~OpenWatch() { close(m_fd); }
    bool opened() const
    {
        char events[4096];
        return read(m_fd, events, sizeof events) > 0;
    }

private:
    int m_fd;
};

// What a label looks like on screen.
QString rendered(const QLabel *label)
{
    const bool rich = label->textFormat() == Qt::RichText ||
                      (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
    if (!rich)
        return label->text();
    QTextDocument document;
    document.setHtml(label->text());
    return document.toPlainText();
}

bool viewShows(const QAbstractItemView *view, const QString &text)
{
    const QAbstractItemModel *model = view->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            if (model->index(row, column).data().toString().contains(text))
                return true;
        }
    }
    return false;
}

} // namespace

// Titles, groups, entries and file names from files show as written wherever they appear:
// never as a link, an image or other markup.
class TestLiteralTexts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void fileTextsShowAsWritten_data();
    void fileTextsShowAsWritten();

private:
    // Records, for each text looked for under `root`, whether a control shows it as written;
    // a label that holds it but draws it as markup is recorded too.
    void look(QWidget *root, const QStringList &texts);
    MainActions *actions() const { return m_commands->actions(); }
    BookExchange exchange(const QString &path);

    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<TMainFrm> m_frm;
    WordBookCommands *m_commands = nullptr;
    QString m_title, m_group, m_russian, m_japanese, m_fileStem;
    QStringList m_unseen;
    QStringList m_markup;
    int m_looks = 0;
    QString m_proposed;
    QString m_oldCurrent;
};

enum class Place {
    StatusBar,
    Shelf,
    WordList,
    Properties,
    DeleteBook,
    DeleteEntry,
    MoveEntry,
    ExportBox,
    OverwriteQuestion,
    ImportBox,
    EncodingQuestion,
    Search,
    Practice
};

void TestLiteralTexts::init()
{
    m_home = std::make_unique<TempHome>();
    SetFolderVars({m_home->path() + u"/.config"_qs, m_home->path() + u"/Documents"_qs,
                   QStringLiteral(KALVO_STAGE_DIR) + u"/../.."_qs});
    const QString probe = m_home->path() + u"/probe.png"_qs;
    writeFile(probe, "x");
    // An image named relative to the working folder, as a file name cannot hold '/'.
    m_oldCurrent = QDir::currentPath();
    QDir::setCurrent(m_home->path());
    const auto hostile = [&](const QString &word) {
        return u"<a href=\"https://evil.example/x\">%1</a><img src=\"%2\">"_qs.arg(word, probe);
    };
    m_title = hostile(u"クリック"_qs);
    m_group = hostile(u"グループ"_qs);
    m_russian = hostile(u"слово"_qs);
    m_japanese = hostile(u"日本語"_qs);
    m_fileStem = u"<b>ファイル<img src=\"probe.png\">"_qs;
    const WordEntry entry{{m_russian, u"slovo"_qs, u"スローヴァ"_qs, m_japanese, {}}};
    QDir().mkpath(Dirs.ICatFolder);
    QCOMPARE(WriteWordBook(Dirs.ICatFolder + u'/' + m_fileStem + u".utx"_qs,
                           {m_title, m_group, QuestionType::Vocabulary, {entry, entry}}),
             QString());
    m_unseen.clear();
    m_markup.clear();
    m_looks = 0;
}

void TestLiteralTexts::cleanup()
{
    m_frm.reset();
    QDir::setCurrent(m_oldCurrent);
    m_home.reset();
}

void TestLiteralTexts::look(QWidget *root, const QStringList &texts)
{
    ++m_looks;
    for (const QString &text : texts) {
        bool seen = false;
        QList<QLabel *> labels = root->findChildren<QLabel *>();
        if (auto *label = qobject_cast<QLabel *>(root))
            labels.append(label);
        for (const QLabel *label : std::as_const(labels)) {
            const bool shown = rendered(label).contains(text);
            if (label->text().contains(text) && !shown)
                m_markup.append(label->text());
            seen = seen || shown;
        }
        for (const QLineEdit *field : root->findChildren<QLineEdit *>())
            seen = seen || field->text().contains(text);
        for (const QComboBox *box : root->findChildren<QComboBox *>())
            seen = seen || box->findText(text, Qt::MatchContains) >= 0;
        for (const QAbstractItemView *view : root->findChildren<QAbstractItemView *>())
            seen = seen || viewShows(view, text);
        if (!seen)
            m_unseen.append(root->metaObject()->className() + u": "_qs + text);
    }
}

BookExchange TestLiteralTexts::exchange(const QString &path)
{
    const auto chooser = [this, path](QWidget *, const QString &, const QString &proposed,
                                      const QString &) {
        m_proposed = proposed;
        return path;
    };
    return {m_commands, chooser, chooser};
}

void TestLiteralTexts::fileTextsShowAsWritten_data()
{
    QTest::addColumn<Place>("place");
    // How many windows or boxes show the texts there.
    QTest::addColumn<int>("looks");
    QTest::newRow("status bar") << Place::StatusBar << 1;
    QTest::newRow("shelf") << Place::Shelf << 1;
    QTest::newRow("word list") << Place::WordList << 1;
    QTest::newRow("book properties") << Place::Properties << 1;
    QTest::newRow("delete book") << Place::DeleteBook << 1;
    QTest::newRow("delete entry") << Place::DeleteEntry << 1;
    QTest::newRow("move entry") << Place::MoveEntry << 1;
    QTest::newRow("export box") << Place::ExportBox << 1;
    QTest::newRow("export over a file") << Place::OverwriteQuestion << 1;
    QTest::newRow("import dialog and box") << Place::ImportBox << 2;
    QTest::newRow("encoding question") << Place::EncodingQuestion << 1;
    QTest::newRow("search results") << Place::Search << 1;
    QTest::newRow("practice") << Place::Practice << 2;
}

void TestLiteralTexts::fileTextsShowAsWritten()
{
    QFETCH(Place, place);
    QFETCH(int, looks);
    const OpenWatch watch(m_home->path() + u"/probe.png"_qs);
    m_frm = std::make_unique<TMainFrm>();
    m_frm->show();
    QVERIFY(QTest::qWaitForWindowActive(m_frm.get()));
    m_commands = m_frm->findChild<WordBookCommands *>();
    const QString fileName = m_fileStem + u".utx"_qs;
    m_commands->WBMenuClick(fileName);
    QCOMPARE(Sys.TC_File, fileName);
    m_commands->page()->wordList()->selectRow(0);
    const QString table = m_home->path() + u'/' + m_fileStem + u".csv"_qs;
    const auto lookInDialog = [this](const QStringList &texts) {
        return [this, texts](QDialog *dialog) { look(dialog, texts); };
    };
    switch (place) {
    case Place::StatusBar:
        look(m_frm.get(), {m_title});
        break;
    case Place::Shelf:
        look(m_commands->page()->shelf(), {m_title, m_group, m_fileStem});
        break;
    case Place::WordList:
        look(m_commands->page()->wordList(), {m_russian, m_japanese});
        break;
    case Place::Properties:
        inDialog<TChangeFrm>(lookInDialog({m_title, m_group}));
        actions()->ChangeWBProperty->trigger();
        break;
    case Place::DeleteBook:
        inDialog<TDeleteFrm>(lookInDialog({m_title, m_group, m_fileStem}));
        actions()->DeleteWB->trigger();
        break;
    case Place::DeleteEntry:
        inDialog<TDelFrm>(lookInDialog({m_russian, m_japanese}));
        actions()->DelWord->trigger();
        break;
    case Place::MoveEntry:
        inDialog<TMoveFrm>(lookInDialog({m_russian, m_japanese}));
        actions()->MoveWord->trigger();
        break;
    case Place::ExportBox:
        inDialog<QMessageBox>(lookInDialog({m_title}));
        exchange(m_home->path() + u"/out.tsv"_qs).ExportWBExecute();
        // Qt's file dialog reads quotation marks in a name as several names.
        QVERIFY(!m_proposed.contains(u'"'));
        break;
    case Place::OverwriteQuestion: {
        const QString existing = m_home->path() + u'/' + m_fileStem + u".tsv"_qs;
        writeFile(existing, "old");
        inDialog<QMessageBox>(lookInDialog({m_fileStem}));
        exchange(existing).ExportWBExecute();
        QCOMPARE(readFile(existing), QByteArray("old"));
        break;
    }
    case Place::ImportBox:
        writeFile(table, "слово,日本語\n");
        inDialog<TImportFrm>([&](TImportFrm *dialog) {
            look(dialog, {m_fileStem});
            inDialog<QMessageBox>(lookInDialog({m_fileStem}));
            for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
                if (button->text() == u"取り込む"_qs)
                    button->click();
            }
        });
        exchange(table).ImportWBExecute();
        break;
    case Place::EncodingQuestion:
        writeFile(table, "\x82\xa0,\x82\xa2\n");
        inDialog<QInputDialog>(lookInDialog({m_fileStem}));
        exchange(table).ImportWBExecute();
        break;
    case Place::Search: {
        TSearchFrm search(m_frm.get());
        search.show();
        QVERIFY(QTest::qWaitForWindowExposed(&search));
        search.findChild<QComboBox *>(u"ComboBox1"_qs)->setCurrentIndex(0);
        search.findChild<QLineEdit *>(u"Edit1"_qs)->setText(u"слово"_qs);
        for (QPushButton *button : search.findChildren<QPushButton *>()) {
            if (button->text() == u"検索"_qs)
                button->click();
        }
        look(search.findChild<ReportView *>(u"ListView1"_qs), {m_russian, m_title});
        break;
    }
    case Place::Practice: {
        Usr.PFIndex = 0; // book folder A
        TPlayFrm practice(nullptr);
        practice.show();
        QApplication::setActiveWindow(&practice);
        QVERIFY(QTest::qWaitForWindowActive(&practice));
        look(&practice, {m_title, m_group});
        QComboBox *chooser = practice.chooser()->chooser();
        chooser->setCurrentIndex(0);
        Q_EMIT chooser->activated(0);
        practice.curtain()->startButton()->click();
        QTRY_VERIFY(practice.curtain()->isHidden());
        QLineEdit *answer = practice.questionArea()->answerField();
        answer->setText(u"нет"_qs);
        QTest::keyClick(answer, Qt::Key_Return);
        look(practice.questionArea(), {m_russian, m_japanese});
        break;
    }
    }
    QTest::qWait(50);
    QCOMPARE(m_looks, looks);
    QVERIFY2(m_markup.isEmpty(), qPrintable(u"drawn as markup: "_qs + m_markup.join(u", "_qs)));
    QVERIFY2(m_unseen.isEmpty(), qPrintable(u"not shown: "_qs + m_unseen.join(u", "_qs)));
    QVERIFY2(!watch.opened(), "an image named in a text was loaded");
}

QTEST_MAIN(TestLiteralTexts)
#include "tst_literaltexts.moc"
