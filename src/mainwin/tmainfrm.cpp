#include "tmainfrm.h"

#include "compositionareas.h"
#include "core/install.h"
#include "core/messagebox.h"
#include "core/placement.h"
#include "core/rngfile.h"
#include "core/session.h"
#include "core/settingstable.h"
#include "core/ulib.h"
#include "input/imeswitch.h"
#include "ipa/ipafonts.h"
#include "mainactions.h"
#include "mainbody.h"
#include "mainmenus.h"
#include "textdocuments.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolTip>

namespace {

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
    setMinimumSize(770, 570);
    FormCreate();
}

void TMainFrm::FormCreate()
{
    InitSysVars();
    const QSize screen = screenSize();
    InitUsrVars(IsSmallScreen(screen.width(), screen.height()),
                QToolTip::palette().color(QPalette::ToolTipBase).rgb() & 0xFFFFFF);
    readSettings();
    ApplySmallLayoutRequest();
    InstallIfNewVersion();
    DefineCompo();
    SubFunction();
    if (Usr.AlphabetFlg)
        MakeCompo();
}

void TMainFrm::readSettings()
{
    if (ReadRngFile(RngFilePath()) != RngReadResult::Unreadable)
        return;
    ShowWarning(QStringLiteral("設定ファイル「%1」を読み込めませんでした。\n"
                               "標準の設定で起動します。")
                    .arg(QDir::toNativeSeparators(RngFilePath())));
}

// The window's controls, built in code: base font, menus, body and status bar.
void TMainFrm::DefineCompo()
{
    QFont base(JapaneseFontFamily(QStringLiteral("Yu Gothic UI")));
    base.setPixelSize(15);
    setFont(base);
    m_body = new MainBody(this);
    setCentralWidget(m_body);
    buildActions();
    buildMenus();
    buildStatusBar();
    qApp->installEventFilter(this);
}

void TMainFrm::buildActions()
{
    m_actions = new MainActions(this);
    connect(m_actions->ImePause, &QAction::triggered, m_body->areas(),
            &CompositionAreas::ImePauseExecute);
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
    case Qt::Key_F2:
        m_body->areas()->clearAreas();
        break;
    case Qt::Key_F7:
        m_body->areas()->RemoveAc();
        break;
    case Qt::Key_F12:
        close();
        return true;
    default:
        break;
    }
    return false;
}

// Selects the class folders and lists the current book folder; filled in with the word books.
void TMainFrm::SubFunction() {}

void TMainFrm::MakeCompo()
{
    m_body->MakeCompo();
}

// The compact arrangement for small screens; filled in with the arrangement.
void TMainFrm::AdjustSmallPC() {}

// Applies the saved flags to the controls; filled in as the controls arrive.
void TMainFrm::SetInit() {}

// The menu bar; the text documents belong to the Russian area.
void TMainFrm::buildMenus()
{
    m_documents = new TextDocuments(m_body->areas()->russianArea(), this);
    m_menus = new MainMenus(menuBar(), m_actions, m_body->areas(), m_documents, m_body);
    connect(m_menus, &MainMenus::exitRequested, this, &QWidget::close);
}

void TMainFrm::buildStatusBar()
{
    m_statusPanel1 = new QLabel(this);
    m_statusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    m_statusPanel1->setFixedWidth(180);
    m_statusPanel2 = new QLabel(this);
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

void TMainFrm::placeWindow()
{
    const MainPlacement place = PlaceMainWindow(screenSize());
    move(place.frame.topLeft());
    resize(place.frame.size());
    Usr.Panel3Width = place.panel3Width;
    Usr.PCon1Height = place.pageControlHeight;
    m_body->setPanel3Width(Usr.Panel3Width);
    m_body->setPageControlHeight(Usr.PCon1Height);
}

void TMainFrm::FormShow()
{
    setWindowTitle(QStringLiteral("Kalvo"));
    if (Usr.SmallPCFlg)
        AdjustSmallPC();
    SetInit();
    m_body->selectFirstPages();
    ShowF3Hint();
}

void TMainFrm::closeEvent(QCloseEvent *event)
{
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

void TMainFrm::ValuesSet()
{
    const QRect frame = frameGeometry();
    Usr.MainLeft = frame.left();
    Usr.MainTop = frame.top();
    Usr.MainWidth = width();
    Usr.MainHeight = height();
    Usr.PCon1Height = m_body->pageControlHeight();
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
