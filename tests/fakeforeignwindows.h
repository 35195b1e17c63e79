#pragma once

#include "platform/foreignwindows.h"

#include <QList>
#include <utility>

// A scripted desktop for the transfer: open windows, the one with the input, and a record of
// what the program did. activate() succeeds only for an open window and gives it the input;
// sendPaste() records the target and the key of each paste and answers `pasteResult`.
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
    PasteResult sendPaste(quintptr target, PasteKey key) override
    {
        pastes.append({target, key});
        return pasteResult;
    }

    // Opens a window and gives it the input.
    ForeignWindow focusNew(quintptr id, const QString &title, bool shell = false,
                           PasteKey pasteKey = PasteKey::CtrlV)
    {
        ForeignWindow window{id, title, shell, pasteKey};
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
    PasteResult pasteResult = PasteResult::Sent;
    ForeignWindow foreground;
    QList<ForeignWindow> windows;
    QList<quintptr> activations;
    // The target and the key of every paste sent, in order.
    QList<std::pair<quintptr, PasteKey>> pastes;
};
