#pragma once

class QWidget;

// Brings a top-level window forward because the user asked for it (a second start): out of
// the minimised state, shown, raised and given the input. Where the window manager keeps the
// input elsewhere, the window asks for the user's attention instead.
void BringForward(QWidget *window);
