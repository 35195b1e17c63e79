#pragma once

#include <QString>
#include <QStringList>

// The three base folders the tree is built on.
struct BaseFolders {
    QString appData;   // per-user configuration folder, e.g. ~/.config
    QString documents; // per-user documents folder, e.g. ~/Documents
    QString programs;  // parent of the installation data folder Harnwick/Kalvo
};

// The base folders of this platform: XDG config home, the documents folder, and the share
// folder that holds the installation data beside the executable.
BaseFolders PlatformBaseFolders(const QString &executableDir);

// The program's per-user configuration folder, e.g. ~/.config/Harnwick/Kalvo: the parent of
// SysFolder and TblFolder.
QString UserConfigFolder();

// Builds every folder path of Dirs from the base folders and creates the missing folders.
// Returns the message of each folder that could not be created, in creation order, so that a
// start shows them together in one warning.
QStringList SetFolderVars(const BaseFolders &base);

// Points ICatFolder, IDicFolder and IStdFolder at the book folders A, G and S of the class
// (0 to 5); any other class leaves them as they are.
void SetClassFolders(int classRoom);

// The book folder A, G or S (0, 1, 2) of a class (0 to 5); empty for any other class or
// folder.
QString BookFolderPath(int classRoom, int bookFolder);

// Creates `path` with all missing parents; true when it exists afterwards.
bool ForceDirectories(const QString &path);
