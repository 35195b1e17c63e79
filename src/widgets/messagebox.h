#pragma once

#include <QString>

class QWidget;

// Every message box of the program: titled "警告", "情報" or "確認", with "はい(&Y)" alone
// or "はい(&Y)" and "いいえ(&N)", its top-left corner placed by GetMessageDlgPos on the
// owner window (the active window of the program when no owner is given). The text is shown
// as written, never as rich text.
enum class MsgKind { Warning, Information, Confirmation };

// Shows the box modally; true only when "はい(&Y)" was pressed. Enter presses "はい(&Y)", or
// "いいえ(&N)" when `noByDefault`.
bool MessageDlg(MsgKind kind, const QString &text, bool withNo, QWidget *owner = nullptr,
                bool noByDefault = false);

inline void ShowWarning(const QString &text, QWidget *owner = nullptr)
{
    MessageDlg(MsgKind::Warning, text, false, owner);
}

inline void ShowInformation(const QString &text, QWidget *owner = nullptr)
{
    MessageDlg(MsgKind::Information, text, false, owner);
}

// A confirmation with Yes and No; accepted only by Yes.
inline bool Confirm(const QString &text, QWidget *owner = nullptr)
{
    return MessageDlg(MsgKind::Confirmation, text, true, owner);
}

// A confirmation whose default button is No, for a Yes that throws something away.
inline bool ConfirmNoByDefault(const QString &text, QWidget *owner = nullptr)
{
    return MessageDlg(MsgKind::Confirmation, text, true, owner, true);
}
