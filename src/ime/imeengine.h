#pragma once

#include "input/layoutengine.h"
#include "ipa/candidatemode.h"

#include <QString>
#include <vector>

// The typing of one input method's input context, whatever framework carries it: a key in,
// what to commit, what preedit to show and which candidates to offer out. It runs the program's
// own layout engine, accent keys and IPA candidate rules. Keys arrive as X11 key codes and
// keysyms, which fcitx5 and IBus both use.
class ImeEngine {
public:
    // The four input methods: the three Russian layouts by their RusImeIndex, and IPA.
    enum class Method { Standard = 1, Typewriter = 2, Mnemonic = 3, Ipa = 4 };

    struct Key {
        quint32 keyCode = 0;  // X11 key code: the evdev code + 8, the physical key
        quint32 keysym = 0;   // X11 keysym on the desktop's layout
        char32_t unicode = 0; // the character the keysym types, 0 for none
        bool shift = false;
        bool capsLock = false;
        bool command = false; // Ctrl, Alt, Super or Hyper held
        bool release = false;
    };

    struct Reply {
        // The application must not see the key.
        bool consumed = false;
        // Committed before the key goes on, when it does.
        QString commit;
        // The preedit or the candidate row changed and must be shown again.
        bool refresh = false;
    };

    struct Candidate {
        QString label;   // the symbol as shown: a combining mark on a dotted circle
        QString symbol;  // what is committed
        QString comment; // 【Japanese name】description
    };

    // The methods by the unique names the frameworks know them by ("kalvo-mnemonic",
    // "kalvo-standard", "kalvo-typewriter", "kalvo-ipa"); the mnemonic one for any other.
    static Method methodNamed(const char *uniqueName);
    static std::vector<const char *> methodNames();

    explicit ImeEngine(Method method);

    Method method() const { return m_method; }

    // Why what is pending ends.
    enum class Ending {
        FocusOut, // the field lost the keyboard
        Reset,    // a click, a moved caret, the application's own reset
        Switch,   // another input method takes over
    };

    Reply keyEvent(const Key &key);
    // Ends what is pending: a dead key's letter or an open candidate row.
    // `preeditCommittedElsewhere` when the framework or the application commits the preedit
    // it shows on a focus out or a reset (fcitx5 with preedit in the application; IBus).
    Reply end(Ending why, bool preeditCommittedElsewhere);
    // A click on candidate `index` of the row.
    Reply pickCandidate(int index);

    // The text to show under the caret, underlined; empty for none.
    QString preedit() const;
    // The open candidate row, empty when none, and the selected one (-1 for none).
    std::vector<Candidate> candidates() const;
    int selectedCandidate() const;
    // The symbols of the open row, one after another: a shell compares them to tell a new row
    // from a moved selection.
    QString candidateSymbols() const;

private:
    Reply russianKey(const Key &key);
    Reply ipaKey(const Key &key);
    QString withAccents(const QString &typed);
    Reply finish(bool commit);

    Method m_method;
    LayoutEngine m_layout;
    CandidateMode m_candidates;
    // The last character this engine typed, as far as it knows the text before the caret.
    QChar m_before;
};
