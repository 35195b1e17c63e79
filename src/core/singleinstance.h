#pragma once

#include "folders.h"

#include <QLockFile>
#include <QString>
#include <memory>

// The one-instance-per-user token: a lock file named with the token text in the program's
// per-user configuration folder, beside its settings. The runtime folder would not do: whether
// XDG_RUNTIME_DIR is set differs between starts (a desktop session, su, a cron job), and
// without it Qt falls back to a folder of its own, so two starts could each hold a token of
// their own on the same books. A lock left behind by a crashed instance is taken over.
class SingleInstance {
public:
    enum class Result {
        Acquired,      // this process holds the token
        HeldElsewhere, // another live instance holds it
        Unavailable,   // the lock could not be made (full disk, unwritable folder)
    };

    explicit SingleInstance(const QString &folder = UserConfigFolder());

    Result acquire();
    QString lockPath() const { return m_path; }

    static const QString TokenName;

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
