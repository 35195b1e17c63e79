#include "documentviewer.h"

#include <QProcess>

DocumentViewer::DocumentViewer(QObject *parent)
    : QObject(parent)
{}

DocumentViewer::~DocumentViewer()
{
    for (QProcess *process : findChildren<QProcess *>()) {
        process->disconnect(this);
        process->kill();
        process->waitForFinished();
    }
}

// The viewer inherits no pipe of ours: it would be killed by SIGPIPE once Kalvo has ended.
void DocumentViewer::open(const QString &path)
{
    auto *process = new QProcess(this);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    connect(process, &QProcess::finished, this,
            [this, process, path](int code, QProcess::ExitStatus status) {
                finish(process, path, status == QProcess::NormalExit && code == 0);
            });
    connect(process, &QProcess::errorOccurred, this,
            [this, process, path](QProcess::ProcessError error) {
                if (error == QProcess::FailedToStart)
                    finish(process, path, false);
            });
    process->start(QStringLiteral("xdg-open"), {path});
}

void DocumentViewer::finish(QProcess *process, const QString &path, bool shown)
{
    process->deleteLater();
    if (!shown)
        Q_EMIT cannotShow(path);
}
