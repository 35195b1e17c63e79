#include "transfercontroller.h"

#include "areafonts.h"
#include "clipboardforms.h"
#include "core/ulib.h"
#include "helpdocument.h"
#include "platform/foreignwindows.h"
#include "transferareas.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

namespace {

constexpr int kSearchInterval = 50;
constexpr int kPasteDelay = 300;
constexpr int kEdgePasteDelay = 900;
constexpr int kSlowPasteDelay = 1000;
// A window title is read into a buffer of 255 characters.
constexpr qsizetype kTitleLength = 254;

// The caption when no target is held.
QString plainCaption()
{
    return QStringLiteral("Kalvo");
}

QString targetCaption(const QString &title)
{
    return QStringLiteral("Kalvo  転送先: [ ") + title + QStringLiteral(" ]");
}

// The title cut at 254 code units, never between the two halves of a surrogate pair.
QString cutTitle(const QString &title)
{
    if (title.size() <= kTitleLength)
        return title;
    const bool splitsPair = title.at(kTitleLength - 1).isHighSurrogate();
    return title.left(splitsPair ? kTitleLength - 1 : kTitleLength);
}

} // namespace

TransferController::TransferController(TransferAreas *areas, ForeignWindows &windows,
                                       QObject *parent)
    : QObject(parent)
    , m_areas(areas)
    , m_windows(windows)
    , m_searchTimer(new QTimer(this))
    , m_pasteTimer(new QTimer(this))
{
    m_searchTimer->setObjectName(QStringLiteral("SearchTimer"));
    m_searchTimer->setInterval(kSearchInterval);
    m_pasteTimer->setObjectName(QStringLiteral("PasteTimer"));
    m_pasteTimer->setSingleShot(true);
    connect(m_searchTimer, &QTimer::timeout, this, &TransferController::SearchTimerTimer);
    connect(m_pasteTimer, &QTimer::timeout, this, &TransferController::PasteTimerTimer);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            &TransferController::followApplicationState);
}

// Tracking runs only while another program has the input, so Kalvo's own windows are never
// recorded.
void TransferController::followApplicationState(Qt::ApplicationState state)
{
    if (!m_windows.available())
        return;
    if (state == Qt::ApplicationActive)
        m_searchTimer->stop();
    else if (!m_searchTimer->isActive())
        m_searchTimer->start();
}

void TransferController::TransferExecute()
{
    m_areas->completePendingInput();
    const bool selected = activeAreaHasSelection();
    const QString text = activeAreaText();
    putOnClipboard(text);
    if (!selected && !text.isEmpty())
        selectWholeArea();
    // A mode outside 1 to 4 puts nothing on the clipboard; pasting would send the target
    // whatever the clipboard held before.
    if (!Usr.AutoPasteFlg || Usr.TransIndex < RichTextMode || Usr.TransIndex > UnicodeTextMode)
        return;
    announceManualPaste();
    announceUnseenTarget();
    AutoPaste();
}

QWidget *TransferController::activeArea() const
{
    if (Sys.TransMainFlg)
        return m_areas->russianArea();
    return m_areas->ipaLine();
}

bool TransferController::activeAreaHasSelection() const
{
    if (Sys.TransMainFlg)
        return m_areas->russianArea()->textCursor().hasSelection();
    return m_areas->ipaLine()->hasSelectedText();
}

// The selection, else the whole text. The raw text keeps a no-break space as it is; the
// Russian area's lines become CR LF, as other programs expect them.
QString TransferController::activeAreaText() const
{
    if (!Sys.TransMainFlg) {
        const QLineEdit *line = m_areas->ipaLine();
        return line->hasSelectedText() ? line->selectedText() : line->text();
    }
    const QPlainTextEdit *area = m_areas->russianArea();
    const QTextCursor cursor = area->textCursor();
    return WithCrLf(cursor.hasSelection() ? cursor.selectedText() : area->document()->toRawText());
}

void TransferController::putOnClipboard(const QString &text)
{
    const RichFont font = Sys.TransMainFlg ? RussianRichFont() : IpaRichFont();
    QMimeData *data = TransferMimeData(Usr.TransIndex, text, font);
    if (!data)
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    // Shift+Insert pastes the primary selection: it gets the plain text.
    if (Usr.AutoPasteFlg && Sys.PasteEnableFlg && m_targetPasteKey == PasteKey::ShiftInsert &&
        clipboard->supportsSelection()) {
        auto *selection = new QMimeData;
        selection->setText(data->text());
        clipboard->setMimeData(selection, QClipboard::Selection);
    }
    clipboard->setMimeData(data);
}

void TransferController::selectWholeArea()
{
    activeArea()->setFocus();
    if (Sys.TransMainFlg)
        m_areas->russianArea()->selectAll();
    else
        m_areas->ipaLine()->selectAll();
}

// Where no program may drive other windows the user pastes by hand; said once, at the first
// transfer that would have pasted.
void TransferController::announceManualPaste()
{
    if (m_windows.available() || m_manualPasteAnnounced)
        return;
    m_manualPasteAnnounced = true;
    Q_EMIT statusNotice(QStringLiteral("この環境では自動で貼り付けられません。"
                                       "クリップボードから貼り付けてください。"));
}

// Said at every transfer while it holds: the user may have meant that window.
void TransferController::announceUnseenTarget()
{
    if (!m_targetUnseen || Sys.PasteEnableFlg)
        return;
    Q_EMIT statusNotice(QStringLiteral("Wayland のウィンドウには自動で貼り付けられません。"
                                       "クリップボードから貼り付けてください。"));
}

void TransferController::SearchTimerTimer()
{
    if (!Usr.AutoPasteFlg)
        return;
    const ForeignWindow window = m_windows.foregroundWindow();
    if (window.unseen) {
        forgetUnseenTarget();
        return;
    }
    if (window.id == 0 || window.shell || window.id == Sys.ForWin || showsOurHelp(window))
        return;
    holdTarget(window, cutTitle(window.title));
}

// The viewer of the help the user opened from Kalvo is read beside Kalvo, never written into:
// it is passed over like the desktop, and the target stays the window before it.
bool TransferController::showsOurHelp(const ForeignWindow &window) const
{
    return Sys.HelpOpenFlg && ShowsHelpDocument(window.title);
}

// Keeping the old target would paste into a window the user did not leave.
void TransferController::forgetUnseenTarget()
{
    m_targetUnseen = true;
    if (Sys.PasteEnableFlg)
        DisableAutoPaste();
}

void TransferController::holdTarget(const ForeignWindow &window, const QString &title)
{
    m_targetUnseen = false;
    Sys.ForWin = window.id;
    Sys.PasteEnableFlg = true;
    Sys.MS_EdgeFlg = title.contains(QStringLiteral("Microsoft Edge"));
    m_targetPasteKey = window.pasteKey;
    Q_EMIT targetChanged(true, targetCaption(title));
}

void TransferController::AutoPaste()
{
    if (!Sys.PasteEnableFlg)
        return;
    if (!m_windows.activate(Sys.ForWin)) {
        DisableAutoPaste();
        Q_EMIT statusNotice(
            QStringLiteral("転送先のウィンドウに切り替えられず、貼り付けませんでした。"
                           "クリップボードから貼り付けてください。"));
        return;
    }
    m_pasteTarget = Sys.ForWin;
    m_pasteKey = m_targetPasteKey;
    m_pasteTimer->setInterval(pasteDelay());
    m_pasteTimer->start();
}

int TransferController::pasteDelay() const
{
    if (Sys.SlowPasteFlg)
        return kSlowPasteDelay;
    return Sys.MS_EdgeFlg ? kEdgePasteDelay : kPasteDelay;
}

// The keystroke goes to whatever window has the input, so it is sent only while that is still
// the window raised at F9, checked again by the backend before each key: a paste must never
// land in a window the user did not choose. (Meanwhile the tracking may have recorded the
// window the user switched to; that is the target of the next transfer.) Without a sent
// keystroke the areas keep their text, which is then only on the clipboard.
void TransferController::PasteTimerTimer()
{
    m_pasteTimer->stop();
    if (!Sys.PasteEnableFlg || m_pasteTarget == 0)
        return;
    const PasteResult result = m_windows.foregroundWindow().id == m_pasteTarget
                                   ? m_windows.sendPaste(m_pasteTarget, m_pasteKey)
                                   : PasteResult::Interrupted;
    if (result == PasteResult::Interrupted)
        Q_EMIT statusNotice(QStringLiteral("貼り付ける前に別のウィンドウに切り替わったため、"
                                           "貼り付けませんでした。"
                                           "クリップボードから貼り付けてください。"));
    if (result == PasteResult::Sent && Usr.TransClearFlg)
        clearAfterPaste();
}

// Both areas, though only one was transferred; the active one keeps the focus.
void TransferController::clearAfterPaste()
{
    m_areas->clearAreas();
    activeArea()->setFocus();
}

void TransferController::DisableAutoPaste()
{
    Sys.PasteEnableFlg = false;
    Sys.ForWin = 0;
    m_pasteTarget = 0;
    m_pasteTimer->stop();
    Q_EMIT targetChanged(false, plainCaption());
}

void TransferController::setAutoPaste(bool checked)
{
    Usr.AutoPasteFlg = checked;
    if (!checked)
        DisableAutoPaste();
}
