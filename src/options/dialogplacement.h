#pragma once

#include <QSize>

class QDialog;
class QWidget;

// The options dialogs: fixed size, only a close box, the window font "Yu Gothic UI" at 15
// pixels.
void PrepareOptionDialog(QDialog *dialog, QSize size);

// Centres the dialog over the window's frame.
void CentreOnWindow(QDialog *dialog, const QWidget *window);
