#pragma once

class QComboBox;
class QLabel;
class QString;
class QWidget;

// Names that screen readers say for controls.

// Names the box and, when it is editable, its line edit: while the box has the focus, a screen
// reader speaks the line edit, and on Linux Qt gives a combo box its current text as its name,
// with the name of its purpose coming from a label relation (a buddy label or group title).
void NameBox(QComboBox *box, const QString &name);

// Names `control` by the caption beside it, which becomes its buddy (the label relation).
void NameByLabel(QWidget *control, QLabel *label);
