#include "imeengine.h"

#include "input/accentrules.h"
#include "ipa/ipacatalogue.h"
#include "ipa/uipa.h"

#include "core/ulib.h"

#include <QHash>

#include <algorithm>
#include <cstring>

namespace {

// The X11 keysyms the rules tell apart, as the Qt keys the program's rules read.
struct NamedKey {
    quint32 keysym;
    int qtKey;
};

constexpr NamedKey kNamedKeys[] = {
    {0x0020, Qt::Key_Space},      {0xff0d, Qt::Key_Return},      {0xff8d, Qt::Key_Enter},
    {0xff08, Qt::Key_Backspace},  {0xff1b, Qt::Key_Escape},      {0xff51, Qt::Key_Left},
    {0xff53, Qt::Key_Right},      {0xff09, Qt::Key_Tab},         {0xfe20, Qt::Key_Backtab},
    {0xffff, Qt::Key_Delete},     {0xff9f, Qt::Key_Delete},      {0xffe1, Qt::Key_Shift},
    {0xffe2, Qt::Key_Shift},      {0xffe3, Qt::Key_Control},     {0xffe4, Qt::Key_Control},
    {0xffe5, Qt::Key_CapsLock},   {0xffe7, Qt::Key_Meta},        {0xffe8, Qt::Key_Meta},
    {0xffe9, Qt::Key_Alt},        {0xffea, Qt::Key_Alt},         {0xffeb, Qt::Key_Super_L},
    {0xffec, Qt::Key_Super_R},    {0xffed, Qt::Key_Hyper_L},     {0xffee, Qt::Key_Hyper_R},
    {0xfe03, Qt::Key_AltGr},      {0xff7e, Qt::Key_Mode_switch}, {0xff7f, Qt::Key_NumLock},
    {0xff14, Qt::Key_ScrollLock},
};

int QtKeyOf(quint32 keysym)
{
    const auto found = std::ranges::find(kNamedKeys, keysym, &NamedKey::keysym);
    return found == std::ranges::end(kNamedKeys) ? 0 : found->qtKey;
}

bool IsModifier(int qtKey)
{
    return (qtKey >= Qt::Key_Shift && qtKey <= Qt::Key_ScrollLock) ||
           (qtKey >= Qt::Key_Super_L && qtKey <= Qt::Key_Hyper_R) || qtKey == Qt::Key_AltGr ||
           qtKey == Qt::Key_Mode_switch;
}

QString TextOf(char32_t unicode)
{
    return unicode ? QString::fromUcs4(&unicode, 1) : QString();
}

// A combining mark alone would join the text before it; in the row it sits on a dotted circle.
QString LabelOf(const QString &symbol)
{
    const bool combining =
        symbol.size() == 1 && symbol.front().category() == QChar::Mark_NonSpacing;
    return combining ? u'\u25CC' + symbol : symbol;
}

struct MethodName {
    const char *uniqueName;
    ImeEngine::Method method;
};

// The names the input method files give the methods.
constexpr MethodName kMethods[] = {
    {"kalvo-mnemonic", ImeEngine::Method::Mnemonic},
    {"kalvo-standard", ImeEngine::Method::Standard},
    {"kalvo-typewriter", ImeEngine::Method::Typewriter},
    {"kalvo-ipa", ImeEngine::Method::Ipa},
};

} // namespace

ImeEngine::Method ImeEngine::methodNamed(const char *uniqueName)
{
    const auto found = std::ranges::find_if(kMethods, [&](const MethodName &row) {
        return std::strcmp(row.uniqueName, uniqueName) == 0;
    });
    return found == std::ranges::end(kMethods) ? Method::Mnemonic : found->method;
}

std::vector<const char *> ImeEngine::methodNames()
{
    std::vector<const char *> names;
    for (const MethodName &row : kMethods)
        names.push_back(row.uniqueName);
    return names;
}

ImeEngine::ImeEngine(Method method)
    : m_method(method)
{
    if (method != Method::Ipa)
        m_layout.setLayout(int(method));
}

ImeEngine::Reply ImeEngine::keyEvent(const Key &key)
{
    if (key.release)
        return {};
    return m_method == Method::Ipa ? ipaKey(key) : russianKey(key);
}

ImeEngine::Reply ImeEngine::russianKey(const Key &key)
{
    const int qtKey = QtKeyOf(key.keysym);
    const bool hadPending = m_layout.hasPending();
    const LayoutEngine::Result typed =
        m_layout.keyPress({key.keyCode, qtKey, key.shift, key.capsLock, key.command});
    Reply reply{typed.consumed, withAccents(typed.text), hadPending || m_layout.hasPending()};
    // A key the application handles may move the caret: the text before it is unknown.
    if (!typed.consumed && !IsModifier(qtKey))
        m_before = QChar();
    return reply;
}

// "/" and "\" after a vowel stand for the stress marks; anywhere else they are themselves.
QString ImeEngine::withAccents(const QString &typed)
{
    QString text;
    text.reserve(typed.size());
    for (QChar ch : typed) {
        const QStringView accent = AccentOfKey(ch);
        if (!accent.isEmpty() && IsRussianVowel(m_before))
            text += accent;
        else
            text += ch;
        m_before = text.back();
    }
    return text;
}

ImeEngine::Reply ImeEngine::ipaKey(const Key &key)
{
    const int qtKey = QtKeyOf(key.keysym);
    if (IsModifier(qtKey))
        return {};
    const bool wasOn = m_candidates.isOn();
    Qt::KeyboardModifiers modifiers = key.command ? Qt::ControlModifier : Qt::NoModifier;
    const CandidateKeyResult result = m_candidates.keyPress(qtKey, modifiers, TextOf(key.unicode));
    Reply reply{result.consumed, result.insert, result.redisplay};
    // With the row open, the arrows only move the selection and Escape only closes the row:
    // neither reaches the application behind it.
    const bool rowKey = qtKey == Qt::Key_Left || qtKey == Qt::Key_Right || qtKey == Qt::Key_Escape;
    if (wasOn && rowKey)
        reply.consumed = true;
    return reply;
}

// Preedit committed elsewhere on a focus out or a reset would be typed twice from here. On a
// switch to another method nobody else commits it.
ImeEngine::Reply ImeEngine::end(Ending why, bool preeditCommittedElsewhere)
{
    return finish(!preeditCommittedElsewhere || why == Ending::Switch);
}

ImeEngine::Reply ImeEngine::finish(bool commit)
{
    Reply reply;
    if (m_layout.hasPending()) {
        const QString letter = withAccents(m_layout.flush());
        reply = {false, commit ? letter : QString(), true};
    }
    if (m_candidates.isOn()) {
        const bool wasOn = m_candidates.typeChar(u'\x1b').redisplay;
        reply.refresh = reply.refresh || wasOn;
    }
    m_before = QChar();
    return reply;
}

ImeEngine::Reply ImeEngine::pickCandidate(int index)
{
    if (!m_candidates.isOn() || index < 0 || index >= GetCandMax())
        return {};
    // "1" to "9" pick slots 1 to 9, "0" slot 10.
    const CandidateKeyResult result = m_candidates.typeChar(QChar(u'0' + (index + 1) % 10));
    return {true, result.insert, true};
}

QString ImeEngine::preedit() const
{
    if (m_candidates.isOn()) {
        const int index = Sys.SeleIndex;
        return index >= 0 && index < IpaSlotCount ? Sys.arrIPA[index] : QString();
    }
    return m_layout.pending();
}

namespace {

// Every symbol's label and explanation, made once: the row is shown again on every key.
const ImeEngine::Candidate &CandidateOf(const QString &symbol)
{
    static QHash<QString, ImeEngine::Candidate> known;
    auto found = known.find(symbol);
    if (found == known.end())
        found = known.insert(symbol, {LabelOf(symbol), symbol, IpaExplanation(symbol.front())});
    return *found;
}

} // namespace

std::vector<ImeEngine::Candidate> ImeEngine::candidates() const
{
    std::vector<Candidate> row;
    if (!m_candidates.isOn())
        return row;
    for (const QString &symbol : Sys.arrIPA) {
        if (!symbol.isEmpty())
            row.push_back(CandidateOf(symbol));
    }
    return row;
}

QString ImeEngine::candidateSymbols() const
{
    QString symbols;
    if (m_candidates.isOn()) {
        for (const QString &symbol : Sys.arrIPA)
            symbols += symbol;
    }
    return symbols;
}

int ImeEngine::selectedCandidate() const
{
    return m_candidates.isOn() ? Sys.SeleIndex : -1;
}
