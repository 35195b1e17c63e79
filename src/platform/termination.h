#pragma once

#include <QObject>

// Turns SIGTERM, SIGINT and SIGHUP (a logout, a kill, Ctrl+C in a terminal) into a Qt signal
// on the user-interface thread, so the program can end through its normal shutdown.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

Q_SIGNALS:
    void terminationRequested();
};
