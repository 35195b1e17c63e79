#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the main window opens at its first display, from the saved settings and the screen.
struct MainPlacement {
    QRect frame;           // the window's place and size
    int panel3Width;       // width of the pad panel
    int pageControlHeight; // height of the word-book page control
};

// Decides the first place of the main window and clears the one-shot small-layout request.
MainPlacement PlaceMainWindow(QSize screen);

// The top-left corner of a message box: centred on the owner window as for a box of
// 378 x 234, the halves truncated toward zero.
QPoint GetMessageDlgPos(const QRect &owner);

// `window` moved into `area`; a window larger than the area keeps its top-left corner in it.
QRect KeptInside(const QRect &window, const QRect &area);
