#include "commatext.h"

namespace {

bool isBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 0x20;
}

// Reads a quoted item starting at the opening quotation mark at `pos`; leaves `pos` after the
// closing mark, or at the end when there is none. The text between quotation marks is taken
// in runs, as word book lines are long and mostly free of doubled marks.
QString readQuoted(QStringView line, qsizetype &pos)
{
    QString item;
    ++pos;
    while (pos < line.size()) {
        const qsizetype mark = line.indexOf(u'"', pos);
        if (mark < 0) {
            item += line.mid(pos);
            pos = line.size();
            break;
        }
        item += line.mid(pos, mark - pos);
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
