#include "core/folders.h"
#include "core/textlines.h"
#include "core/ulib.h"
#include "input/truspad.h"
#include "mainwin/compositionareas.h"
#include "mainwin/textdocuments.h"
#include "mainwin/tmainfrm.h"
#include "modalanswer.h"
#include "practice/bookchooser.h"
#include "practice/curtain.h"
#include "practice/questionarea.h"
#include "practice/tbikofrm.h"
#include "practice/tplayfrm.h"
#include "testenv.h"
#include "wordbook/reportview.h"
#include "wordbook/timportfrm.h"
#include "wordbook/wordbookcommands.h"
#include "wordbook/wordbookpage.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QtTest>

#include <memory>

namespace {

QByteArray book(int entries)
{
    QString text = u"数\r\n組\r\n単語理解\r\n"_qs;
    for (int n = 1; n <= entries; ++n)
        text += u"\"д%1\",\"d\",\"ド\",\"家\",\"備考\",\"\"\r\n"_qs.arg(n);
    return EncodeUtf16LeBom(text);
}

// Controls a screen reader must call by more than their kind: those that take the focus, and
// the buttons, boxes and cells that act when clicked. A control that hands its focus to a child
// (a tab control to its tab bar) is read as that child; an editable combo box's line edit, whose
// focus goes to the box, is read while the box has it.
bool needsName(QAccessibleInterface *control, const QWidget *widget)
{
    const QWidget *proxy = widget->focusProxy();
    if (control->state().focusable && (!proxy || proxy == widget->parentWidget()))
        return true;
    switch (control->role()) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::Cell:
        return true;
    default:
        return false;
    }
}

// On Linux a combo box is named by its current text; what it is for comes from its label.
QString nameOf(QAccessibleInterface *control)
{
    if (control->role() != QAccessible::ComboBox)
        return control->text(QAccessible::Name).trimmed();
    QString name = qobject_cast<QWidget *>(control->object())->accessibleName();
    for (const auto &[label, relation] : control->relations(QAccessible::Label))
        name += label->text(QAccessible::Name);
    return name.trimmed();
}

QString pathOf(const QObject *object)
{
    QStringList names;
    for (; object; object = object->parent())
        names.prepend(object->objectName().isEmpty() ? object->metaObject()->className()
                                                     : object->objectName());
    return names.join(u'/');
}

// Walks the accessibility tree below `node` within `window`. A page of a tab control counts
// while another page is shown; any other hidden control is left out with what it holds, and so
// are popups (a combo box's list). The rows and cells of item views are the model's texts.
void collectUnnamed(QAccessibleInterface *node, const QWidget *window, QStringList &unnamed)
{
    auto *widget = qobject_cast<QWidget *>(node->object());
    if (!widget || widget->window() != window ||
        (widget->isHidden() && !qobject_cast<QStackedWidget *>(widget->parentWidget())))
        return;
    if (needsName(node, widget) && nameOf(node).isEmpty())
        unnamed.append(pathOf(widget));
    if (qobject_cast<QAbstractItemView *>(widget))
        return;
    for (int i = 0; i < node->childCount(); ++i)
        collectUnnamed(node->child(i), window, unnamed);
}

QStringList unnamedControls(QWidget *window)
{
    QStringList unnamed;
    collectUnnamed(QAccessible::queryAccessibleInterface(window), window, unnamed);
    return unnamed;
}

// Presses the keys in the focused control and lets them go where the focus is then, as a
// keyboard does.
void pressAndRelease(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyPress(QApplication::focusWidget(), key, modifiers);
    QTest::keyRelease(QApplication::focusWidget(), key, modifiers);
}

// Whether Tab, pressed from the focus up to `steps` times, brings the focus to `target`.
bool reachedByTab(QWidget *target, int steps = 200)
{
    for (int step = 0; step < steps; ++step) {
        if (QApplication::focusWidget() == target)
            return true;
        pressAndRelease(Qt::Key_Tab, Qt::NoModifier);
    }
    return false;
}

} // namespace

// What a screen reader and the keyboard alone meet: every control has a name, every control can
// be reached without the mouse.
class TestAccessibility : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void controlsAreNamed_data();
    void controlsAreNamed();
    void tabLeavesTheRussianArea_data();
    void tabLeavesTheRussianArea();
    void controlsAreReachedByTab_data();
    void controlsAreReachedByTab();
    void practiceStartIsReachedByTab();
    void documentShortcutsActWithoutTheMenu();

private:
    void startMainWindow();
    // The practice window with a book picked by the arrow keys.
    void startPractice();
    QWidget *child(const QString &path) const;

    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<TMainFrm> m_frm;
    std::unique_ptr<TPlayFrm> m_play;
};

void TestAccessibility::init()
{
    m_home = std::make_unique<TempHome>();
    const QStringList problems =
        SetFolderVars({m_home->path() + u"/.config"_qs, m_home->path() + u"/Documents"_qs,
                       QStringLiteral(KALVO_STAGE_DIR) + u"/../.."_qs});
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    writeFile(Dirs.ICatFolder + u"/t.utx"_qs, book(10));
}

void TestAccessibility::cleanup()
{
    m_play.reset();
    m_frm.reset();
    m_home.reset();
}

// A book open with an entry selected, the chart shown and IPA candidates on the pad.
void TestAccessibility::startMainWindow()
{
    m_frm = std::make_unique<TMainFrm>();
    m_frm->show();
    QVERIFY(QTest::qWaitForWindowActive(m_frm.get()));
    auto *commands = m_frm->findChild<WordBookCommands *>();
    commands->WBMenuClick(u"t.utx"_qs);
    commands->page()->wordList()->selectRow(0);
    if (!Usr.AlphabetFlg)
        m_frm->findChild<QAction *>(u"N43"_qs)->trigger();
    QLineEdit *ipaLine = m_frm->findChild<CompositionAreas *>()->ipaLine();
    ipaLine->setFocus();
    QTest::keyClick(ipaLine, 'S', Qt::ShiftModifier);
}

void TestAccessibility::startPractice()
{
    writeFile(BookFolderPath(0, 0) + u"/a.utx"_qs, book(10));
    Usr.PClassRoom = 0;
    Usr.PFIndex = 0;
    m_play = std::make_unique<TPlayFrm>(nullptr);
    m_play->show();
    QVERIFY(QTest::qWaitForWindowActive(m_play.get()));
    QComboBox *chooser = m_play->chooser()->chooser();
    chooser->setFocus();
    QTest::keyClick(chooser, Qt::Key_Down);
}

// "Window/Child": a child of the main window, or of a named child of it.
QWidget *TestAccessibility::child(const QString &path) const
{
    QWidget *widget = m_frm.get();
    for (const QString &name : path.split(u'/'))
        widget = widget->findChild<QWidget *>(name);
    return widget;
}

void TestAccessibility::controlsAreNamed_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("main window") << QString();
    // The dialogs, each opened by its menu item or action.
    for (const char *opener :
         {"Setting1", "FontSize1", "Keyboard1", "Version1", "RegWord", "ModWord", "MoveWord",
          "DelWord", "NewWB", "ChangeWBProperty", "DeleteWB", "SearchWord", "PrintWB"})
        QTest::newRow(opener) << QString::fromLatin1(opener);
    QTest::newRow("import") << u"import"_qs;
    QTest::newRow("practice and remarks") << u"practice"_qs;
}

void TestAccessibility::controlsAreNamed()
{
    QFETCH(QString, window);
    QStringList unnamed;
    if (window == u"practice") {
        startPractice();
        TPlayFrm *play = m_play.get();
        QTest::keyClick(play->focusWidget(), Qt::Key_Return); // START
        QTRY_VERIFY(play->curtain()->isHidden());
        QTest::keyClick(play->questionArea()->answerField(), Qt::Key_Return); // judge
        QTRY_VERIFY(play->remarksWindow());
        unnamed = unnamedControls(play) + unnamedControls(play->remarksWindow());
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u'\n')));
        return;
    }
    startMainWindow();
    if (window.isEmpty()) {
        unnamed = unnamedControls(m_frm.get());
    } else if (window == u"import") {
        TImportFrm dialog({u"слово\tことば\n"_qs}, u"t"_qs, m_frm.get());
        unnamed = unnamedControls(&dialog);
    } else if (window == u"FontSize1") {
        m_frm->findChild<QAction *>(window)->trigger();
        unnamed = unnamedControls(m_frm->findChild<QWidget *>(u"FSizeFrm"_qs));
    } else {
        bool opened = false;
        inDialog<QDialog>([&](QDialog *dialog) {
            opened = true;
            unnamed = unnamedControls(dialog);
        });
        m_frm->findChild<QAction *>(window)->trigger();
        QVERIFY(opened);
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u'\n')));
}

void TestAccessibility::tabLeavesTheRussianArea_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Tab") << Qt::Key_Tab << Qt::KeyboardModifiers();
    QTest::newRow("Shift+Tab") << Qt::Key_Backtab << Qt::KeyboardModifiers(Qt::ShiftModifier);
    QTest::newRow("Ctrl+Tab") << Qt::Key_Tab << Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("Ctrl+Shift+Tab")
        << Qt::Key_Backtab << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier);
}

// The key moves the focus and types nothing; Shift came up elsewhere, and the pad shows the
// page without Shift all the same.
void TestAccessibility::tabLeavesTheRussianArea()
{
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    startMainWindow();
    QPlainTextEdit *area = m_frm->findChild<CompositionAreas *>()->russianArea();
    area->setFocus();
    pressAndRelease(key, modifiers);
    QVERIFY(!area->hasFocus());
    QCOMPARE(area->toPlainText(), QString());
    QCOMPARE(child(u"RusPad1/PageControl1"_qs)->property("currentIndex").toInt(), 0);
}

void TestAccessibility::controlsAreReachedByTab_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("カナ") << u"SpeedButton6"_qs;
    QTest::newRow("AC") << u"RusPad1/CheckBox1"_qs;
    QTest::newRow("shelf toggle") << u"SpeedButton10"_qs;
    QTest::newRow("book A") << u"SpeedButton12"_qs;
    QTest::newRow("book G") << u"SpeedButton13"_qs;
    QTest::newRow("book S") << u"SpeedButton14"_qs;
}

void TestAccessibility::controlsAreReachedByTab()
{
    QFETCH(QString, control);
    startMainWindow();
    m_frm->findChild<CompositionAreas *>()->russianArea()->setFocus();
    QVERIFY(reachedByTab(child(control)));
}

// Up and Down pick a book in the chooser; Tab then reaches START.
void TestAccessibility::practiceStartIsReachedByTab()
{
    startPractice();
    TPlayFrm *play = m_play.get();
    QPushButton *start = play->curtain()->startButton();
    QVERIFY(start->isEnabled());
    play->chooser()->chooser()->setFocus();
    QVERIFY(reachedByTab(start));
}

// The file menu's usual keys act without the menu, and "上書き保存" follows the document at
// once: a document opened with Ctrl+O can be saved with Ctrl+S before the menu ever opens.
void TestAccessibility::documentShortcutsActWithoutTheMenu()
{
    startMainWindow();
    const QString path = m_home->path() + u"/a.txt"_qs;
    writeFile(path, EncodeUtf16LeBom(u"да"_qs));
    auto *documents = m_frm->findChild<TextDocuments *>();
    documents->setOpenChooser([path](QWidget *, const QString &) { return path; });
    QAction *save = m_frm->findChild<QAction *>(u"Save1"_qs);
    Q_EMIT m_frm->findChild<QMenu *>(u"File1"_qs)->aboutToShow();
    QVERIFY(!save->isEnabled());
    QPlainTextEdit *area = m_frm->findChild<CompositionAreas *>()->russianArea();
    area->setFocus();
    QTest::keySequence(area, QKeySequence::Open);
    QCOMPARE(area->toPlainText(), u"да"_qs);
    QVERIFY(save->isEnabled());
    QVERIFY(!save->shortcut().isEmpty());
    QTest::keySequence(area, QKeySequence::Close);
    QCOMPARE(area->toPlainText(), QString());
    QVERIFY(!save->isEnabled());
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
