#pragma once

#include "keyboardlayouts.h"

#include <QString>
#include <functional>

// The layout switching of the Russian and Japanese fields. Entering a Russian field activates
// the Russian layout of RusImeIndex (LoadGaIme); entering a Japanese, kana, IPA or title field
// activates the Japanese layout (LoadInitIme).

// The identifier of the active layout.
QString GetCurrentKLName();

// Activates the Russian layout of Usr.RusImeIndex unless it is already active; a RusImeIndex
// outside 1 to 3 activates nothing.
void LoadGaIme();

// Activates the Japanese layout.
void LoadInitIme();

// The RusImeIndex of the active layout when it is a Russian one, else 0.
int ActiveRussianLayout();

// Replaces the backend (tests); nullptr restores the program's own engine backend.
void SetKeyboardLayouts(KeyboardLayouts *layouts);

// Called after every change of the active layout, so the focused field can switch its input
// method on or off. Returns an id for RemoveLayoutListener.
int AddLayoutListener(std::function<void()> listener);
void RemoveLayoutListener(int id);
