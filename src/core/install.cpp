#include "install.h"

#include "codecs.h"
#include "ulib.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

void DirCopyFiles2(const QString &fromDir, const QString &toDir, bool overwrite)
{
    const QDir from(fromDir);
    if (!from.exists() || !QFileInfo(toDir).isDir())
        return;
    const auto files = from.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo &source : files) {
        const QString target = toDir + u'/' + source.fileName();
        if (QFileInfo::exists(target)) {
            if (!overwrite)
                continue;
            QFile::remove(target);
        }
        QFile::copy(source.filePath(), target);
    }
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
    QSaveFile file(folder + u'/' + name);
    const QByteArray content("GF-RD1\r\n");
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() &&
           file.commit();
}

void DeleteOldFile(const QString &folder, const QString &name)
{
    QDir dir(folder);
    for (const QString &file : dir.entryList({QStringLiteral("Leaf*.txt")}, QDir::Files)) {
        if (file != name)
            dir.remove(file);
    }
}

void InstallProc()
{
    DirCopyFiles2(Dirs.ProgFolder + QStringLiteral("/Tbl"), Dirs.TblFolder, true);
    const QString className = EUName[0];
    for (const auto *book : {u"/bookA", u"/bookG", u"/bookS"}) {
        const QString folder = u'/' + className + QString::fromUtf16(book);
        DirCopyFiles2(Dirs.ProgFolder + QStringLiteral("/Shelf") + folder, Dirs.UsrFolder + folder,
                      false);
    }
}

void InstallIfNewVersion()
{
    Sys.LeafFile = MakeLeafFileName(KalvoVersion);
    if (QFileInfo(Dirs.SysFolder + u'/' + Sys.LeafFile).isFile())
        return;
    InstallProc();
    if (MakeLeafFile(Dirs.SysFolder, Sys.LeafFile))
        DeleteOldFile(Dirs.SysFolder, Sys.LeafFile);
}
