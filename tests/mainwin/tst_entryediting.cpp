#include "core/folders.h"
#include "core/textlines.h"
#include "core/ulib.h"
#include "mainwin/compositionareas.h"
#include "mainwin/entryediting.h"
#include "mainwin/tmainfrm.h"
#include "modalanswer.h"
#include "testenv.h"
#include "widgets/mainactions.h"
#include "wordbook/reportmodel.h"
#include "wordbook/reportview.h"
#include "wordbook/tframe6.h"
#include "wordbook/tmodfrm.h"
#include "wordbook/tregfrm.h"
#include "wordbook/wordbookcommands.h"
#include "wordbook/wordbookfile.h"
#include "wordbook/wordbookpage.h"
#include "wordbook/wordlistmodel.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <functional>

namespace {

const QString kFile = u"t.utx"_qs;

QByteArray book(const QString &type, int entries)
{
    QString text = u"題\r\n組\r\n"_qs + type + u"\r\n"_qs;
    for (int n = 1; n <= entries; ++n)
        text += u"\"r%1\",\"c%1\",\"k%1\",\"j%1\",\"a#$0Db\",\"\"\r\n"_qs.arg(n);
    return EncodeUtf16LeBom(text);
}

// `unit` repeated to 40,000 characters: longer than a line edit holds by default.
QString longText(const QString &unit)
{
    return unit.repeated(40'000 / unit.size());
}

// An entry whose every field is long and holds no-break spaces.
WordEntry longEntry()
{
    return {{longText(u"ё\u0301ж\u00A0"_qs), longText(u"ˈɐ\u00A0"_qs), longText(u"カナ"_qs),
             longText(u"日本語\u00A0"_qs), longText(u"備\u00A0考"_qs)}};
}

// Types `text` into the dialog's focused field a character at a time, as key presses that
// carry it.
void typeText(QWidget *dialog, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, dialog->focusWidget(), Qt::Key_unknown, QString(c),
                            Qt::NoModifier);
}

void pressKey(QWidget *dialog, Qt::Key key)
{
    QTest::keyClick(dialog->focusWidget(), key);
}

QPushButton *button(QWidget *dialog, const char *name)
{
    return dialog->findChild<QPushButton *>(QLatin1StringView(name));
}

} // namespace

class TestEntryEditing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void registerFromTheKeyboard();
    void validation_data();
    void validation();
    void insertAndAppend_data();
    void insertAndAppend();
    void questionTypes_data();
    void questionTypes();
    void modifyShowsAndStoresTheEntry();
    void longFieldsSurvive_data();
    void longFieldsSurvive();
    void russianAreaKeepsItsText_data();
    void russianAreaKeepsItsText();
    void searchHitInAnotherClass();
    void callWord3_data();
    void callWord3();

private:
    void start(const QString &type, int entries);
    QList<WordEntry> stored() const;
    QString shelfCount() const;
    WordListModel *words() const { return m_commands->page()->wordListModel(); }

    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<TMainFrm> m_frm;
    WordBookCommands *m_commands = nullptr;
};

void TestEntryEditing::init()
{
    m_home = std::make_unique<TempHome>();
    SetFolderVars({m_home->path() + u"/.config"_qs, m_home->path() + u"/Documents"_qs,
                   QStringLiteral(KALVO_STAGE_DIR) + u"/../.."_qs});
}

void TestEntryEditing::cleanup()
{
    m_frm.reset();
    m_home.reset();
}

void TestEntryEditing::start(const QString &type, int entries)
{
    writeFile(Dirs.ICatFolder + u'/' + kFile, book(type, entries));
    m_frm = std::make_unique<TMainFrm>();
    m_frm->show();
    QVERIFY(QTest::qWaitForWindowActive(m_frm.get()));
    m_commands = m_frm->findChild<WordBookCommands *>();
    m_commands->WBMenuClick(kFile);
    QCOMPARE(Sys.TC_File, kFile);
}

QString TestEntryEditing::shelfCount() const
{
    const ReportModel *shelf = m_commands->page()->shelfModel();
    for (int row = 0; row < shelf->rowCount(); ++row) {
        if (shelf->cell(row, 1) == kFile)
            return shelf->cell(row, 3);
    }
    return {};
}

QList<WordEntry> TestEntryEditing::stored() const
{
    return ParseWordBook(DecodeWordBook(readFile(Dirs.CatFolder + u'/' + kFile))).book.entries;
}

void TestEntryEditing::registerFromTheKeyboard()
{
    start(u"単語理解"_qs, 2);
    auto *memo = m_frm->findChild<QPlainTextEdit *>(u"Memo1"_qs);
    memo->setPlainText(u"два\nслова"_qs);
    QString russianField;
    inDialog<TRegFrm>([&russianField](TRegFrm *dialog) {
        russianField = dialog->frame()->russianField()->text();
        // The IPA line was empty: the IPA field is next.
        QCOMPARE(dialog->focusWidget(), dialog->frame()->ipaField());
        typeText(dialog, u"dva"_qs);
        pressKey(dialog, Qt::Key_Tab);
        typeText(dialog, u"ドゥヴァ"_qs);
        pressKey(dialog, Qt::Key_Tab);
        typeText(dialog, u" 二つ "_qs);
        pressKey(dialog, Qt::Key_Tab);
        typeText(dialog, u"a"_qs);
        pressKey(dialog, Qt::Key_Return);
        typeText(dialog, u"b"_qs);
        pressKey(dialog, Qt::Key_F8);
    });
    QTest::keyClick(m_frm.get(), Qt::Key_F4);
    QCOMPARE(russianField, u"два#$0Dслова"_qs);
    const WordEntry expected{
        {u"два#$0Dслова"_qs, u"dva"_qs, u"ドゥヴァ"_qs, u"二つ"_qs, u"a#$0Db"_qs}};
    QCOMPARE(stored().size(), 3);
    QVERIFY(stored().last() == expected);
    QCOMPARE(m_commands->page()->wordList()->selectedRow(), 2);
    QCOMPARE(shelfCount(), u"3"_qs);
    // "登録後クリア" is on by default.
    QVERIFY(memo->toPlainText().isEmpty());
}

void TestEntryEditing::validation_data()
{
    QTest::addColumn<QString>("russian");
    QTest::addColumn<QString>("japanese");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("no Japanese") << u"да"_qs << QString() << false;
    QTest::newRow("blank Russian") << u"  "_qs << u"はい"_qs << false;
    QTest::newRow("blanks trimmed") << u" да\t"_qs << u" はい "_qs << true;
}

void TestEntryEditing::validation()
{
    QFETCH(QString, russian);
    QFETCH(QString, japanese);
    QFETCH(bool, accepted);
    start(u"単語理解"_qs, 1);
    ModalRecord warning;
    inDialog<TRegFrm>([&](TRegFrm *dialog) {
        dialog->frame()->russianField()->setText(russian);
        dialog->frame()->japaneseField()->setText(japanese);
        AnswerNextBox(&warning, u"はい(&Y)"_qs);
        button(dialog, "Button1")->click();
    });
    m_commands->actions()->RegWord->trigger();
    QCOMPARE(warning.count, accepted ? 0 : 1);
    QCOMPARE(stored().size(), accepted ? 2 : 1);
    if (accepted) {
        QCOMPARE(stored().last()[EntryField::Russian], u"да"_qs);
        QCOMPARE(stored().last()[EntryField::Japanese], u"はい"_qs);
    } else {
        QCOMPARE(warning.text, u"ロシア語と日本語は、必ず入力して下さい。"_qs);
    }
}

void TestEntryEditing::insertAndAppend_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("selected"); // -1: none
    QTest::addColumn<int>("shownFirst");
    QTest::addColumn<int>("picked"); // -1: append
    QTest::addColumn<int>("row");
    QTest::newRow("above No 1") << 3 << -1 << 0 << 0 << 0;
    QTest::newRow("above No 3") << 3 << 1 << 1 << 2 << 2;
    QTest::newRow("append") << 3 << 2 << 2 << -1 << 3;
    QTest::newRow("two-digit numbers") << 12 << 10 << 10 << 11 << 11;
}

// The selector offers the numbers 1 … n, starting at the selected entry's, sized as a plain
// combo box of those items.
void TestEntryEditing::insertAndAppend()
{
    QFETCH(int, entries);
    QFETCH(int, selected);
    QFETCH(int, shownFirst);
    QFETCH(int, picked);
    QFETCH(int, row);
    start(u"単語理解"_qs, entries);
    if (selected >= 0)
        m_commands->page()->wordList()->selectRow(selected);
    bool insertWasDisabled = false;
    QStringList offered;
    int current = -1;
    QSize size;
    QSize plainSize;
    inDialog<TRegFrm>([&](TRegFrm *dialog) {
        dialog->frame()->russianField()->setText(u"new"_qs);
        dialog->frame()->japaneseField()->setText(u"新"_qs);
        auto *insert = button(dialog, "Button3");
        insertWasDisabled = !insert->isEnabled();
        auto *positions = dialog->findChild<QComboBox *>(u"ComboBox1"_qs);
        for (int index = 0; index < positions->count(); ++index)
            offered.append(positions->itemText(index));
        current = positions->currentIndex();
        size = positions->sizeHint();
        QComboBox plain(positions->parentWidget());
        plain.setMinimumContentsLength(5);
        plain.addItems(offered);
        plainSize = plain.sizeHint();
        if (picked < 0) {
            button(dialog, "Button1")->click();
            return;
        }
        positions->setCurrentIndex(picked);
        Q_EMIT positions->activated(picked);
        insert->click();
    });
    m_commands->actions()->RegWord->trigger();
    QVERIFY(insertWasDisabled);
    QStringList numbers;
    for (int number = 1; number <= entries; ++number)
        numbers.append(QString::number(number));
    QCOMPARE(offered, numbers);
    QCOMPARE(current, shownFirst);
    QCOMPARE(size, plainSize);
    QCOMPARE(stored().size(), entries + 1);
    QCOMPARE(stored()[row][EntryField::Russian], u"new"_qs);
    QCOMPARE(words()->cell(row, WordListModel::Number), QString::number(row + 1));
    QCOMPARE(m_commands->page()->wordList()->selectedRow(), row);
    QCOMPARE(shelfCount(), QString::number(entries + 1));
}

void TestEntryEditing::questionTypes_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("cueName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("kanaEditable");
    QTest::newRow("vocabulary") << u"単語理解"_qs << u"Edit2"_qs << u"■発音記号"_qs << true;
    QTest::newRow("blank") << u"空欄補充"_qs << u"Edit5"_qs << u"■空欄文"_qs << false;
    QTest::newRow("composition") << u"Composition"_qs << u"Edit6"_qs << u"■指示文"_qs << false;
}

void TestEntryEditing::questionTypes()
{
    QFETCH(QString, type);
    QFETCH(QString, cueName);
    QFETCH(QString, caption);
    QFETCH(bool, kanaEditable);
    start(type, 1);
    m_commands->page()->wordList()->selectRow(0);
    QStringList visibleCues;
    QString cueCaption;
    bool kanaReadOnly = false;
    bool kanaTabStop = false;
    QString cueText;
    inDialog<TModFrm>([&](TModFrm *dialog) {
        TFrame6 *frame = dialog->frame();
        for (const char *name : {"Edit2", "Edit5", "Edit6"}) {
            auto *field = frame->findChild<QLineEdit *>(QLatin1StringView(name));
            if (field->isVisible())
                visibleCues << field->objectName();
        }
        for (auto *label : frame->findChildren<QLabel *>()) {
            if (label->isVisible() && label->buddy() == frame->cueField())
                cueCaption = label->text();
        }
        kanaReadOnly = frame->kanaField()->isReadOnly();
        kanaTabStop = frame->kanaField()->focusPolicy() & Qt::TabFocus;
        cueText = frame->cueField()->text();
        dialog->reject();
    });
    m_commands->actions()->ModWord->trigger();
    QCOMPARE(visibleCues, QStringList{cueName});
    QCOMPARE(cueCaption, caption);
    QCOMPARE(kanaReadOnly, !kanaEditable);
    QCOMPARE(kanaTabStop, kanaEditable);
    QCOMPARE(cueText, u"c1"_qs);
}

void TestEntryEditing::modifyShowsAndStoresTheEntry()
{
    start(u"単語理解"_qs, 2);
    m_commands->page()->wordList()->selectRow(1);
    QString remarks;
    inDialog<TModFrm>([&remarks](TModFrm *dialog) {
        remarks = dialog->frame()->remarksField()->toPlainText();
        dialog->frame()->japaneseField()->setText(u"変"_qs);
        QTest::keyClick(dialog->frame()->japaneseField(), Qt::Key_F8);
    });
    QTest::keyClick(m_frm.get(), Qt::Key_F5);
    QCOMPARE(remarks, u"a\nb"_qs);
    QCOMPARE(stored()[1][EntryField::Japanese], u"変"_qs);
    QCOMPARE(stored()[1][EntryField::Remarks], u"a#$0Db"_qs);
    QCOMPARE(m_commands->page()->wordList()->selectedRow(), 1);
}

void TestEntryEditing::longFieldsSurvive_data()
{
    QTest::addColumn<bool>("modify");
    QTest::newRow("registered") << false;
    QTest::newRow("modified without an edit") << true;
}

// Registering the long entry (pasted into the fields), or committing it unchanged in the modify
// dialog, writes every field whole.
void TestEntryEditing::longFieldsSurvive()
{
    QFETCH(bool, modify);
    const WordEntry entry = longEntry();
    start(u"単語理解"_qs, 0);
    if (modify) {
        writeFile(Dirs.CatFolder + u'/' + kFile,
                  WordBookBytes({u"題"_qs, u"組"_qs, QuestionType::Vocabulary, {entry}}));
        m_commands->WBMenuClick(kFile);
        m_commands->page()->wordList()->selectRow(0);
        inDialog<TModFrm>(
            [](TModFrm *dialog) { QTest::keyClick(dialog->frame()->japaneseField(), Qt::Key_F8); });
    } else {
        inDialog<TRegFrm>([entry](TRegFrm *dialog) {
            TFrame6 *frame = dialog->frame();
            frame->russianField()->insert(entry[EntryField::Russian]);
            frame->cueField()->insert(entry[EntryField::Cue]);
            frame->kanaField()->insert(entry[EntryField::Kana]);
            frame->japaneseField()->insert(entry[EntryField::Japanese]);
            frame->remarksField()->setPlainText(entry[EntryField::Remarks]);
            QTest::keyClick(frame->japaneseField(), Qt::Key_F8);
        });
    }
    QTest::keyClick(m_frm.get(), modify ? Qt::Key_F5 : Qt::Key_F4);
    QCOMPARE(stored().size(), 1);
    for (int field = 0; field < 5; ++field) {
        QCOMPARE(stored()[0].fields[field].size(), entry.fields[field].size());
        QCOMPARE(stored()[0].fields[field], entry.fields[field]);
    }
}

void TestEntryEditing::russianAreaKeepsItsText_data()
{
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("ipaLine");
    QTest::addColumn<QString>("russian"); // as the dialog shows and stores it
    QTest::newRow("no-break spaces") << u"a\u00A0b"_qs << u"ə\u00A0b"_qs << u"a\u00A0b"_qs;
    QTest::newRow("two lines") << u"a\u00A0b\nc"_qs << QString() << u"a\u00A0b#$0Dc"_qs;
    QTest::newRow("Shift+Enter line") << u"a\u2028b"_qs << QString() << u"a#$0Db"_qs;
}

// F4 takes the composition areas' texts as they are, line breaks as "#$0D".
void TestEntryEditing::russianAreaKeepsItsText()
{
    QFETCH(QString, area);
    QFETCH(QString, ipaLine);
    QFETCH(QString, russian);
    start(u"単語理解"_qs, 0);
    auto *areas = m_frm->findChild<CompositionAreas *>();
    areas->russianArea()->setPlainText(area);
    areas->ipaLine()->setText(ipaLine);
    QString shown;
    inDialog<TRegFrm>([&shown](TRegFrm *dialog) {
        shown = dialog->frame()->russianField()->text();
        dialog->frame()->japaneseField()->setText(u"日"_qs);
        QTest::keyClick(dialog->frame()->japaneseField(), Qt::Key_F8);
    });
    QTest::keyClick(m_frm.get(), Qt::Key_F4);
    QCOMPARE(shown, russian);
    QCOMPARE(stored().size(), 1);
    QCOMPARE(stored()[0][EntryField::Russian], russian);
    QCOMPARE(stored()[0][EntryField::Cue], ipaLine);
}

void TestEntryEditing::searchHitInAnotherClass()
{
    start(u"単語理解"_qs, 1);
    writeFile(Dirs.UsrFolder + u"/Class2/bookG/g.utx"_qs, book(u"空欄補充"_qs, 3));
    QString russian;
    QString cue;
    inDialog<TModFrm>([&](TModFrm *dialog) {
        russian = dialog->frame()->russianField()->text();
        cue = dialog->frame()->cueField()->objectName();
    });
    QWidget searchWindow;
    searchWindow.show();
    m_frm->findChild<EntryEditing *>()->CallModFrm1(2, 1, u"題"_qs, 1, &searchWindow);
    QCOMPARE(russian, u"r2"_qs);
    QCOMPARE(cue, u"Edit5"_qs);
    QCOMPARE(Usr.ClassRoom, 2);
    QCOMPARE(Dirs.CatFolder, Dirs.UsrFolder + u"/Class2/bookG"_qs);
    QCOMPARE(Sys.TC_File, u"g.utx"_qs);
    QVERIFY(!searchWindow.isVisible());
}

void TestEntryEditing::callWord3_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("shown"); // empty: no dialog
    QTest::newRow("found") << u"題"_qs << 2 << u"r3"_qs;
    QTest::newRow("no such book") << u"無"_qs << 0 << QString();
    QTest::newRow("no such entry") << u"題"_qs << 7 << QString();
}

void TestEntryEditing::callWord3()
{
    QFETCH(QString, title);
    QFETCH(int, index);
    QFETCH(QString, shown);
    start(u"単語理解"_qs, 3);
    // The call opens the book from the shelf, which stays open meanwhile.
    m_commands->InitWBExecute();
    if (!m_commands->page()->shelfOpen())
        m_commands->page()->SpeedButton10Click();
    QString russian;
    bool calling = false;
    inDialog<TModFrm>(
        [&](TModFrm *dialog) {
            russian = dialog->frame()->russianField()->text();
            calling = Sys.CallFlg;
            dialog->reject();
        },
        30);
    m_frm->findChild<EntryEditing *>()->CallWord3(title, index);
    // Lets an unused answer expire before its captures go out of scope.
    QTest::qWait(400);
    QCOMPARE(russian, shown);
    QCOMPARE(calling, !shown.isEmpty());
    QVERIFY(!Sys.CallFlg);
    QVERIFY(m_commands->page()->shelfOpen());
}

QTEST_MAIN(TestEntryEditing)
#include "tst_entryediting.moc"
