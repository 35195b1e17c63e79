#include "exactfields.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <limits>

QLabel *PlainLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

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
