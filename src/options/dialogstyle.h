#pragma once

#include <QSize>

class QDialog;
class QWidget;

// The window font of the options windows: "Yu Gothic UI" at 15 pixels.
void SetOptionWindowFont(QWidget *window);

// A modal options dialog: fixed size, only a close box, the options window font. Qt centres
// it over its parent, the main window.
void PrepareOptionDialog(QDialog *dialog, QSize size);
