#include "savefile.h"

#include "filefailures.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>

namespace {

constexpr qsizetype kRandomLetters = 6;
constexpr qint64 kLeftoverAgeSeconds = 60;

// The text of the failure the last call on `file` had; errno was cleared before that call.
QString failure(const QSaveFile &file)
{
    return FileFailureText(errno, file.error());
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isLower(QChar c)
{
    return c >= u'a' && c <= u'z';
}

// Random letters mix the cases beyond a capital first letter; a word does not.
bool looksRandom(QStringView letters)
{
    return std::all_of(letters.begin(), letters.end(), isAsciiLetter) &&
           std::any_of(letters.begin(), letters.end(), isLower) &&
           !std::all_of(letters.begin() + 1, letters.end(), isLower);
}

// Writes what `produce` gives and flushes it; the reason of the first failure, if any. The
// reason is taken at once, while errno is still the failing call's.
QString writeAll(QSaveFile &file, const std::function<void(const ByteSink &)> &produce)
{
    QString reason;
    produce([&](QByteArrayView bytes) {
        if (!reason.isEmpty())
            return false;
        errno = 0;
        if (file.write(bytes.data(), bytes.size()) == bytes.size())
            return true;
        reason = failure(file);
        return false;
    });
    if (!reason.isEmpty())
        return reason;
    errno = 0;
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return failure(file);
    return {};
}

} // namespace

QString WriteFileSafely(const QString &path, const QByteArray &bytes)
{
    return WriteFileSafely(path, [&bytes](const ByteSink &sink) { sink(bytes); });
}

QString WriteFileSafely(const QString &path, const std::function<void(const ByteSink &)> &produce)
{
    // QSaveFile follows a link and would put a regular file in the place of a device or pipe.
    const QFileInfo target(path);
    if (target.isDir())
        return QStringLiteral("同じ名前のフォルダがあります。");
    if (target.exists() && !target.isFile())
        return QStringLiteral("デバイスやパイプなど、通常のファイルではないため書き込めません。");
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return failure(file);
    QString reason = writeAll(file, produce);
    if (!reason.isEmpty()) {
        file.cancelWriting();
        return reason;
    }
    errno = 0;
    if (!file.commit())
        return failure(file);
    return {};
}

bool IsSaveLeftoverName(QStringView name, QStringView suffix)
{
    const qsizetype target = name.size() - kRandomLetters - 1;
    return target > suffix.size() && name[target] == u'.' && name.first(target).endsWith(suffix) &&
           looksRandom(name.sliced(target + 1));
}

void RemoveSaveLeftovers(const QString &folder, QStringView suffix)
{
    const QDir dir(folder);
    const QString pattern = QLatin1Char('*') + suffix.toString() + QStringLiteral(".??????");
    const QDateTime settled = QDateTime::currentDateTime().addSecs(-kLeftoverAgeSeconds);
    for (const QFileInfo &info : dir.entryInfoList({pattern}, QDir::Files | QDir::Hidden)) {
        if (!info.isSymLink() && IsSaveLeftoverName(info.fileName(), suffix) &&
            info.lastModified() < settled)
            QFile::remove(info.filePath());
    }
}
