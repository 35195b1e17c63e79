#include "practicebooks.h"

#include "reviewkey.h"

#include <QDir>

QString ChooserLine(const ChooserBook &book)
{
    return QStringLiteral(" %1  %2  %3   (%4)")
        .arg(book.title, book.group, QuestionAbbreviation(book.type))
        .arg(book.entries);
}

QString EmptyBookNotice(const ChooserBook &book)
{
    return QStringLiteral("「%1」には単語が登録されていないため、練習できません。").arg(book.title);
}

QList<ChooserBook> ListPracticeBooks(const QString &folder)
{
    QList<ChooserBook> books;
    const QDir dir(folder);
    const QStringList names = dir.entryList({QStringLiteral("*.utx")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        const WordBookFile file = ReadWordBook(dir.filePath(name));
        if (file.status != WordBookFile::Status::Read || !file.parsed.isBook)
            continue;
        const WordBook &book = file.parsed.book;
        QList<qint64> keys;
        keys.reserve(book.entries.size());
        for (const WordEntry &entry : book.entries)
            keys.append(
                ReviewKeyHash(book.title, entry[EntryField::Russian], entry[EntryField::Japanese]));
        books.append(
            {name, book.title, book.group, book.type, int(book.entries.size()), std::move(keys)});
    }
    return books;
}

std::optional<PractisedBook> ReadPractisedBook(const QString &folder, const QString &fileName,
                                               QString &error)
{
    WordBookFile file = ReadWordBook(QDir(folder).filePath(fileName));
    if (file.status != WordBookFile::Status::Read) {
        error = file.status == WordBookFile::Status::Missing
                    ? QStringLiteral("ファイルが見つかりません。")
                    : file.error;
        return std::nullopt;
    }
    if (!file.parsed.isBook) {
        error = QStringLiteral("単語帳の形式ではありません。");
        return std::nullopt;
    }
    WordBook &book = file.parsed.book;
    return PractisedBook{fileName, book.title, book.group, book.type, std::move(book.entries)};
}
