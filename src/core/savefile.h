#pragma once

#include <QByteArray>
#include <QString>

// Every file the program writes goes through here. The bytes go into a QSaveFile, which is
// flushed and checked for a write error before it is committed: QSaveFile::commit() alone
// would rename a truncated or empty file over the old one when the disk was full, since the
// buffered data fails only while the file is closed. On failure the old file stays as it was.
// Returns the empty string on success, else the system's reason.
QString WriteFileSafely(const QString &path, const QByteArray &bytes);
