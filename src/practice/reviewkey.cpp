#include "reviewkey.h"

#include "core/ulib.h"

namespace {

constexpr quint64 kFnvOffset = 14695981039346656037ull;
constexpr quint64 kFnvPrime = 1099511628211ull;

// FNV-1a over the UTF-16 code units, each text ended by a code unit no text holds.
quint64 mix(quint64 hash, QStringView text)
{
    for (const QChar c : text)
        hash = (hash ^ c.unicode()) * kFnvPrime;
    return (hash ^ 0xFFFFu) * kFnvPrime;
}

} // namespace

QString ReviewFolderName(int classRoom, int bookFolder)
{
    static const char *const kBookFolders[] = {"bookA", "bookG", "bookS"};
    if (classRoom < 0 || classRoom >= int(EUName.size()) || bookFolder < 0 || bookFolder > 2)
        return {};
    return EUName[size_t(classRoom)] + u'/' + QLatin1StringView(kBookFolders[bookFolder]);
}

qint64 ReviewKeyHash(QStringView title, QStringView russian, QStringView japanese)
{
    return qint64(mix(mix(mix(kFnvOffset, title), russian), japanese));
}

qint64 ReviewKeyHash(const ReviewKey &key)
{
    return ReviewKeyHash(key.title, key.russian, key.japanese);
}
