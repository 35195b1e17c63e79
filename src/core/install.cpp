#include "install.h"

#include "codecs.h"
#include "readfile.h"
#include "savefile.h"
#include "ulib.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The shipped files are small; each is read whole and written in one step, so a failed copy
// never leaves a truncated file behind.
bool copyFile(const QString &source, const QString &target)
{
    const FileBytes in = ReadFileBounded(source, kWordBookFileLimit);
    return in.isRead() && WriteFileSafely(target, in.bytes).isEmpty();
}

} // namespace

void CopyResult::add(const CopyResult &other)
{
    complete = complete && other.complete;
    failedFiles += other.failedFiles;
}

CopyResult DirCopyFiles2(const QString &fromDir, const QString &toDir, bool overwrite)
{
    const QDir from(fromDir);
    if (!from.exists())
        return {};
    if (!QFileInfo(toDir).isDir())
        return {false, {}};
    CopyResult result;
    const auto files = from.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo &source : files) {
        const QString target = toDir + u'/' + source.fileName();
        if (QFileInfo::exists(target) && !overwrite)
            continue;
        if (!copyFile(source.filePath(), target)) {
            result.complete = false;
            result.failedFiles.append(target);
        }
    }
    return result;
}

QString MakeLeafFileName(const QString &version)
{
    QString digits = version;
    ReplaceStr(digits, QStringLiteral("."), QString());
    int number = digits.toInt();
    switch (digits.size()) {
    case 1:
        number *= 100;
        break;
    case 2:
        number *= 10;
        break;
    case 3:
        break;
    default:
        number = 999;
    }
    return QStringLiteral("Leaf%1.txt").arg(number);
}

bool MakeLeafFile(const QString &folder, const QString &name)
{
    return WriteFileSafely(folder + u'/' + name, QByteArrayLiteral("GF-RD1\r\n")).isEmpty();
}

void DeleteOldFile(const QString &folder, const QString &name)
{
    QDir dir(folder);
    for (const QString &file : dir.entryList({QStringLiteral("Leaf*.txt")}, QDir::Files)) {
        if (file != name)
            dir.remove(file);
    }
}

CopyResult CopySampleBooks(bool overwrite)
{
    CopyResult result;
    const QString className = EUName[0];
    for (const auto *book : {u"/bookA", u"/bookG", u"/bookS"}) {
        const QString folder = u'/' + className + QString::fromUtf16(book);
        result.add(DirCopyFiles2(Dirs.ProgFolder + QStringLiteral("/Shelf") + folder,
                                 Dirs.UsrFolder + folder, overwrite));
    }
    return result;
}

CopyResult InstallProc()
{
    CopyResult result =
        DirCopyFiles2(Dirs.ProgFolder + QStringLiteral("/Tbl"), Dirs.TblFolder, true);
    result.add(CopySampleBooks(false));
    return result;
}

QStringList InstallIfNewVersion()
{
    Sys.LeafFile = MakeLeafFileName(KalvoVersion);
    if (QFileInfo(Dirs.SysFolder + u'/' + Sys.LeafFile).isFile())
        return {};
    const CopyResult installed = InstallProc();
    if (installed.complete && MakeLeafFile(Dirs.SysFolder, Sys.LeafFile))
        DeleteOldFile(Dirs.SysFolder, Sys.LeafFile);
    return installed.failedFiles;
}
