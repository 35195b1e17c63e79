#pragma once

#include "platform/foreignwindows.h"

#include <QObject>
#include <QString>

class QTimer;
class QWidget;
class TransferAreas;

// The transfer to other applications: F9 puts the active composition area's text on the
// clipboard in the form of TransIndex and, with automatic paste on, raises the target window
// and sends it the paste keystroke. The target is the last foreign window that had the input
// while Kalvo was in the background, recorded by SearchTimer (50 ms, running exactly while the
// application is inactive). PasteTimer is the one-shot delay between raising the target and
// the keystroke. Where the backend is not available nothing is tracked and F9 only fills the
// clipboard.
class TransferController : public QObject {
    Q_OBJECT

public:
    TransferController(TransferAreas *areas, ForeignWindows &windows, QObject *parent = nullptr);

    // F9: the selection of the active area, else its whole text, to the clipboard; without a
    // selection the whole area is selected afterwards; then the paste step when AutoPasteFlg.
    void TransferExecute();
    // One tracking tick: a new foreground window becomes the target, unless it shows the help
    // Kalvo opened; an unseen one (a Wayland window) makes the target unknown, so it is
    // forgotten.
    void SearchTimerTimer();
    // The paste step: raise the target and start PasteTimer, which pastes into that window; a
    // target that cannot be raised is forgotten, and the status bar says so.
    void AutoPaste();
    // The paste keystroke, sent only while the raised window still has the input (else the
    // status bar says why nothing was pasted); then the areas are emptied when TransClearFlg.
    void PasteTimerTimer();
    // Forgets the target: lamp white, caption "Kalvo".
    void DisableAutoPaste();
    // The automatic paste check box: AutoPasteFlg, and unchecked forgets the target.
    void setAutoPaste(bool checked);

    QTimer *searchTimer() const { return m_searchTimer; }
    QTimer *pasteTimer() const { return m_pasteTimer; }

Q_SIGNALS:
    // For the target lamp (red while held) and the main window's caption.
    void targetChanged(bool held, const QString &caption);
    // A message for the status bar.
    void statusNotice(const QString &text);

private:
    void followApplicationState(Qt::ApplicationState state);
    QWidget *activeArea() const;
    bool activeAreaHasSelection() const;
    QString activeAreaText() const;
    void putOnClipboard(const QString &text);
    void selectWholeArea();
    void announceManualPaste();
    void announceUnseenTarget();
    void forgetUnseenTarget();
    bool showsOurHelp(const ForeignWindow &window) const;
    void holdTarget(const ForeignWindow &window, const QString &title);
    int pasteDelay() const;
    void clearAfterPaste();

    TransferAreas *m_areas;
    ForeignWindows &m_windows;
    QTimer *m_searchTimer;
    QTimer *m_pasteTimer;
    // The key the target pastes with.
    PasteKey m_targetPasteKey = PasteKey::CtrlV;
    // The window raised by the paste step and its key, kept for PasteTimer: the tracking may
    // record another target meanwhile.
    quintptr m_pasteTarget = 0;
    PasteKey m_pasteKey = PasteKey::CtrlV;
    bool m_manualPasteAnnounced = false;
    // The user was last in a window the platform cannot see (Wayland), so no target is held.
    bool m_targetUnseen = false;
};
