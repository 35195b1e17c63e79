#include "commatext.h"

namespace {

bool isBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 0x20;
}

// Reads a quoted item starting at the opening quotation mark at `pos`; leaves `pos` after the
// closing mark, or at the end when there is none. An item without doubled marks, as nearly
// all are, is copied once at its own size.
QString readQuoted(QStringView line, qsizetype &pos)
{
    QString item;
    ++pos;
    while (pos < line.size()) {
        const qsizetype mark = line.indexOf(u'"', pos);
        const QStringView run = line.sliced(pos, (mark < 0 ? line.size() : mark) - pos);
        if (item.isEmpty())
            item = run.toString();
        else
            item += run;
        if (mark < 0) {
            pos = line.size();
            break;
        }
        pos = mark + 1;
        if (pos >= line.size() || line[pos] != u'"')
            break;
        item += u'"';
        ++pos;
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
    items.reserve(8); // a word book entry line has six
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
