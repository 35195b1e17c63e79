#pragma once

#include <QString>
#include <QStringList>

// What a copy of shipped files achieved: `complete` unless some file is missing afterwards;
// `failedFiles` names the files that could not be written into an existing folder.
struct CopyResult {
    bool complete = true;
    QStringList failedFiles;

    void add(const CopyResult &other);
};

// Copies every file (not sub-folder) of `fromDir` into `toDir`; an existing file is replaced
// only with `overwrite`. Nothing is copied unless both folders exist; a missing target folder
// leaves the copy incomplete.
CopyResult DirCopyFiles2(const QString &fromDir, const QString &toDir, bool overwrite);

// The version marker's name: "Leaf" + the version's digits as a number + ".txt"; one digit
// is multiplied by 100, two by 10, three taken as they are, any other count gives 999.
QString MakeLeafFileName(const QString &version);

// Writes the marker file `name` in `folder`; false when it cannot be written.
bool MakeLeafFile(const QString &folder, const QString &name);

// Deletes every "Leaf*.txt" in `folder` except `name`.
void DeleteOldFile(const QString &folder, const QString &name);

// Copies the installed sample word books of class 0 into the user's book folders A, G and S;
// an existing file is replaced only with `overwrite`.
CopyResult CopySampleBooks(bool overwrite);

// Copies the shipped tables (refreshed) and the sample word books of class 0 (only where the
// user has no file of the same name) from the installation folder.
CopyResult InstallProc();

// Runs InstallProc when this version's marker is missing. Only a complete install writes the
// marker and deletes the older ones; otherwise the install runs again at the next start.
// Returns the files that could not be written (a missing folder was reported when it could
// not be created).
QStringList InstallIfNewVersion();
