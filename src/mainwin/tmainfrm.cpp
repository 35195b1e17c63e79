#include "tmainfrm.h"

#include "compositionareas.h"
#include "core/install.h"
#include "core/placement.h"
#include "core/rngfile.h"
#include "core/session.h"
#include "core/settingstable.h"
#include "core/ulib.h"
#include "dialogcentring.h"
#include "entryediting.h"
#include "input/imeswitch.h"
#include "input/truspad.h"
#include "ipa/ipafonts.h"
#include "mainbody.h"
#include "mainmenus.h"
#include "maintoolbar.h"
#include "options/tfsizefrm.h"
#include "options/tkeyboardfrm.h"
#include "options/toptionfrm.h"
#include "options/tversionfrm.h"
#include "platform/platformservices.h"
#include "platform/windowframes.h"
#include "practice/reviewhistory.h"
#include "practice/tplayfrm.h"
#include "practice/tprogressfrm.h"
#include "tcharchart.h"
#include "textdocuments.h"
#include "transfer/transfercontroller.h"
#include "widgets/bringforward.h"
#include "widgets/exactfields.h"
#include "widgets/mainactions.h"
#include "widgets/messagebox.h"
#include "wordbook/bookexchange.h"
#include "wordbook/bookmanagement.h"
#include "wordbook/entrymovedelete.h"
#include "wordbook/reportview.h"
#include "wordbook/wordbookcommands.h"
#include "wordbook/wordbookpage.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWindow>

namespace {

// The smallest whole window, frame included.
constexpr QSize kMinimumSize(770, 570);

QSize screenSize()
{
    return QGuiApplication::primaryScreen()->size();
}

} // namespace

TMainFrm::TMainFrm(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainFrm"));
    setWindowTitle(QStringLiteral("Kalvo"));
    setMinimumSize(kMinimumSize);
    FormCreate();
}

TMainFrm::~TMainFrm() = default;

void TMainFrm::FormCreate()
{
    InitSysVars();
    const QSize screen = screenSize();
    InitUsrVars(IsSmallScreen(screen.width(), screen.height()),
                QToolTip::palette().color(QPalette::ToolTipBase).rgb() & 0xFFFFFF);
    readSettings();
    ApplySmallLayoutRequest();
    installNewVersion();
    DefineCompo();
    SubFunction();
    if (Usr.AlphabetFlg)
        MakeCompo();
}

void TMainFrm::readSettings()
{
    QString reason;
    if (ReadRngFile(RngFilePath(), &reason) != RngReadResult::Unreadable)
        return;
    ShowWarning(QStringLiteral("設定ファイル「%1」を読み込めませんでした。\n（%2）\n"
                               "標準の設定で起動します。")
                    .arg(QDir::toNativeSeparators(RngFilePath()), reason));
}

// The shipped tables and samples at the first start of a version. Files that could not be
// written are named in one warning; the install runs again at the next start.
void TMainFrm::installNewVersion()
{
    QStringList failed = InstallIfNewVersion();
    if (failed.isEmpty())
        return;
    for (QString &path : failed)
        path = QDir::toNativeSeparators(path);
    ShowWarning(QStringLiteral("次のファイルをインストールできませんでした。\n%1\n"
                               "次回の起動時にもう一度インストールします。")
                    .arg(failed.join(u'\n')));
}

// The window's controls, built in code: base font, menus, body and status bar.
void TMainFrm::DefineCompo()
{
    QFont base = JapaneseFont(QStringLiteral("Yu Gothic UI"));
    base.setPixelSize(15);
    setFont(base);
    m_actions = new MainActions(this);
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_toolBar = new MainToolBar(central);
    m_body = new MainBody(m_actions, central);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_body, 1);
    setCentralWidget(central);
    m_transfer = new TransferController(m_body->areas(), PlatformServices::foreignWindows(), this);
    connectActions();
    connectToolBar();
    connectTransfer();
    connectWordBookPage();
    buildMenus();
    buildStatusBar();
    qApp->installEventFilter(this);
    qApp->installEventFilter(new DialogCentring(this));
}

void TMainFrm::connectActions()
{
    connect(m_actions->ImePause, &QAction::triggered, m_body->areas(),
            &CompositionAreas::ImePauseExecute);
    m_toolBar->bindActions(*m_actions);
}

void TMainFrm::connectToolBar()
{
    CompositionAreas *areas = m_body->areas();
    connect(m_toolBar, &MainToolBar::practiceClicked, this, &TMainFrm::startPractice);
    connect(m_toolBar, &MainToolBar::clearClicked, areas, &CompositionAreas::clearAreas);
    connect(m_toolBar, &MainToolBar::kanaToggled, areas, &CompositionAreas::setKanaMode);
    connect(m_toolBar, &MainToolBar::removeAccentsClicked, areas, &CompositionAreas::RemoveAc);
    connect(m_toolBar, &MainToolBar::exitClicked, this, &QWidget::close);
    connect(m_toolBar, &MainToolBar::underStretchToggled, this, &TMainFrm::CheckBox3Click);
    connect(m_toolBar, &MainToolBar::fontChanged, this, &TMainFrm::ComboBox1Change);
    connect(m_toolBar, &MainToolBar::fontBoxCommitted, this, &TMainFrm::focusRussianArea);
    connect(m_toolBar, &MainToolBar::fontSizeChanged, this, &TMainFrm::ComboBox2Change);
    connect(areas, &CompositionAreas::activeAreaChanged, m_toolBar, &MainToolBar::setObjectLabel);
}

void TMainFrm::connectTransfer()
{
    connect(m_actions->Transfer, &QAction::triggered, m_transfer,
            &TransferController::TransferExecute);
    connect(m_toolBar, &MainToolBar::autoPasteToggled, m_transfer,
            &TransferController::setAutoPaste);
    connect(m_transfer, &TransferController::targetChanged, this,
            [this](bool held, const QString &caption) {
                m_toolBar->setLampOn(held);
                setWindowTitle(caption);
            });
    connect(m_transfer, &TransferController::statusNotice, this,
            [this](const QString &text) { SetStatusText(1, text); });
}

void TMainFrm::connectWordBookPage()
{
    connect(m_body->wordBookPage(), &WordBookPage::fontSizeDialogRequested, this,
            &TMainFrm::showFontSizeDialog);
    m_wordBooks = new WordBookCommands(m_body->wordBookPage(), m_actions, this);
    connect(m_wordBooks, &WordBookCommands::statusText, this, &TMainFrm::SetStatusText);
    connect(m_wordBooks, &WordBookCommands::bookClosed, this, &TMainFrm::ShowF3Hint);
    connect(m_wordBooks, &WordBookCommands::entryChosen, m_body->areas(),
            &CompositionAreas::takeEntry);
    connect(m_wordBooks, &WordBookCommands::bookOpenedFromShelf, this, &TMainFrm::focusRussianArea);
    m_editing = new EntryEditing(m_wordBooks, m_body);
    new EntryMoveDelete(m_wordBooks);
    new BookManagement(m_wordBooks);
    new BookExchange(m_wordBooks);
}

// F1 and the practice button: the window's values into the settings, then the practice. The
// font size dialog belongs to the main window, which practice hides.
void TMainFrm::startPractice()
{
    if (auto *fontSizes = findChild<TFSizeFrm *>(QStringLiteral("FSizeFrm")))
        fontSizes->close();
    ValuesSet();
    showPractice();
}

// The practice window, modal while the main window is hidden. Its "加筆する" closes it and
// opens the entry in the modify dialog here; "終了" ends the program once it has closed.
void TMainFrm::showPractice()
{
    TPlayFrm practice(this, reviewHistory());
    connect(&practice, &TPlayFrm::editRequested, this, [this, &practice] {
        practice.close();
        m_editing->CallModFrm3();
    });
    practice.exec();
    if (!TerminateFlg)
        return;
    if (!m_wordBooks->ReleaseCurrentWB()) {
        TerminateFlg = false;
        show();
        return;
    }
    MainClose();
    QCoreApplication::quit();
}

// The review history, opened on first use; a failure is said once and the history stays
// closed for the rest of the run.
ReviewHistory *TMainFrm::reviewHistory()
{
    if (!m_history) {
        m_history = std::make_unique<ReviewHistory>();
        const QString error = m_history->open(ReviewHistory::defaultPath());
        if (!error.isEmpty())
            ShowWarning(error, this);
    }
    return m_history.get();
}

void TMainFrm::showProgress()
{
    ReviewHistory *history = reviewHistory();
    if (!history->isOpen())
        return;
    TProgressFrm progress(*history, Usr.ClassRoom, Usr.CFIndex, this);
    progress.exec();
}

void TMainFrm::exportHistory()
{
    ExportReviewHistory(*reviewHistory(), this);
}

// "文字サイズ調整": one at a time, beside the pad panel with its bottom edge 50 pixels below
// the panel's, on its chart page while the chart is shown. It follows the word book opening.
void TMainFrm::showFontSizeDialog()
{
    if (auto *open = findChild<TFSizeFrm *>(QStringLiteral("FSizeFrm"))) {
        open->raise();
        open->activateWindow();
        return;
    }
    const QWidget *padPanel = m_body->padPanel();
    const QPoint bottomLeft = padPanel->mapToGlobal(QPoint(0, padPanel->height() + 50));
    auto *dialog = new TFSizeFrm(this, m_body->pageControl()->currentIndex() == 1,
                                 bottomLeft - QPoint(0, TFSizeFrm::kSize.height()));
    keepOnScreen(dialog);
    connect(dialog, &TFSizeFrm::wordListChanged, this, &TMainFrm::redrawWordList);
    connect(dialog, &TFSizeFrm::chartChanged, this, [this] {
        if (Usr.AlphabetFlg && m_body->chart())
            m_body->chart()->DrawCharts();
    });
    connect(m_wordBooks, &WordBookCommands::bookOpened, dialog, &TFSizeFrm::hideBookNote);
    dialog->show();
}

// Within the screen's available area.
void TMainFrm::keepOnScreen(QWidget *window)
{
    window->setGeometry(KeptInside(window->geometry(), screen()->availableGeometry()));
}

void TMainFrm::redrawWordList()
{
    if (!Sys.TC_Title.isEmpty())
        m_body->wordBookPage()->wordList()->viewport()->update();
}

// "オプション設定". Its reset and arrangement buttons end the program once it has closed.
void TMainFrm::showOptions()
{
    TOptionFrm dialog(this);
    dialog.setBookRelease([this] { return m_wordBooks->ReleaseCurrentWB(); });
    connect(&dialog, &TOptionFrm::fontsApplied, this, [this] {
        m_body->areas()->applyFonts();
        redrawWordList();
    });
    connect(&dialog, &TOptionFrm::samplesRefreshed, m_wordBooks,
            &WordBookCommands::SearchCatFolder);
    dialog.exec();
    if (dialog.endRequested())
        close();
}

// Another Russian layout: the pad laid out for it, its tab caption, and the Russian area
// active with the new layout.
void TMainFrm::showKeyboardDialog()
{
    TKeyboardFrm dialog(this);
    if (dialog.exec() != QDialog::Accepted || dialog.chosenLayout() == Usr.RusImeIndex)
        return;
    Usr.RusImeIndex = dialog.chosenLayout();
    m_body->rusPad()->AdjustPosSize();
    m_body->DispRusIme();
    // The Russian area becomes the active one and keeps the focus, which would otherwise go
    // back to the IPA line and make it active again.
    m_body->areas()->Memo1Enter();
    focusRussianArea();
}

void TMainFrm::showVersion()
{
    TVersionFrm dialog(this);
    dialog.exec();
}

// A new Russian font: the Russian area, the word list's Russian column and the chart use it.
void TMainFrm::ComboBox1Change()
{
    m_body->areas()->applyFonts();
    Sys.OBNFSize = -1;
    redrawWordList();
    if (Usr.AlphabetFlg && m_body->chart())
        m_body->chart()->DrawCharts();
}

void TMainFrm::ComboBox2Change()
{
    m_body->areas()->applyFonts();
    focusRussianArea();
}

void TMainFrm::focusRussianArea()
{
    m_body->areas()->russianArea()->setFocus();
}

// "下伸び": checked, the word-book page control takes the height the window gains or loses;
// unchecked, the composition part does.
void TMainFrm::CheckBox3Click(bool checked)
{
    Usr.UnderStretchFlg = checked;
    m_body->setUnderStretch(checked);
}

bool TMainFrm::eventFilter(QObject *watched, QEvent *event)
{
    // A key event reaches the focus widget first and then its parents; it is previewed once.
    if (event->type() != QEvent::KeyPress || watched != QApplication::focusWidget() ||
        QApplication::focusWidget()->window() != this)
        return false;
    return FormKeyDown(static_cast<QKeyEvent *>(event)->key());
}

// The function keys that are not action shortcuts; true when the key goes no further.
bool TMainFrm::FormKeyDown(int key)
{
    switch (key) {
    case Qt::Key_F1:
        startPractice();
        break;
    case Qt::Key_F2:
        m_body->areas()->clearAreas();
        break;
    case Qt::Key_F7:
        m_body->areas()->RemoveAc();
        break;
    case Qt::Key_F12:
        close();
        return true;
    case Qt::Key_F10:
        // As in most desktop programs, F10 opens the first menu; the arrow keys go on from it.
        menuBar()->setActiveAction(menuBar()->actions().constFirst());
        return true;
    default:
        break;
    }
    return false;
}

// Selects the class folders and lists the current book folder.
void TMainFrm::SubFunction()
{
    m_wordBooks->SubFunction();
}

void TMainFrm::MakeCompo()
{
    m_body->MakeCompo();
}

// The compact arrangement for small screens; the pad panel's width comes with the placement.
void TMainFrm::AdjustSmallPC()
{
    m_toolBar->AdjustSmallPC();
}

// First display: the saved flags into the controls, each followed by its control's routine.
void TMainFrm::SetInit()
{
    m_toolBar->applySettings();
    CheckBox3Click(Usr.UnderStretchFlg);
    m_body->wordBookPage()->setAutoShelfClosing(Usr.AutoDoorFlg);
    Sys.Check4State = Usr.AutoDoorFlg;
    m_body->wordBookPage()->setListOrder(Usr.EiwaFlg);
    m_body->areas()->setKanaMode(Usr.KanaFlg);
}

// The menu bar; the text documents belong to the Russian area.
void TMainFrm::buildMenus()
{
    m_documents = new TextDocuments(m_body->areas()->russianArea(), this);
    m_menus = new MainMenus(menuBar(), m_actions, m_body->areas(), m_documents, m_body);
    connect(m_menus, &MainMenus::exitRequested, this, &QWidget::close);
    connect(m_menus, &MainMenus::transferModeChanged, m_toolBar, &MainToolBar::setTransferMode);
    connect(m_menus, &MainMenus::fontSizeDialogRequested, this, &TMainFrm::showFontSizeDialog);
    connect(m_menus, &MainMenus::optionsRequested, this, &TMainFrm::showOptions);
    connect(m_menus, &MainMenus::keyboardDialogRequested, this, &TMainFrm::showKeyboardDialog);
    connect(m_menus, &MainMenus::versionRequested, this, &TMainFrm::showVersion);
    connect(m_menus, &MainMenus::progressRequested, this, &TMainFrm::showProgress);
    connect(m_menus, &MainMenus::historyExportRequested, this, &TMainFrm::exportHistory);
}

void TMainFrm::buildStatusBar()
{
    m_statusPanel1 = PlainLabel(QString(), this);
    m_statusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    m_statusPanel1->setFixedWidth(180);
    m_statusPanel2 = PlainLabel(QString(), this);
    m_statusPanel2->setObjectName(QStringLiteral("StatusPanel2"));
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setFixedHeight(22);
    // The status bar keeps the system's small text, so the F3 hint fits its 180-pixel panel.
    QFont small = statusBar()->font();
    small.setPixelSize(12);
    statusBar()->setFont(small);
    statusBar()->addWidget(m_statusPanel1);
    statusBar()->addWidget(m_statusPanel2, 1);
}

void TMainFrm::SetStatusText(int panel, const QString &text)
{
    (panel == 0 ? m_statusPanel1 : m_statusPanel2)->setText(text);
}

void TMainFrm::ShowF3Hint()
{
    SetStatusText(0, QStringLiteral("●F3で英数字入力に切替可(ﾄｸﾞﾙ)"));
}

void TMainFrm::setVisible(bool visible)
{
    const bool first = visible && !m_shown;
    if (first) {
        m_shown = true;
        placeWindow();
    }
    QMainWindow::setVisible(visible);
    if (first)
        FormShow();
}

// The saved place and size are the whole window's, frame included. The inner window is placed
// inside the frame the window manager will draw, so that what is saved at shutdown is what is
// restored; where the frame cannot be asked for before mapping it is taken off once known.
void TMainFrm::placeWindow()
{
    const MainPlacement place = PlaceMainWindow(screenSize());
    m_placed = place.frame;
    const std::optional<QMargins> frame = PlatformServices::windowFrames().frameExtents(winId());
    m_frameKnown = frame.has_value();
    fitInsideFrame(frame.value_or(QMargins()));
    Usr.Panel3Width = place.panel3Width;
    Usr.PCon1Height = place.pageControlHeight;
    m_body->setPanel3Width(Usr.Panel3Width);
}

void TMainFrm::fitInsideFrame(const QMargins &frame)
{
    setMinimumSize(kMinimumSize.shrunkBy(frame));
    setGeometry(m_placed.marginsRemoved(frame));
}

void TMainFrm::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    if (!m_shown || m_frameKnown || !windowHandle())
        return;
    const QMargins frame = windowHandle()->frameMargins();
    if (frame.isNull())
        return;
    m_frameKnown = true;
    fitInsideFrame(frame);
}

void TMainFrm::FormShow()
{
    setWindowTitle(QStringLiteral("Kalvo"));
    if (Usr.SmallPCFlg)
        AdjustSmallPC();
    SetInit();
    // The body has its final size only now that the window is laid out.
    m_body->setPageControlHeight(Usr.PCon1Height);
    m_body->selectFirstPages();
    ShowF3Hint();
}

void TMainFrm::closeEvent(QCloseEvent *event)
{
    if (!m_wordBooks->ReleaseCurrentWB()) {
        event->ignore();
        return;
    }
    MainClose();
    event->accept();
}

void TMainFrm::MainClose()
{
    if (m_closed)
        return;
    m_closed = true;
    ValuesSet();
    if (Sys.RngSaveFlg)
        writeSettings();
    LoadInitIme();
}

// The modal window is the one the user can work in (practice hides this window while it
// runs); this window leaves the minimised state with it. Nothing after the shutdown step.
void TMainFrm::bringForward()
{
    if (m_closed)
        return;
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal) {
        BringForward(this);
        return;
    }
    if (isVisible())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    BringForward(modal);
}

void TMainFrm::ValuesSet()
{
    const QRect frame = frameGeometry();
    Usr.MainLeft = frame.left();
    Usr.MainTop = frame.top();
    Usr.MainWidth = frame.width();
    Usr.MainHeight = frame.height();
    Usr.PCon1Height = m_body->pageControlHeight();
    Usr.Lv1ColumnWidth = m_body->wordBookPage()->columnWidths();
}

void TMainFrm::writeSettings()
{
    QString error;
    if (WriteRngFile(RngFilePath(), &error))
        return;
    ShowWarning(QStringLiteral("設定ファイル「%1」を保存できませんでした。\n（%2）\n"
                               "今回の設定は保存されずに終了します。")
                    .arg(QDir::toNativeSeparators(RngFilePath()), error),
                this);
}
