#pragma once

#include <QByteArray>
#include <QString>

// Every file the program reads goes through here. Only a regular file, after following links,
// of at most `limit` bytes is read: a link to /dev/zero or a pipe would be read without end,
// and a file far larger than any the program writes would take the machine's memory.
struct FileBytes {
    enum class Status { Read, Missing, NotRegular, TooLarge, Unreadable };
    Status status = Status::Missing;
    QByteArray bytes;
    // Why the file was not read, in Japanese; empty when it was.
    QString reason;

    bool isRead() const { return status == Status::Read; }
};
FileBytes ReadFileBounded(const QString &path, qint64 limit);

// The bounds: the settings file has 48 short lines; a word book of a quarter of a million
// entries stays well below its bound, and a text document holds what is typed into one area.
inline constexpr qint64 kSettingsFileLimit = qint64(1) << 20;
inline constexpr qint64 kWordBookFileLimit = qint64(256) << 20;
inline constexpr qint64 kDocumentFileLimit = qint64(16) << 20;

// "256 MB": a file size as the messages give it.
QString FileSizeText(qint64 bytes);
