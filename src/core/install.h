#pragma once

#include <QString>

// Copies every file (not sub-folder) of `fromDir` into `toDir`; an existing file is replaced
// only with `overwrite`. Does nothing unless both folders exist; copy failures are ignored.
void DirCopyFiles2(const QString &fromDir, const QString &toDir, bool overwrite);

// The version marker's name: "Leaf" + the version's digits as a number + ".txt"; one digit
// is multiplied by 100, two by 10, three taken as they are, any other count gives 999.
QString MakeLeafFileName(const QString &version);

// Writes the marker file `name` in `folder`; false when it cannot be written.
bool MakeLeafFile(const QString &folder, const QString &name);

// Deletes every "Leaf*.txt" in `folder` except `name`.
void DeleteOldFile(const QString &folder, const QString &name);

// Copies the shipped tables (refreshed) and the sample word books of class 0 (only where the
// user has no file of the same name) from the installation folder.
void InstallProc();

// Runs InstallProc when this version's marker is missing, then writes the marker and deletes
// older ones. A marker that cannot be written is skipped, so the install runs again next time.
void InstallIfNewVersion();
