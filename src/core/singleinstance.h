#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// The one-instance-per-user token: a lock file named with the token text in the user's
// runtime folder. A lock left behind by a crashed instance is taken over.
class SingleInstance {
public:
    enum class Result {
        Acquired,      // this process holds the token
        HeldElsewhere, // another live instance holds it
        Unavailable,   // the lock could not be made (full disk, unwritable folder)
    };

    explicit SingleInstance(const QString &folder = RuntimeFolder());

    Result acquire();
    QString lockPath() const { return m_path; }

    static QString RuntimeFolder();
    static const QString TokenName;

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
