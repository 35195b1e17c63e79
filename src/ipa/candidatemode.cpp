#include "candidatemode.h"

#include "core/ulib.h"
#include "uipa.h"

#include <optional>

namespace {

constexpr QChar Enter = u'\r';
constexpr QChar Space = u' ';
constexpr QChar Cancel = u'-';

// The character a key press types, as the field would receive it; none for keys that only
// act (arrows, Tab, Delete) and for shortcuts. A Ctrl shortcut types a control character,
// which counts as "any other character" and so ends candidate mode.
std::optional<QChar> TypedChar(int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    if (modifiers & (Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    const bool ctrl = modifiers & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return std::nullopt;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return ctrl ? QChar(u'\n') : Enter;
    case Qt::Key_Backspace:
        return QChar(u'\b');
    case Qt::Key_Escape:
        return QChar(u'\x1b');
    default:
        break;
    }
    if (text.isEmpty())
        return std::nullopt;
    const QChar ch = text.front();
    if (ctrl && ch.unicode() >= 0x20)
        return std::nullopt;
    return ch;
}

// Ends candidate mode: the row is cleared and the pad shows it.
CandidateKeyResult Leave(bool consumed, const QString &insert = {})
{
    InitArrIPA();
    Sys.CandState = false;
    return {consumed, insert, true};
}

// Moves the selection one slot, wrapping inside the filled slots. An empty row keeps no
// slot selected.
void Step(int delta)
{
    const int count = GetCandMax();
    if (count == 0) {
        Sys.SeleIndex = -1;
        return;
    }
    const int next = Sys.SeleIndex + delta;
    Sys.SeleIndex = next >= count ? 0 : next < 0 ? count - 1 : next;
}

QString SelectedSymbol()
{
    const int index = Sys.SeleIndex;
    return index >= 0 && index < IpaSlotCount ? Sys.arrIPA[index] : QString();
}

} // namespace

bool CandidateMode::isOn() const
{
    return Sys.CandState;
}

CandidateKeyResult CandidateMode::keyPress(int key, Qt::KeyboardModifiers modifiers,
                                           const QString &text) const
{
    if (key == Qt::Key_Left || key == Qt::Key_Right)
        return arrow(key == Qt::Key_Right);
    const std::optional<QChar> ch = TypedChar(key, modifiers, text);
    return ch ? typeChar(*ch) : CandidateKeyResult{};
}

CandidateKeyResult CandidateMode::typeChar(QChar ch) const
{
    if (!Sys.CandState) {
        if (!IsTrigger(ch))
            return {};
        SetArrIPA(QStringView(&ch, 1));
        Sys.CandState = true;
        return {true, {}, true};
    }
    if (ch == Space) {
        Step(+1);
        return {true, {}, true};
    }
    if (ch == Enter)
        return Leave(true, SelectedSymbol());
    if (ch >= u'0' && ch <= u'9') {
        // "1" picks slot 1 (index 0) and "0" slot 10 (index 9).
        Sys.SeleIndex = (ch.unicode() - u'0' + 9) % 10;
        return Leave(true, SelectedSymbol());
    }
    return Leave(ch == Cancel);
}

CandidateKeyResult CandidateMode::arrow(bool right) const
{
    if (!Sys.CandState)
        return {};
    Step(right ? +1 : -1);
    return {false, {}, true};
}
