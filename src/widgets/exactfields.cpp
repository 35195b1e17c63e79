#include "exactfields.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <limits>

QLineEdit *WithoutLengthLimit(QLineEdit *field)
{
    field->setMaxLength(std::numeric_limits<int>::max());
    return field;
}

QString ExactPlainText(const QPlainTextEdit *edit)
{
    QString text = edit->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}
