#include "commatext.h"

namespace {

bool isBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 0x20;
}

// Reads a quoted item starting at the opening quotation mark at `pos`; leaves `pos` after the
// closing mark, or at the end when there is none.
QString readQuoted(QStringView line, qsizetype &pos)
{
    QString item;
    ++pos;
    while (pos < line.size()) {
        const QChar c = line[pos++];
        if (c != u'"') {
            item += c;
            continue;
        }
        if (pos < line.size() && line[pos] == u'"') {
            item += u'"';
            ++pos;
            continue;
        }
        break;
    }
    return item;
}

QString readPlain(QStringView line, qsizetype &pos)
{
    const qsizetype start = pos;
    while (pos < line.size() && !isBlank(line[pos]) && line[pos] != u',')
        ++pos;
    return line.mid(start, pos - start).toString();
}

void skipBlanks(QStringView line, qsizetype &pos)
{
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;
}

} // namespace

QStringList SplitCommaText(QStringView line)
{
    QStringList items;
    qsizetype pos = 0;
    skipBlanks(line, pos);
    while (pos < line.size()) {
        items.append(line[pos] == u'"' ? readQuoted(line, pos) : readPlain(line, pos));
        skipBlanks(line, pos);
        if (pos < line.size() && line[pos] == u',') {
            if (pos == line.size() - 1)
                items.append(QString());
            ++pos;
            skipBlanks(line, pos);
        }
    }
    return items;
}
