#include "readfile.h"

#include "filefailures.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cerrno>

namespace {

FileBytes failed(FileBytes::Status status, const QString &reason)
{
    return {status, {}, reason};
}

FileBytes tooLarge(qint64 size, qint64 limit)
{
    return failed(FileBytes::Status::TooLarge,
                  QStringLiteral("ファイルが大きすぎます。大きさは %1 で、読み込めるのは %2 "
                                 "までです。")
                      .arg(FileSizeText(size), FileSizeText(limit)));
}

FileBytes notRegular(const QFileInfo &info)
{
    if (!info.exists())
        return failed(FileBytes::Status::Missing, QStringLiteral("ファイルが見つかりません。"));
    if (info.isDir())
        return failed(FileBytes::Status::NotRegular,
                      QStringLiteral("ファイルではなくフォルダです。"));
    return failed(FileBytes::Status::NotRegular,
                  QStringLiteral("デバイスやパイプなど、通常のファイルではありません。"));
}

FileBytes unreadable(const QFile &file)
{
    return failed(FileBytes::Status::Unreadable, FileFailureText(errno, file.error()));
}

} // namespace

QString FileSizeText(qint64 bytes)
{
    return QLocale::c().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

// The size is checked again while reading, since a file may grow, or report no size at all
// (as the files of /proc do).
FileBytes ReadFileBounded(const QString &path, qint64 limit)
{
    // One status query answers for a regular file; the others are told apart only on failure.
    const QFileInfo info(path);
    if (!info.isFile())
        return notRegular(info);
    if (info.size() > limit)
        return tooLarge(info.size(), limit);
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return unreadable(file);
    constexpr qint64 kChunk = 1 << 16;
    QByteArray bytes;
    bytes.reserve(info.size() + kChunk);
    while (bytes.size() <= limit) {
        const qsizetype start = bytes.size();
        bytes.resize(start + kChunk);
        errno = 0;
        const qint64 count = file.read(bytes.data() + start, kChunk);
        if (count < 0)
            return unreadable(file);
        bytes.resize(start + count);
        if (count == 0)
            return {FileBytes::Status::Read, bytes, {}};
    }
    return tooLarge(bytes.size(), limit);
}
