// The shelf listing of a folder of any files: it ends, lists every book of the folder as the
// reader sees it and nothing else, names each "*.utx" file it cannot read, and removes no file
// but the leftover copy of a killed save.
#include "core/readfile.h"
#include "core/savefile.h"
#include "core/textlines.h"
#include "fuzzinput.h"
#include "wordbook/shelf.h"
#include "wordbook/wordbookfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

enum Kind { Bytes, Book, OldBook, DeviceLink, Pipe, Folder, KindCount };

struct Planned {
    QString name;
    Kind kind;
};

// Names from pieces, so that books, backups and save leftovers come up often.
QString nameOf(FuzzInput &in)
{
    static const char16_t *const pieces[] = {u".utx",   u".bak", u"a",      u"B",
                                             u"eEwChu", u".",    u"backup", u"x",
                                             u"本",     u" ",    u"z",      u".utx.eEwChu"};
    const int count = 1 + in.byte() % 4;
    QString name;
    for (int i = 0; i < count; ++i)
        name += QString::fromUtf16(pieces[in.byte() % std::size(pieces)]);
    return name;
}

QByteArray bytesOf(FuzzInput &in)
{
    QByteArray bytes;
    for (int i = in.byte(); i > 0; --i)
        bytes += char(in.byte());
    return bytes;
}

void make(const QString &path, Kind kind, const QByteArray &bytes)
{
    switch (kind) {
    case Bytes:
        Require(WriteFileSafely(path, bytes).isEmpty(), "a file is written");
        break;
    case Book:
    case OldBook:
        Require(
            WriteFileSafely(path, EncodeUtf16LeBom(u"題\r\n組\r\n単語理解\r\n") + bytes).isEmpty(),
            "a book is written");
        if (kind == OldBook) {
            QFile file(path);
            file.open(QIODevice::ReadWrite);
            file.setFileTime(QDateTime::currentDateTime().addSecs(-120),
                             QFileDevice::FileModificationTime);
        }
        break;
    case DeviceLink:
        QFile::link(QStringLiteral("/dev/zero"), path);
        break;
    case Pipe:
        mkfifo(QFile::encodeName(path).constData(), 0600);
        break;
    case Folder:
    case KindCount:
        QDir().mkdir(path);
        break;
    }
}

// Only an old regular file named as a save's copy of a book may go, and every such one goes.
void checkRemovals(const QDir &dir, const QList<Planned> &planned)
{
    static const QRegularExpression copyName(QStringLiteral("\\.utx\\.[A-Za-z]{6}$"));
    for (const Planned &file : planned) {
        const bool gone = !QFileInfo::exists(dir.filePath(file.name)) &&
                          !QFileInfo(dir.filePath(file.name)).isSymLink();
        const bool leftover = file.kind == OldBook && IsSaveLeftoverName(file.name, u".utx");
        Require(gone == leftover, "exactly the old copies of killed saves are removed");
        Require(!gone || copyName.match(file.name).hasMatch(),
                "a removed file is named as a save's copy of a book");
    }
}

// Every "*.utx" entry left is listed as the reader sees it, named as skipped, or no book.
void checkListing(const QDir &dir, const QList<ShelfRow> &rows, const QStringList &skipped)
{
    qsizetype row = 0;
    qsizetype skip = 0;
    const QStringList names =
        dir.entryList({QStringLiteral("*.utx")}, QDir::Files | QDir::System, QDir::Name);
    for (const QString &name : names) {
        const FileBytes file = ReadFileBounded(dir.filePath(name), kWordBookFileLimit);
        if (!file.isRead()) {
            Require(skip < skipped.size() && skipped[skip++].startsWith(name + u'：'),
                    "an unreadable file is named, in order");
            continue;
        }
        const std::optional<ShelfRow> expected = ShelfRowOf(file.bytes, name);
        if (!expected)
            continue;
        Require(row < rows.size() && rows[row].cells() == expected->cells(),
                "a book is listed as the reader sees it, in order");
        ++row;
    }
    Require(row == rows.size() && skip == skipped.size(), "nothing else is listed or named");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    QTemporaryDir folder;
    const QDir dir(folder.path());
    QList<Planned> planned;
    for (int files = 1 + in.byte() % 8; files > 0; --files) {
        const QString name = nameOf(in);
        const Kind kind = Kind(in.byte() % KindCount);
        const QByteArray bytes = bytesOf(in);
        if (name == u"." || name == u".." || QFileInfo(dir.filePath(name)).exists() ||
            QFileInfo(dir.filePath(name)).isSymLink())
            continue;
        make(dir.filePath(name), kind, bytes);
        planned.append({name, kind});
    }
    QStringList skipped;
    const QList<ShelfRow> rows = ListBookFolder(dir.path(), &skipped);
    checkRemovals(dir, planned);
    checkListing(dir, rows, skipped);
    return 0;
}
