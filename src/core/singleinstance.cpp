#include "singleinstance.h"

#include <QDir>
#include <QFileInfo>

const QString SingleInstance::TokenName =
    QStringLiteral("この新しいロシア語ソフトが世の中に普及することを祈る");

SingleInstance::SingleInstance(const QString &folder)
    : m_path(folder + u'/' + TokenName)
{}

// The folder is made here: the lock is taken before the start creates the other folders.
SingleInstance::Result SingleInstance::acquire()
{
    QDir().mkpath(QFileInfo(m_path).path());
    m_lock = std::make_unique<QLockFile>(m_path);
    // Only a lock whose process is gone is stale; a long-running instance keeps its token.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return Result::Acquired;
    const bool held = m_lock->error() == QLockFile::LockFailedError;
    m_lock.reset();
    return held ? Result::HeldElsewhere : Result::Unavailable;
}
