#include "core/settingstable.h"
#include "core/ulib.h"
#include "fakeforeignwindows.h"
#include "input/imeswitch.h"
#include "ipa/ipafonts.h"
#include "transfer/richtextforms.h"
#include "transfer/transferareas.h"
#include "transfer/transfercontroller.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

namespace {

// The two areas of a host window; the one focused last is the active one, as in the main window.
class TestAreas : public QObject, public TransferAreas {
public:
    explicit TestAreas(QWidget *parent)
        : QObject(parent)
        , m_memo(new QPlainTextEdit(parent))
        , m_line(new QLineEdit(parent))
    {
        m_memo->installEventFilter(this);
        m_line->installEventFilter(this);
    }

    QPlainTextEdit *russianArea() const override { return m_memo; }
    QLineEdit *ipaLine() const override { return m_line; }
    void clearAreas() override
    {
        m_line->clear();
        m_memo->clear();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn)
            Sys.TransMainFlg = watched == m_memo;
        return false;
    }

private:
    QPlainTextEdit *m_memo;
    QLineEdit *m_line;
};

} // namespace

// Transfer with a scripted desktop. The paste delay is driven by hand: the test checks that
// PasteTimer runs with the right interval and then calls PasteTimerTimer() itself.
class TestTransferController : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void plainForms_data();
    void plainForms();
    void selectionIsTransferredAndKept_data();
    void selectionIsTransferredAndKept();
    void richFormsCarryTheAreaFont_data();
    void richFormsCarryTheAreaFont();
    void emptyArea_data();
    void emptyArea();
    void unknownModePastesNothing();
    void automaticPasteOff();
    void uncheckingForgetsTheTarget();
    void pasteDelays_data();
    void pasteDelays();
    void clearAfterTransfer_data();
    void clearAfterTransfer();
    void nothingIsSentOutsideTheTarget_data();
    void nothingIsSentOutsideTheTarget();
    void targetGetsItsPasteKey_data();
    void targetGetsItsPasteKey();
    void targetClosedBeforeTransfer();
    void tracking_data();
    void tracking();
    void helpViewerIsPassedOver_data();
    void helpViewerIsPassedOver();
    void searchTimerFollowsTheApplication();
    void unavailableBackendOnlyFillsTheClipboard();
    void unseenWindowMakesTheTargetUnknown();

private:
    void typeRussian(const QString &text);
    void typeIpa(const QString &text);
    void holdTarget(quintptr id, const QString &title, PasteKey key = PasteKey::CtrlV);
    void backToKalvo();
    QString clipboardText() const;

    std::unique_ptr<QWidget> m_window;
    TestAreas *m_areas = nullptr;
    TransferController *m_controller = nullptr;
    std::unique_ptr<FakeForeignWindows> m_desktop;
    std::unique_ptr<QSignalSpy> m_targets;
};

Q_DECLARE_METATYPE(ForeignWindow)
Q_DECLARE_METATYPE(PasteKey)

namespace {

using Pastes = QList<std::pair<quintptr, PasteKey>>;

// What the user did between the raise of the target and the keystroke.
enum Interference {
    OtherWindowFocused,
    OtherWindowRecorded,
    InputNowhere,
    AutoPasteUnchecked,
    FocusMovedDuringKeystroke,
    KeystrokeFailed,
};

} // namespace

void TestTransferController::init()
{
    InitSysVars();
    InitUsrVars(false, 0xFFFFE1);
    m_desktop = std::make_unique<FakeForeignWindows>();
    m_window = std::make_unique<QWidget>();
    m_areas = new TestAreas(m_window.get());
    auto *layout = new QVBoxLayout(m_window.get());
    layout->addWidget(m_areas->ipaLine());
    layout->addWidget(m_areas->russianArea());
    m_controller = new TransferController(m_areas, *m_desktop, m_window.get());
    m_targets = std::make_unique<QSignalSpy>(m_controller, &TransferController::targetChanged);
    QGuiApplication::clipboard()->clear();
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestTransferController::cleanup()
{
    m_targets.reset();
    m_window.reset();
    LoadInitIme();
}

void TestTransferController::typeRussian(const QString &text)
{
    QPlainTextEdit *memo = m_areas->russianArea();
    memo->setFocus();
    memo->setPlainText(text);
    QVERIFY(Sys.TransMainFlg);
}

void TestTransferController::typeIpa(const QString &text)
{
    QLineEdit *line = m_areas->ipaLine();
    line->setFocus();
    line->setText(text);
    QVERIFY(!Sys.TransMainFlg);
}

// The user works in another window while Kalvo is in the background.
void TestTransferController::holdTarget(quintptr id, const QString &title, PasteKey key)
{
    m_desktop->focusNew(id, title, false, key);
    m_controller->SearchTimerTimer();
    QCOMPARE(Sys.ForWin, id);
    backToKalvo();
    m_targets->clear();
}

// Kalvo's own window has the input; the backend never offers it as a target.
void TestTransferController::backToKalvo()
{
    m_desktop->foreground = ForeignWindow{1, u"Kalvo"_qs, true};
}

QString TestTransferController::clipboardText() const
{
    return QGuiApplication::clipboard()->text();
}

void TestTransferController::plainForms_data()
{
    QTest::addColumn<bool>("russian");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("decimal") << true << 2 << u"да"_qs << u"&#1076;&#1072;"_qs;
    QTest::newRow("hexadecimal") << true << 3 << u"да"_qs << u"&#x0434;&#x0430;"_qs;
    QTest::newRow("unicode") << true << 4 << u"да"_qs << u"да"_qs;
    QTest::newRow("line break decimal")
        << true << 2 << u"а\nб"_qs << u"&#1072;&#13;&#10;&#1073;"_qs;
    QTest::newRow("line break hexadecimal")
        << true << 3 << u"а\nб"_qs << u"&#x0430;&#x000D;&#x000A;&#x0431;"_qs;
    QTest::newRow("line break unicode") << true << 4 << u"а\nб"_qs << u"а\r\nб"_qs;
    QTest::newRow("no-break space kept") << true << 4 << u"а\u00A0б"_qs << u"а\u00A0б"_qs;
    QTest::newRow("ipa line") << false << 3 << u"ʃ"_qs << u"&#x0283;"_qs;
}

// The whole text goes, and the whole area is selected afterwards.
void TestTransferController::plainForms()
{
    QFETCH(bool, russian);
    QFETCH(int, mode);
    QFETCH(QString, text);
    Usr.TransIndex = mode;
    russian ? typeRussian(text) : typeIpa(text);
    m_controller->TransferExecute();
    QTEST(clipboardText(), "expected");
    if (russian) {
        const QTextCursor cursor = m_areas->russianArea()->textCursor();
        QCOMPARE(cursor.selectionStart(), 0);
        QCOMPARE(cursor.selectionEnd(), text.size());
        QCOMPARE(QApplication::focusWidget(), m_areas->russianArea());
    } else {
        QCOMPARE(m_areas->ipaLine()->selectedText(), text);
        QCOMPARE(QApplication::focusWidget(), m_areas->ipaLine());
    }
}

void TestTransferController::selectionIsTransferredAndKept_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QString>("expected");
    QTest::newRow("part of a word") << u"привет"_qs << 1 << 3 << u"ри"_qs;
    QTest::newRow("across a line break") << u"аб\nвг"_qs << 1 << 4 << u"б\r\nв"_qs;
}

void TestTransferController::selectionIsTransferredAndKept()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, end);
    Usr.TransIndex = 4;
    typeRussian(text);
    QTextCursor cursor = m_areas->russianArea()->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    m_areas->russianArea()->setTextCursor(cursor);
    m_controller->TransferExecute();
    QTEST(clipboardText(), "expected");
    const QTextCursor after = m_areas->russianArea()->textCursor();
    QCOMPARE(after.selectionStart(), start);
    QCOMPARE(after.selectionEnd(), end);
}

void TestTransferController::richFormsCarryTheAreaFont_data()
{
    QTest::addColumn<int>("area");
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("charset");
    // No font has these names as spelt; the forms carry the family that draws each instead. The
    // substitutes (Liberation Serif, DejaVu Sans) do not set the marks on their letters, so the
    // areas draw DejaVu Serif.
    QTest::newRow("russian area") << 0 << u"Times New Roman"_qs << u"DejaVu Serif"_qs << 22 << 204;
    QTest::newRow("ipa line") << 1 << u"Segoe UI"_qs << u"DejaVu Serif"_qs << 14 << 0;
    QTest::newRow("ipa line in kana mode")
        << 2 << u"游ゴシック Medium"_qs << u"Noto Sans CJK JP"_qs << 12 << 128;
    // A substitute that has the kana itself, as a Japanese locale substitutes 游ゴシック.
    QTest::newRow("kana mode, kana in the substitute")
        << 2 << u"noto sans cjk jp"_qs << u"Noto Sans CJK JP"_qs << 12 << 128;
    // Qt's name of a family that several foundries supply, "Family [foundry]", where the system
    // has one.
    const QStringList families = QFontDatabase::families();
    const auto withFoundry =
        std::find_if(families.cbegin(), families.cend(), [](const QString &name) {
            return name.endsWith(u']') && RussianFontFamily(name) == name;
        });
    if (withFoundry != families.cend())
        QTest::newRow("russian area, a family of several foundries")
            << 0 << *withFoundry << withFoundry->section(u" ["_qs, 0, 0) << 22 << 204;
}

void TestTransferController::richFormsCarryTheAreaFont()
{
    QFETCH(int, area);
    QFETCH(QString, wanted);
    QFETCH(QString, family);
    QFETCH(int, points);
    QFETCH(int, charset);
    Usr.MainFontSize = 22;
    QString *const names[] = {&Usr.UsrMainFont, &Usr.UsrIPAFont, &Usr.UsrJpFont};
    *names[area] = wanted;
    Usr.KanaFlg = area == 2;
    const QString text = area == 0 ? u"да\nнет"_qs : u"ロシア"_qs;
    area == 0 ? typeRussian(text) : typeIpa(text);
    const RichFont font{family, points, charset};

    m_controller->TransferExecute();
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data);
    const QString sent = area == 0 ? u"да\r\nнет"_qs : text;
    QCOMPARE(data->data(u"text/rtf"_qs), RtfDocument(sent, font));
    QCOMPARE(data->data(u"application/rtf"_qs), RtfDocument(sent, font));
    QVERIFY(data->html().endsWith(HtmlFragment(sent, font)));
    QCOMPARE(data->text(), sent);
}

void TestTransferController::emptyArea_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("expected");
    QTest::newRow("rich text leaves the clipboard") << 1 << u"before"_qs;
    QTest::newRow("decimal") << 2 << QString();
    QTest::newRow("hexadecimal") << 3 << QString();
    QTest::newRow("unicode") << 4 << QString();
}

// The transfer runs all the same, and so does the paste step.
void TestTransferController::emptyArea()
{
    QFETCH(int, mode);
    Usr.TransIndex = mode;
    holdTarget(7, u"Editor"_qs);
    QGuiApplication::clipboard()->setText(u"before"_qs);
    typeRussian(QString());
    m_controller->TransferExecute();
    QTEST(clipboardText(), "expected");
    QCOMPARE(m_desktop->activations, QList<quintptr>{7});
    QVERIFY(m_controller->pasteTimer()->isActive());
}

void TestTransferController::unknownModePastesNothing()
{
    Usr.TransIndex = 7;
    holdTarget(7, u"Editor"_qs);
    QGuiApplication::clipboard()->setText(u"before"_qs);
    typeRussian(u"да"_qs);
    m_controller->TransferExecute();
    QCOMPARE(clipboardText(), u"before"_qs);
    QVERIFY(m_desktop->activations.isEmpty());
    QVERIFY(!m_controller->pasteTimer()->isActive());
}

void TestTransferController::automaticPasteOff()
{
    m_controller->setAutoPaste(false);
    QVERIFY(!Usr.AutoPasteFlg);
    m_targets->clear();
    m_desktop->focusNew(7, u"Editor"_qs);
    m_controller->SearchTimerTimer();
    backToKalvo();
    Usr.TransIndex = 4;
    typeRussian(u"да"_qs);
    m_controller->TransferExecute();
    QCOMPARE(clipboardText(), u"да"_qs);
    QCOMPARE(m_targets->count(), 0);
    QVERIFY(!Sys.PasteEnableFlg);
    QVERIFY(m_desktop->activations.isEmpty());
    QVERIFY(!m_controller->pasteTimer()->isActive());
}

void TestTransferController::uncheckingForgetsTheTarget()
{
    holdTarget(7, u"Editor"_qs);
    m_controller->setAutoPaste(false);
    QCOMPARE(m_targets->count(), 1);
    QCOMPARE(m_targets->at(0).at(0).toBool(), false);
    QCOMPARE(m_targets->at(0).at(1).toString(), u"Kalvo"_qs);
    QVERIFY(!Sys.PasteEnableFlg);
    QCOMPARE(Sys.ForWin, quintptr(0));
    m_controller->setAutoPaste(true);
    QVERIFY(Usr.AutoPasteFlg);
    QVERIFY(!Sys.PasteEnableFlg);
}

void TestTransferController::pasteDelays_data()
{
    QTest::addColumn<bool>("slow");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("interval");
    QTest::newRow("plain window") << false << u"Text Editor"_qs << 300;
    QTest::newRow("edge") << false << u"New tab - Microsoft Edge"_qs << 900;
    QTest::newRow("edge, other case") << false << u"microsoft edge"_qs << 300;
    QTest::newRow("slow") << true << u"Text Editor"_qs << 1000;
    QTest::newRow("slow edge") << true << u"Microsoft Edge"_qs << 1000;
}

void TestTransferController::pasteDelays()
{
    QFETCH(bool, slow);
    QFETCH(QString, title);
    QFETCH(int, interval);
    Sys.SlowPasteFlg = slow;
    holdTarget(7, title);
    typeRussian(u"да"_qs);
    m_controller->TransferExecute();
    QCOMPARE(m_desktop->activations, QList<quintptr>{7});
    QTimer *timer = m_window->findChild<QTimer *>(u"PasteTimer"_qs);
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QVERIFY(timer->isSingleShot());
    QCOMPARE(timer->interval(), interval);
    QVERIFY(m_desktop->pastes.isEmpty());
    m_controller->PasteTimerTimer();
    QCOMPARE(m_desktop->pastes, (Pastes{{7, PasteKey::CtrlV}}));
    QVERIFY(!timer->isActive());
    QCOMPARE(m_targets->count(), 0);
}

void TestTransferController::clearAfterTransfer_data()
{
    QTest::addColumn<bool>("autoPaste");
    QTest::addColumn<bool>("target");
    QTest::addColumn<bool>("russianActive");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("after the keystroke") << true << true << true << true;
    QTest::newRow("ipa line active") << true << true << false << true;
    QTest::newRow("automatic paste off") << false << true << true << false;
    QTest::newRow("no target") << true << false << true << false;
}

void TestTransferController::clearAfterTransfer()
{
    QFETCH(bool, autoPaste);
    QFETCH(bool, target);
    QFETCH(bool, russianActive);
    QFETCH(bool, cleared);
    Usr.TransClearFlg = true;
    if (target)
        holdTarget(7, u"Editor"_qs);
    m_controller->setAutoPaste(autoPaste);
    typeRussian(u"да"_qs);
    typeIpa(u"ʃ"_qs);
    if (russianActive)
        m_areas->russianArea()->setFocus();
    m_controller->TransferExecute();
    QCOMPARE(m_areas->russianArea()->toPlainText(), u"да"_qs);
    m_controller->PasteTimerTimer();
    QCOMPARE(m_areas->russianArea()->toPlainText().isEmpty(), cleared);
    QCOMPARE(m_areas->ipaLine()->text().isEmpty(), cleared);
    QWidget *active =
        russianActive ? static_cast<QWidget *>(m_areas->russianArea()) : m_areas->ipaLine();
    QCOMPARE(QApplication::focusWidget(), active);
}

void TestTransferController::nothingIsSentOutsideTheTarget_data()
{
    QTest::addColumn<int>("interference");
    QTest::addColumn<int>("keystrokes");
    QTest::addColumn<bool>("noticed");
    QTest::newRow("another window took the input") << int(OtherWindowFocused) << 0 << true;
    QTest::newRow("the tracking recorded it meanwhile") << int(OtherWindowRecorded) << 0 << true;
    QTest::newRow("no window has the input") << int(InputNowhere) << 0 << true;
    QTest::newRow("automatic paste unchecked") << int(AutoPasteUnchecked) << 0 << false;
    QTest::newRow("the input moved during the keystroke")
        << int(FocusMovedDuringKeystroke) << 1 << true;
    QTest::newRow("the keystroke could not be sent") << int(KeystrokeFailed) << 1 << false;
}

// Whatever went wrong in the delay, the text stays in the areas and on the clipboard, and a
// switch to another window is told in the status bar.
void TestTransferController::nothingIsSentOutsideTheTarget()
{
    QFETCH(int, interference);
    QFETCH(int, keystrokes);
    QFETCH(bool, noticed);
    QSignalSpy notices(m_controller, &TransferController::statusNotice);
    Usr.TransClearFlg = true;
    Usr.TransIndex = 4;
    holdTarget(7, u"Editor"_qs);
    typeRussian(u"да"_qs);
    m_controller->TransferExecute();
    QCOMPARE(m_desktop->foreground.id, quintptr(7));
    switch (Interference(interference)) {
    case OtherWindowFocused:
        m_desktop->focusNew(8, u"Mail"_qs);
        break;
    case OtherWindowRecorded:
        m_desktop->focusNew(8, u"Mail"_qs);
        m_controller->SearchTimerTimer();
        QCOMPARE(Sys.ForWin, quintptr(8));
        break;
    case InputNowhere:
        m_desktop->foreground = {};
        break;
    case AutoPasteUnchecked:
        m_controller->setAutoPaste(false);
        QVERIFY(!m_controller->pasteTimer()->isActive());
        break;
    case FocusMovedDuringKeystroke:
        m_desktop->pasteResult = PasteResult::Interrupted;
        break;
    case KeystrokeFailed:
        m_desktop->pasteResult = PasteResult::Failed;
        break;
    }
    m_controller->PasteTimerTimer();
    QCOMPARE(m_desktop->pastes.size(), keystrokes);
    QCOMPARE(m_areas->russianArea()->toPlainText(), u"да"_qs);
    QCOMPARE(clipboardText(), u"да"_qs);
    QCOMPARE(notices.count(), noticed ? 1 : 0);
    if (noticed)
        QVERIFY(notices.at(0).at(0).toString().contains(u"別のウィンドウに切り替わった"_qs));
}

void TestTransferController::targetGetsItsPasteKey_data()
{
    QTest::addColumn<PasteKey>("key");
    QTest::newRow("Ctrl+V") << PasteKey::CtrlV;
    QTest::newRow("Ctrl+Shift+V") << PasteKey::CtrlShiftV;
    QTest::newRow("Shift+Insert") << PasteKey::ShiftInsert;
}

// The paste goes to the window raised at F9, with its key.
void TestTransferController::targetGetsItsPasteKey()
{
    QFETCH(PasteKey, key);
    holdTarget(9, u"user@host: ~"_qs, key);
    typeRussian(u"да"_qs);
    m_controller->TransferExecute();
    m_controller->PasteTimerTimer();
    QCOMPARE(m_desktop->pastes, (Pastes{{9, key}}));
}

void TestTransferController::targetClosedBeforeTransfer()
{
    Usr.TransIndex = 4;
    Usr.TransClearFlg = true;
    holdTarget(7, u"Editor"_qs);
    m_desktop->close(7);
    typeRussian(u"да"_qs);
    m_controller->TransferExecute();
    QCOMPARE(clipboardText(), u"да"_qs);
    QCOMPARE(m_targets->count(), 1);
    QCOMPARE(m_targets->at(0).at(0).toBool(), false);
    QCOMPARE(m_targets->at(0).at(1).toString(), u"Kalvo"_qs);
    QVERIFY(!Sys.PasteEnableFlg);
    QCOMPARE(Sys.ForWin, quintptr(0));
    QVERIFY(!m_controller->pasteTimer()->isActive());
    m_controller->PasteTimerTimer();
    QVERIFY(m_desktop->pastes.isEmpty());
    QCOMPARE(m_areas->russianArea()->toPlainText(), u"да"_qs);
}

void TestTransferController::tracking_data()
{
    const QString a253(253, u'a');
    QTest::addColumn<ForeignWindow>("window");
    QTest::addColumn<bool>("recorded");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("edge");
    QTest::newRow("a window") << ForeignWindow{5, u"Mail"_qs} << true
                              << u"Kalvo  転送先: [ Mail ]"_qs << false;
    QTest::newRow("empty title") << ForeignWindow{5, QString()} << true << u"Kalvo  転送先: [  ]"_qs
                                 << false;
    QTest::newRow("title cut at 254")
        << ForeignWindow{5, QString(300, u'a')} << true
        << u"Kalvo  転送先: [ "_qs + QString(254, u'a') + u" ]"_qs << false;
    QTest::newRow("cut never splits a pair") << ForeignWindow{5, a253 + u"😀b"_qs} << true
                                             << u"Kalvo  転送先: [ "_qs + a253 + u" ]"_qs << false;
    QTest::newRow("edge beyond the cut")
        << ForeignWindow{5, QString(254, u'a') + u"Microsoft Edge"_qs} << true
        << u"Kalvo  転送先: [ "_qs + QString(254, u'a') + u" ]"_qs << false;
    QTest::newRow("edge") << ForeignWindow{5, u"Start - Microsoft Edge"_qs} << true
                          << u"Kalvo  転送先: [ Start - Microsoft Edge ]"_qs << true;
    QTest::newRow("desktop or panel")
        << ForeignWindow{5, u"Desktop"_qs, true} << false << QString() << false;
    QTest::newRow("no window") << ForeignWindow{} << false << QString() << false;
    QTest::newRow("the same target")
        << ForeignWindow{4, u"Renamed"_qs} << false << QString() << false;
}

// Starting from a held target 4: which foreground windows replace it.
void TestTransferController::tracking()
{
    QFETCH(ForeignWindow, window);
    QFETCH(bool, recorded);
    QFETCH(QString, caption);
    QFETCH(bool, edge);
    holdTarget(4, u"Editor"_qs);
    m_desktop->foreground = window;
    m_controller->SearchTimerTimer();
    QCOMPARE(m_targets->count(), recorded ? 1 : 0);
    QCOMPARE(Sys.ForWin, recorded ? window.id : quintptr(4));
    QVERIFY(Sys.PasteEnableFlg);
    if (!recorded)
        return;
    QCOMPARE(m_targets->at(0).at(0).toBool(), true);
    QCOMPARE(m_targets->at(0).at(1).toString(), caption);
    QCOMPARE(Sys.MS_EdgeFlg, edge);
}

void TestTransferController::helpViewerIsPassedOver_data()
{
    QTest::addColumn<bool>("helpOpened");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("recorded");
    QTest::newRow("viewer showing the file name")
        << true << u"RusHelp.pdf — Document Viewer"_qs << false;
    QTest::newRow("viewer showing the document title") << true << u"Kalvo ヘルプ"_qs << false;
    QTest::newRow("another window after the help") << true << u"Spreadsheet"_qs << true;
    QTest::newRow("help not opened from Kalvo") << false << u"RusHelp.pdf"_qs << true;
}

// Starting from a held target 4, after the help was opened (or not): the viewer showing it
// never becomes the target, every other window does.
void TestTransferController::helpViewerIsPassedOver()
{
    QFETCH(bool, helpOpened);
    QFETCH(QString, title);
    QFETCH(bool, recorded);
    holdTarget(4, u"Editor"_qs);
    Sys.HelpOpenFlg = helpOpened;
    m_desktop->focusNew(5, title);
    m_controller->SearchTimerTimer();
    QCOMPARE(m_targets->count(), recorded ? 1 : 0);
    QCOMPARE(Sys.ForWin, recorded ? quintptr(5) : quintptr(4));
}

void TestTransferController::searchTimerFollowsTheApplication()
{
    QTimer *timer = m_window->findChild<QTimer *>(u"SearchTimer"_qs);
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 50);
    QVERIFY(!timer->isActive());
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    QVERIFY(timer->isActive());
    m_desktop->focusNew(5, u"Mail"_qs);
    QTRY_COMPARE(Sys.ForWin, quintptr(5));
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    QVERIFY(!timer->isActive());
    QCOMPARE(Sys.ForWin, quintptr(5));
}

void TestTransferController::unavailableBackendOnlyFillsTheClipboard()
{
    m_desktop->isAvailable = false;
    QSignalSpy notices(m_controller, &TransferController::statusNotice);
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    QVERIFY(!m_controller->searchTimer()->isActive());
    Usr.TransIndex = 4;
    typeRussian(u"да"_qs);
    m_controller->TransferExecute();
    m_controller->TransferExecute();
    QCOMPARE(clipboardText(), u"да"_qs);
    QCOMPARE(notices.count(), 1);
    QVERIFY(notices.at(0).at(0).toString().contains(u"クリップボード"_qs));
    QVERIFY(m_desktop->activations.isEmpty());
    QCOMPARE(m_targets->count(), 0);
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationActive);
}

// Through XWayland: after a Wayland window, F9 fills the clipboard, says why nothing was
// pasted, and raises nothing; the next X window the user works in is the target again.
void TestTransferController::unseenWindowMakesTheTargetUnknown()
{
    QSignalSpy notices(m_controller, &TransferController::statusNotice);
    holdTarget(4, u"Editor"_qs);
    m_desktop->foreground = ForeignWindow{.shell = true, .unseen = true};
    m_controller->SearchTimerTimer();
    QCOMPARE(Sys.ForWin, quintptr(0));
    QCOMPARE(m_targets->count(), 1);
    QCOMPARE(m_targets->at(0).at(0).toBool(), false);
    backToKalvo();
    typeRussian(u"да"_qs);
    m_controller->TransferExecute();
    QCOMPARE(clipboardText(), u"да"_qs);
    QVERIFY(m_desktop->activations.isEmpty());
    QCOMPARE(notices.count(), 1);
    QVERIFY(notices.at(0).at(0).toString().contains(u"Wayland"_qs));
    holdTarget(5, u"Mail"_qs);
    m_controller->TransferExecute();
    QCOMPARE(m_desktop->activations, QList<quintptr>{5});
    QCOMPARE(notices.count(), 1);
}

QTEST_MAIN(TestTransferController)
#include "tst_transfercontroller.moc"
