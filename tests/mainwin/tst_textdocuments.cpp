#include "core/settingstable.h"
#include "core/ulib.h"
#include "input/imeswitch.h"
#include "input/keytables.h"
#include "mainwin/textdocuments.h"
#include "modalanswer.h"
#include "recordinglayouts.h"
#include "testenv.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTreeView>
#include <QtTest>
#include <memory>

namespace {

const QString Yes = u"はい(&Y)"_qs;

QByteArray documentOf(const QString &text)
{
    QByteArray bytes("\xFF\xFE", 2);
    for (QChar c : text)
        bytes.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    return bytes;
}

// What a file dialog showed once its folder was listed: where it stood, the room of its detail
// view, and how much each column lacked for its widest text (0 when none did).
struct DialogRecord {
    bool seen = false;
    QRect frame;
    QRect available;
    int viewWidth = 0;
    int columnsWidth = 0;
    QList<int> shortfalls;
};

// Records the next file dialog as soon as its detail view lists files, then cancels it. Polls,
// since the dialog runs its own event loop and lists the folder in the background.
void RecordNextDialog(DialogRecord *record, int attempts = 200)
{
    QTimer::singleShot(10, qApp, [=] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        auto *tree = dialog ? dialog->findChild<QTreeView *>(u"treeView"_qs) : nullptr;
        if (!tree || tree->model()->rowCount(tree->rootIndex()) == 0) {
            if (attempts > 0)
                RecordNextDialog(record, attempts - 1);
            else if (dialog)
                dialog->reject();
            return;
        }
        record->seen = true;
        record->frame = dialog->frameGeometry();
        record->available = dialog->screen()->availableGeometry();
        record->viewWidth = tree->viewport()->width();
        record->columnsWidth = tree->header()->length();
        // QTreeView hides its measure of a column's texts; its base class offers it.
        const QAbstractItemView *view = tree;
        for (int column = 0; column < tree->header()->count(); ++column)
            record->shortfalls << qMax(0, view->sizeHintForColumn(column) -
                                              tree->header()->sectionSize(column));
        dialog->reject();
    });
}

} // namespace

class TestTextDocuments : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void saveEnabledWhileNamed();
    void saveAsWritesAndSwitchesBack_data();
    void saveAsWritesAndSwitchesBack();
    void saveAsBlankAreaWarns_data();
    void saveAsBlankAreaWarns();
    void saveAsUnwritableTargetWarns();
    void saveReplacesTheFile();
    void saveOfFileDeletedOutsideIsSilent();
    void unreadableFileLeavesTheArea();
    void fileDialogsShowEveryColumn_data();
    void fileDialogsShowEveryColumn();

private:
    // Runs `action`, answering a message box it may raise; the record counts boxes.
    ModalRecord runAnswering(const std::function<void()> &action);
    void openFile(const QString &path);

    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<QWidget> m_window;
    QPlainTextEdit *m_area = nullptr;
    TextDocuments *m_documents = nullptr;
    RecordingLayouts m_layouts;
};

void TestTextDocuments::init()
{
    m_home = std::make_unique<TempHome>();
    InitSysVars();
    InitUsrVars(false, 0xFFFFE1);
    Sys.UFolder = m_home->path();
    m_layouts.active = LayoutByIndex(Usr.RusImeIndex)->identifier;
    m_layouts.calls.clear();
    SetKeyboardLayouts(&m_layouts);
    m_window = std::make_unique<QWidget>();
    m_area = new QPlainTextEdit(m_window.get());
    m_documents = new TextDocuments(m_area, m_window.get());
}

void TestTextDocuments::cleanup()
{
    SetKeyboardLayouts(nullptr);
    m_window.reset();
    m_home.reset();
}

ModalRecord TestTextDocuments::runAnswering(const std::function<void()> &action)
{
    ModalRecord record;
    AnswerNextBox(&record, Yes, 0);
    action();
    // Lets an unused answer expire before the record goes out of scope.
    QTest::qWait(30);
    return record;
}

void TestTextDocuments::openFile(const QString &path)
{
    m_documents->setOpenChooser([path](QWidget *, const QString &) { return path; });
    m_documents->openDocument();
}

void TestTextDocuments::saveEnabledWhileNamed()
{
    const QString path = m_home->path() + u"/sub/doc.txt"_qs;
    writeFile(path, documentOf(u"а\r\nб"_qs));
    QVERIFY(!m_documents->canSave());

    openFile(path);
    QCOMPARE(m_area->toPlainText(), u"а\nб"_qs);
    QCOMPARE(m_area->textCursor().position(), 3);
    QCOMPARE(Sys.Ufname, u"doc.txt"_qs);
    QCOMPARE(Sys.UFolder, m_home->path() + u"/sub"_qs);
    QVERIFY(m_documents->canSave());

    bool cleared = false;
    m_documents->closeDocument([&cleared] { cleared = true; });
    QVERIFY(cleared);
    QVERIFY(!m_documents->canSave());
}

void TestTextDocuments::saveAsWritesAndSwitchesBack_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("two lines") << u"new.txt"_qs << u"а\nб"_qs
                               << QByteArray("\xFF\xFE\x30\x04\x0D\x00\x0A\x00\x31\x04", 10);
    QTest::newRow("no-break space and line separator kept")
        << u"new.txt"_qs << u"а\u00A0б\u2028в"_qs << documentOf(u"а\u00A0б\r\nв"_qs);
    QTest::newRow("cancelled") << QString() << u"а"_qs << QByteArray();
}

void TestTextDocuments::saveAsWritesAndSwitchesBack()
{
    QFETCH(QString, chosen);
    QFETCH(QString, typed);
    QFETCH(QByteArray, bytes);
    Sys.Ufname = u"old.txt"_qs;
    m_area->setPlainText(typed);
    QString proposed;
    QString layoutWhileChoosing;
    m_documents->setSaveChooser([&](QWidget *, const QString &folder, const QString &name) {
        proposed = name;
        layoutWhileChoosing = m_layouts.active;
        return chosen.isEmpty() ? QString() : folder + u'/' + chosen;
    });

    const ModalRecord record = runAnswering([this] { m_documents->saveDocumentAs(); });
    QCOMPARE(record.count, 0);
    QCOMPARE(proposed, u"old.txt"_qs);
    QCOMPARE(layoutWhileChoosing, JapaneseLayoutId);
    QCOMPARE(m_layouts.calls,
             QStringList({JapaneseLayoutId, LayoutByIndex(Usr.RusImeIndex)->identifier}));
    QCOMPARE(readFile(m_home->path() + u"/new.txt"_qs), bytes);
    QCOMPARE(Sys.Ufname, chosen.isEmpty() ? u"old.txt"_qs : chosen);
    QVERIFY(m_documents->canSave());
}

void TestTextDocuments::saveAsBlankAreaWarns_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks and lines") << u" \n\t\n "_qs;
}

void TestTextDocuments::saveAsBlankAreaWarns()
{
    QFETCH(QString, typed);
    m_area->setPlainText(typed);
    bool asked = false;
    m_documents->setSaveChooser([&](QWidget *, const QString &, const QString &) {
        asked = true;
        return QString();
    });

    const ModalRecord record = runAnswering([this] { m_documents->saveDocumentAs(); });
    QCOMPARE(record.count, 1);
    QCOMPARE(record.title, u"警告"_qs);
    QCOMPARE(record.text, u"保存すべき文書がありません。"_qs);
    QVERIFY(!asked);
    QCOMPARE(m_layouts.calls,
             QStringList({JapaneseLayoutId, LayoutByIndex(Usr.RusImeIndex)->identifier}));
}

void TestTextDocuments::saveAsUnwritableTargetWarns()
{
    const QString target = m_home->path() + u"/gone/a.txt"_qs;
    m_area->setPlainText(u"да"_qs);
    m_documents->setSaveChooser(
        [&](QWidget *, const QString &, const QString &) { return target; });

    const ModalRecord record = runAnswering([this] { m_documents->saveDocumentAs(); });
    QCOMPARE(record.count, 1);
    QVERIFY2(record.text.startsWith(u"「"_qs + target + u"」を保存できませんでした。（"_qs),
             qPrintable(record.text));
    QCOMPARE(m_area->toPlainText(), u"да"_qs);
    QVERIFY(!m_documents->canSave());
    QCOMPARE(m_layouts.calls.size(), 2);
}

void TestTextDocuments::saveReplacesTheFile()
{
    const QString path = m_home->path() + u"/doc.txt"_qs;
    writeFile(path, documentOf(u"old"_qs));
    openFile(path);
    m_area->setPlainText(u"н\nов"_qs);

    ModalRecord record = runAnswering([this] { m_documents->saveDocument(); });
    QCOMPARE(record.count, 1);
    QCOMPARE(record.title, u"情報"_qs);
    QCOMPARE(record.text, u"保存しました！"_qs);
    QCOMPARE(readFile(path), documentOf(u"н\r\nов"_qs));

    m_area->setPlainText(u" \n "_qs);
    record = runAnswering([this] { m_documents->saveDocument(); });
    QCOMPARE(record.count, 0);
    QCOMPARE(readFile(path), documentOf(u"н\r\nов"_qs));
}

void TestTextDocuments::saveOfFileDeletedOutsideIsSilent()
{
    const QString path = m_home->path() + u"/doc.txt"_qs;
    writeFile(path, documentOf(u"а"_qs));
    openFile(path);
    QVERIFY(QFile::remove(path));

    const ModalRecord record = runAnswering([this] { m_documents->saveDocument(); });
    QCOMPARE(record.count, 0);
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY(m_documents->canSave());
}

void TestTextDocuments::unreadableFileLeavesTheArea()
{
    m_area->setPlainText(u"мой текст"_qs);
    Sys.Ufname = u"mine.txt"_qs;
    const QString path = m_home->path() + u"/none.txt"_qs;

    const ModalRecord record = runAnswering([&] { openFile(path); });
    QCOMPARE(record.count, 1);
    QVERIFY2(record.text.startsWith(u"ファイル「"_qs + path + u"」を開けませんでした。"_qs),
             qPrintable(record.text));
    QCOMPARE(m_area->toPlainText(), u"мой текст"_qs);
    QCOMPARE(Sys.Ufname, u"mine.txt"_qs);
    QCOMPARE(Sys.UFolder, m_home->path());
}

void TestTextDocuments::fileDialogsShowEveryColumn_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("open") << false;
    QTest::newRow("save as") << true;
}

// Name, size, type and date are all in view, each wide enough for its text, on the screen.
void TestTextDocuments::fileDialogsShowEveryColumn()
{
    QFETCH(bool, save);
    writeFile(m_home->path() + u"/練習 2024-12-28.txt"_qs, documentOf(u"да"_qs));
    m_area->setPlainText(u"да"_qs);

    DialogRecord record;
    RecordNextDialog(&record);
    save ? m_documents->saveDocumentAs() : m_documents->openDocument();
    QVERIFY(record.seen);
    QVERIFY2(record.columnsWidth <= record.viewWidth,
             qPrintable(u"%1 > %2"_qs.arg(record.columnsWidth).arg(record.viewWidth)));
    QCOMPARE(record.shortfalls, QList<int>(4, 0));
    QVERIFY(record.available.contains(record.frame));
}

QTEST_MAIN(TestTextDocuments)
#include "tst_textdocuments.moc"
