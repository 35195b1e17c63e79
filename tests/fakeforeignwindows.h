#pragma once

#include "platform/foreignwindows.h"

#include <QList>

// A scripted desktop for the transfer: open windows, the one with the input, and a record of
// what the program did. activate() succeeds only for an open window and gives it the input;
// sendPaste() records the terminal flag of each paste.
class FakeForeignWindows final : public ForeignWindows {
public:
    bool available() const override { return isAvailable; }
    ForeignWindow foregroundWindow() override { return foreground; }
    bool activate(quintptr id) override
    {
        activations.append(id);
        for (const ForeignWindow &window : windows) {
            if (window.id == id) {
                foreground = window;
                return true;
            }
        }
        return false;
    }
    bool sendPaste(bool terminal) override
    {
        pastes.append(terminal);
        return pasteSucceeds;
    }

    // Opens a window and gives it the input.
    ForeignWindow focusNew(quintptr id, const QString &title, bool shell = false,
                           bool terminal = false)
    {
        ForeignWindow window{id, title, shell, terminal};
        windows.append(window);
        foreground = window;
        return window;
    }
    // Closes a window; the input goes nowhere when it had it.
    void close(quintptr id)
    {
        windows.removeIf([id](const ForeignWindow &window) { return window.id == id; });
        if (foreground.id == id)
            foreground = {};
    }

    bool isAvailable = true;
    bool pasteSucceeds = true;
    ForeignWindow foreground;
    QList<ForeignWindow> windows;
    QList<quintptr> activations;
    // The terminal flag of every paste sent, in order.
    QList<bool> pastes;
};
