#include "shelf.h"

#include "core/readfile.h"
#include "core/savefile.h"
#include "core/textlines.h"
#include "questiontype.h"
#include "wordbookfile.h"

#include <QDir>

#include <algorithm>

QStringList ShelfRow::cells() const
{
    return {title, fileName, group, QString::number(count), abbreviation};
}

std::optional<ShelfRow> ShelfRowOf(const QByteArray &bytes, const QString &fileName)
{
    const QString text = DecodeWordBook(bytes);
    QString header[kHeaderLines];
    qsizetype lines = 0;
    ForEachLine(text, [&](QStringView line) {
        if (lines < kHeaderLines)
            header[lines] = line.toString();
        ++lines;
    });
    if (lines < kHeaderLines)
        return std::nullopt;
    return ShelfRow{header[0], fileName, header[1], int(lines - kHeaderLines),
                    QuestionAbbreviation(QuestionTypeOf(header[2]))};
}

QList<ShelfRow> ListBookFolder(const QString &folder, QStringList *skipped)
{
    const QString suffix = QStringLiteral(".utx");
    RemoveSaveLeftovers(folder, suffix);
    QList<ShelfRow> rows;
    const QDir dir(folder);
    // System files too (pipes, device files, broken links), so that each is named.
    const QStringList names =
        dir.entryList({u'*' + suffix}, QDir::Files | QDir::System, QDir::Name);
    for (const QString &name : names) {
        const FileBytes file = ReadFileBounded(dir.filePath(name), kWordBookFileLimit);
        if (!file.isRead()) {
            if (skipped)
                skipped->append(name + u'：' + file.reason);
            continue;
        }
        if (std::optional<ShelfRow> row = ShelfRowOf(file.bytes, name))
            rows.append(std::move(*row));
    }
    return rows;
}

void SortShelfByGroup(QList<QStringList> &rows, int direction)
{
    std::stable_sort(
        rows.begin(), rows.end(), [direction](const QStringList &a, const QStringList &b) {
            const int compare = QStringView(a.value(ShelfGroup)).compare(b.value(ShelfGroup));
            return compare * direction < 0;
        });
}
