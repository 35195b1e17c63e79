#pragma once

#include <QProcess>
#include <QProcessEnvironment>

#include <memory>

// The real program started on the X server of the test session, its output beside the test's.
inline std::unique_ptr<QProcess> StartKalvoOnX11()
{
    auto kalvo = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    kalvo->setProcessEnvironment(env);
    kalvo->setProcessChannelMode(QProcess::ForwardedChannels);
    kalvo->start(QStringLiteral(KALVO_BINARY), {});
    return kalvo;
}
