#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

// Text fields and labels that keep exactly what they are given.

// A label that shows its text as written, never as rich text: a title or file name such as
// "<img src=…>" shows its characters instead of loading anything.
QLabel *PlainLabel(const QString &text, QWidget *parent);

// Lifts the line edit's length limit (Qt cuts at 32,767 characters by default, silently),
// so a long entry survives a round trip through a dialog. Returns the field.
QLineEdit *WithoutLengthLimit(QLineEdit *field);

// The text of a multi-line field with one LF between lines. Unlike toPlainText(), a no-break
// space stays a no-break space; U+2029 between blocks and U+2028 within one (Shift+Enter)
// become LF.
QString ExactPlainText(const QPlainTextEdit *edit);
