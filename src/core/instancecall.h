#pragma once

#include "folders.h"

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// A second start's call to the instance that runs: "bring your window forward". The running
// instance listens on a local socket beside its single-instance lock, in the per-user
// configuration folder, so two users or two homes never reach each other. Where that path is
// too long for a socket address, the socket is in the runtime folder under a hash of the
// configuration folder. The listener never blocks: a request is one short line, read within a
// bound and a time limit, and anything else is dropped.
class InstanceCall : public QObject {
    Q_OBJECT

public:
    enum class Answer {
        Shown,      // the running instance took the request
        NoInstance, // nothing listens (still starting, or an older run's socket file)
        NoAnswer,   // a listener took the connection but did not answer in time
    };

    explicit InstanceCall(const QString &folder = UserConfigFolder(), QObject *parent = nullptr);

    QString socketPath() const { return m_path; }

    // For the instance that holds the lock: takes over a socket file a crashed run left behind
    // and listens. False, with errorString(), when the socket cannot be made.
    bool listen();
    QString errorString() const { return m_error; }

    // For a second start: asks the running instance to show its window, waiting at most
    // `timeoutMs` for the connection and again for the answer.
    Answer askToShow(int timeoutMs = AnswerTimeoutMs) const;

    static constexpr int AnswerTimeoutMs = 2000;

Q_SIGNALS:
    void showRequested();

private:
    void acceptClients();
    void readRequest(QLocalSocket *client);

    QString m_path;
    QString m_error;
    QLocalServer *m_server = nullptr;
};
