#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <functional>

// Every file the program writes goes through here. The bytes go into a QSaveFile, which is
// flushed and checked for a write error before it is committed: QSaveFile::commit() alone
// would rename a truncated or empty file over the old one when the disk was full, since the
// buffered data fails only while the file is closed. On failure the old file stays as it was.
// A folder, device or pipe in the file's place, also behind a link, is never replaced.
// Returns the empty string on success, else the reason in Japanese.
QString WriteFileSafely(const QString &path, const QByteArray &bytes);

// Takes the next bytes of the file; false once a write has failed, and the rest is not wanted.
using ByteSink = std::function<bool(QByteArrayView bytes)>;

// The same for a file made piece by piece: `produce` hands its bytes to the sink in order, so
// a large file is never held whole in memory. Nothing is committed when any piece failed.
QString WriteFileSafely(const QString &path, const std::function<void(const ByteSink &)> &produce);

// True for the name QSaveFile gives its temporary copy of a "*<suffix>" file: that name, a dot
// and six random letters. A word (all one case, or capitalised, as in "book.utx.Backup") is
// not taken for the random letters, so a user's own copy keeps its name.
bool IsSaveLeftoverName(QStringView name, QStringView suffix);

// Removes from `folder` the temporary copies that a save killed half-way left behind: regular
// files with such a name, unchanged for a minute (a save in progress is younger).
void RemoveSaveLeftovers(const QString &folder, QStringView suffix);
