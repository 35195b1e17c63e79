#include "folders.h"

#include "ulib.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kCompany = QStringLiteral("/Harnwick/Kalvo");
const std::array<QString, 3> kBookFolders{QStringLiteral("/bookA"), QStringLiteral("/bookG"),
                                          QStringLiteral("/bookS")};

void createBookFolders(QStringList &problems)
{
    for (const QString &className : EUName) {
        for (const QString &book : kBookFolders) {
            const QString path = Dirs.UsrFolder + u'/' + className + book;
            if (!ForceDirectories(path))
                problems.append(QDir::toNativeSeparators(path) +
                                QStringLiteral("フォルダが作れませんでした。"));
        }
    }
}

void createFolder(const QString &path, const QString &message, QStringList &problems)
{
    if (!ForceDirectories(path))
        problems.append(message);
}

} // namespace

void SetClassFolders(int classRoom)
{
    if (classRoom < 0 || classRoom >= int(EUName.size()))
        return;
    Dirs.ICatFolder = BookFolderPath(classRoom, 0);
    Dirs.IDicFolder = BookFolderPath(classRoom, 1);
    Dirs.IStdFolder = BookFolderPath(classRoom, 2);
}

QString BookFolderPath(int classRoom, int bookFolder)
{
    if (classRoom < 0 || classRoom >= int(EUName.size()) || bookFolder < 0 ||
        bookFolder >= int(kBookFolders.size()))
        return {};
    return Dirs.UsrFolder + u'/' + EUName[size_t(classRoom)] + kBookFolders[size_t(bookFolder)];
}

bool ForceDirectories(const QString &path)
{
    if (QFileInfo(path).isDir())
        return true;
    return QDir().mkpath(path) && QFileInfo(path).isDir();
}

BaseFolders PlatformBaseFolders(const QString &executableDir)
{
    BaseFolders base;
    base.appData = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    base.documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // The build folder stages the data in <exe dir>/share; an installation has it in
    // <prefix>/share beside <prefix>/bin.
    const QString staged = executableDir + QStringLiteral("/share");
    const bool isStaged = QFileInfo(staged + kCompany).isDir();
    base.programs =
        isStaged ? staged : QDir::cleanPath(executableDir + QStringLiteral("/../share"));
    return base;
}

QString UserConfigFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + kCompany;
}

QStringList SetFolderVars(const BaseFolders &base)
{
    QStringList problems;
    Dirs.SysFolder = base.appData + kCompany + QStringLiteral("/Sys");
    Dirs.TblFolder = base.appData + kCompany + QStringLiteral("/Tbl");
    Dirs.UsrFolder = base.documents + kCompany;
    Dirs.UsrTextFolder = Dirs.UsrFolder + QStringLiteral("/usr");

    createBookFolders(problems);

    SetClassFolders(0);

    Dirs.ProgFolder = base.programs + kCompany;
    Dirs.HelpFolder = Dirs.ProgFolder + QStringLiteral("/help");

    createFolder(Dirs.SysFolder, QStringLiteral("システムフォルダが作れませんでした。"), problems);
    createFolder(Dirs.TblFolder, QStringLiteral("テーブルフォルダが作れませんでした。"), problems);
    createFolder(Dirs.UsrTextFolder, QStringLiteral("ユーザーテキストフォルダが作れませんでした。"),
                 problems);
    return problems;
}
