#pragma once

#include <QString>
#include <QtCore/qnamespace.h>

// Types a Russian layout in a Russian field: maps one key press, by its physical key, to the
// text the layout's key table gives, including the dead keys of the mnemonic layout. Off
// (layout 0) it lets every key pass.
class LayoutEngine {
public:
    struct Key {
        quint32 scanCode = 0;  // QKeyEvent::nativeScanCode() on X11: the evdev code + 8
        int qtKey = 0;         // Qt::Key, for Space and the modifier keys
        bool shift = false;    // Shift held
        bool capsLock = false; // Caps Lock on
        bool command = false;  // Ctrl, Alt or Meta held: a shortcut, never typed
    };

    struct Result {
        // True when the field must not see the original key.
        bool consumed = false;
        // Typed text for the field; when the key is not consumed, it is inserted before the
        // field handles the key itself.
        QString text;
    };

    // A Key from the parts of a key event.
    static Key keyOf(quint32 scanCode, int qtKey, Qt::KeyboardModifiers modifiers, bool capsLock);

    // The key table index of an X11 key code, or -1 for a key without one.
    static int keyIndex(quint32 scanCode);

    // RusImeIndex 1 to 3 switches the engine to that layout; any other value switches it off.
    // A pending dead key letter stays pending and comes out with the next key or flush().
    void setLayout(int rusImeIndex);
    // The active RusImeIndex, 0 when off.
    int layout() const { return m_layout; }

    Result keyPress(const Key &key);

    // A mnemonic dead key waits for its second key.
    bool hasPending() const { return m_pendingIndex >= 0; }
    // The pending dead key's own letter, empty when none.
    QString pending() const;
    // The same, and nothing is pending afterwards.
    QString flush();

private:
    void typeKey(const Key &key, Result &result);
    bool isUpper(const Key &key, int index) const;

    int m_layout = 0;
    int m_pendingIndex = -1;
    bool m_pendingUpper = false;
};
