#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Points HOME and the XDG folders at a fresh temporary folder, so nothing of the user's is
// read or written.
class TempHome {
public:
    TempHome()
    {
        QVERIFY2(m_dir.isValid(), "no temporary folder");
        qputenv("HOME", m_dir.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (m_dir.path() + QStringLiteral("/.config")).toUtf8());
        qputenv("XDG_DATA_HOME", (m_dir.path() + QStringLiteral("/.local/share")).toUtf8());
        const QString runtime = m_dir.path() + QStringLiteral("/run");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
        qunsetenv("XDG_DOCUMENTS_DIR");
    }

    QString path() const { return m_dir.path(); }
    QString configDir() const { return m_dir.path() + QStringLiteral("/.config/Harnwick/Kalvo"); }
    QString docsDir() const { return m_dir.path() + QStringLiteral("/Documents/Harnwick/Kalvo"); }

private:
    QTemporaryDir m_dir;
};

// Writes `bytes` to `path`, creating the folders on the way.
inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
