#include "layoutengine.h"

#include "keytables.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kMnemonic = 3;

// X11 key codes of the character keys and the key table index of the first of each run: the
// number row from 1 (1 to ^), the Q row, the A row (A to :), 半角/全角, ], the Z row.
struct CodeRun {
    int firstCode;
    int lastCode;
    int firstIndex;
};
constexpr CodeRun kCodeRuns[] = {
    {10, 21, 1}, {24, 35, 13}, {38, 48, 25}, {49, 49, 0}, {51, 51, 36}, {52, 61, 37},
};

constexpr std::array<qint8, 256> kIndexOfCode = [] {
    std::array<qint8, 256> indexOf{};
    indexOf.fill(-1);
    for (const CodeRun &run : kCodeRuns) {
        for (int code = run.firstCode; code <= run.lastCode; ++code)
            indexOf[code] = qint8(run.firstIndex + code - run.firstCode);
    }
    return indexOf;
}();

// The mnemonic layout's dead keys, by key index: j (й), s (с), c (ц), y (ы).
constexpr int kDeadKeys[] = {31, 26, 39, 18};

// Dead key + second key → the mnemonic table key whose caption is typed; the sub-captions of
// the result keys spell the Latin pair ("q,ja", "je", "jo", "ju", "sc", "ch").
struct Sequence {
    int deadKey;
    int secondKey;
    int result;
};
constexpr Sequence kSequences[] = {
    {31, 25, 13}, // j a → я
    {31, 15, 50}, // j e → э
    {31, 21, 47}, // j o → ё
    {31, 19, 51}, // j u → ю
    {26, 39, 48}, // s c → щ
    {39, 30, 49}, // c h → ч
};

bool isDeadKey(int index)
{
    return std::ranges::find(kDeadKeys, index) != std::ranges::end(kDeadKeys);
}

// The key index of the letter a sequence types, or -1 when the two keys form none.
int sequenceResult(int deadKey, int secondKey)
{
    const auto found = std::ranges::find_if(kSequences, [=](const Sequence &sequence) {
        return sequence.deadKey == deadKey && sequence.secondKey == secondKey;
    });
    return found == std::ranges::end(kSequences) ? -1 : found->result;
}

// Keys that only modify or lock others: pressing them must not end a dead key sequence, or
// Shift could never be pressed for the second key.
bool isModifierKey(int qtKey)
{
    static constexpr int kModifierKeys[] = {
        Qt::Key_Shift,    Qt::Key_Control, Qt::Key_Meta,        Qt::Key_Alt,     Qt::Key_AltGr,
        Qt::Key_CapsLock, Qt::Key_NumLock, Qt::Key_ScrollLock,  Qt::Key_Super_L, Qt::Key_Super_R,
        Qt::Key_Hyper_L,  Qt::Key_Hyper_R, Qt::Key_Mode_switch,
    };
    return std::ranges::find(kModifierKeys, qtKey) != std::ranges::end(kModifierKeys);
}

int pageOf(bool upper)
{
    return upper ? 2 : 1;
}

} // namespace

LayoutEngine::Key LayoutEngine::keyOf(quint32 scanCode, int qtKey, Qt::KeyboardModifiers modifiers,
                                      bool capsLock)
{
    return {scanCode, qtKey, modifiers.testFlag(Qt::ShiftModifier), capsLock,
            bool(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))};
}

int LayoutEngine::keyIndex(quint32 scanCode)
{
    return scanCode < kIndexOfCode.size() ? kIndexOfCode[scanCode] : -1;
}

void LayoutEngine::setLayout(int rusImeIndex)
{
    m_layout = LayoutByIndex(rusImeIndex) ? rusImeIndex : 0;
}

QString LayoutEngine::pending() const
{
    return hasPending() ? KeyCaption(kMnemonic, pageOf(m_pendingUpper), m_pendingIndex).toString()
                        : QString();
}

QString LayoutEngine::flush()
{
    QString letter = pending();
    m_pendingIndex = -1;
    return letter;
}

LayoutEngine::Result LayoutEngine::keyPress(const Key &key)
{
    if (isModifierKey(key.qtKey))
        return {};
    Result result;
    if (hasPending()) {
        if (m_layout == kMnemonic && !key.command) {
            const int combined = sequenceResult(m_pendingIndex, keyIndex(key.scanCode));
            if (combined >= 0) {
                m_pendingIndex = -1;
                return {true, KeyCaption(kMnemonic, pageOf(m_pendingUpper), combined).toString()};
            }
            // Space only ends the sequence with the dead key's own letter.
            if (key.qtKey == Qt::Key_Space)
                return {true, flush()};
        }
        result.text = flush();
    }
    typeKey(key, result);
    return result;
}

// The key as the active table types it; a mnemonic dead key only becomes pending.
void LayoutEngine::typeKey(const Key &key, Result &result)
{
    const int index = keyIndex(key.scanCode);
    if (m_layout == 0 || key.command || index < 0)
        return;
    result.consumed = true;
    const bool upper = isUpper(key, index);
    if (m_layout == kMnemonic && isDeadKey(index)) {
        m_pendingIndex = index;
        m_pendingUpper = upper;
        return;
    }
    result.text += KeyCaption(m_layout, pageOf(upper), index);
}

// Shift selects the upper page; Caps Lock inverts Shift for letter keys only.
bool LayoutEngine::isUpper(const Key &key, int index) const
{
    const QStringView lower = KeyCaption(m_layout, 1, index);
    const bool letter = lower.size() == 1 && lower.front().isLetter() &&
                        lower.front().script() == QChar::Script_Cyrillic;
    return key.shift != (key.capsLock && letter);
}
