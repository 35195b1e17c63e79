#pragma once

#include <QChar>
#include <QString>

// What an IPA entry field does with one key after the candidate-mode rules have seen it.
struct CandidateKeyResult {
    // The key stops here and does not reach the field.
    bool consumed = false;
    // Text for the host's OutputIPAString; empty when nothing is to be inserted.
    QString insert;
    // The pad's DispArrIPA has to run (after the insertion).
    bool redisplay = false;
};

// The key rules of candidate mode, shared by every IPA entry field. The state it drives is
// process-wide (Sys.CandState, Sys.arrIPA, Sys.SeleIndex): one candidate mode for the whole
// program, so any number of these may exist and they all agree.
class CandidateMode {
public:
    // A key press as the toolkit reports it: `text` is what the key types on the active
    // layout, so "@" is found whichever key produces it. Left and Right are the arrow rules;
    // other keys are reduced to the character they type, and keys that type none (modifiers,
    // function keys, Alt and Ctrl shortcuts, Tab, Delete) pass untouched.
    CandidateKeyResult keyPress(int key, Qt::KeyboardModifiers modifiers,
                                const QString &text) const;

    // One typed character: '\r' is Enter, '\b' Backspace, U+001B Escape.
    CandidateKeyResult typeChar(QChar ch) const;

    // The Left (false) or Right (true) arrow key; never consumed, the caret moves too.
    CandidateKeyResult arrow(bool right) const;

    bool isOn() const;
};
