#pragma once

// Other programs on a test's desktop: command-line tools run on a chosen X display, and a
// Tk text field as the window a user pastes into.
#include "testenv.h"

#include <QProcess>
#include <QtTest>

// Runs a tool to its end on `display` (empty: the test's own) and returns its output; empty
// when it failed.
inline QByteArray runToolBytes(const QString &program, const QStringList &args,
                               const QString &display = {})
{
    QProcess process;
    if (!display.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        process.setProcessEnvironment(env);
    }
    process.start(program, args);
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

// The same as text, trimmed.
inline QString runTool(const QString &program, const QStringList &args, const QString &display = {})
{
    return QString::fromUtf8(runToolBytes(program, args, display)).trimmed();
}

inline QString xdotool(const QStringList &args, const QString &display = {})
{
    return runTool(QStringLiteral("xdotool"), args, display);
}

// Types "privet", which Kalvo's Russian layout makes "привет", and presses F9.
inline void typeAndTransfer()
{
    xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("40"),
             QStringLiteral("p"), QStringLiteral("r"), QStringLiteral("i"), QStringLiteral("v"),
             QStringLiteral("e"), QStringLiteral("t"), QStringLiteral("F9")});
}

// The first visible window whose name matches `pattern`, waiting up to ten seconds.
inline QString findWindow(const QString &pattern, const QString &display = {})
{
    for (int i = 0; i < 100; ++i) {
        const QString id = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                    QStringLiteral("--name"), pattern},
                                   display)
                               .section(u'\n', 0, 0);
        if (!id.isEmpty())
            return id;
        QTest::qWait(100);
    }
    return {};
}

// A Tk text field titled `title` on `display`, alive while the object lives; it writes its
// content to a file ten times a second.
class TkClient {
public:
    TkClient(const QString &dir, const QString &title, const QString &display = {})
        : m_out(dir + u'/' + title + QStringLiteral(".out"))
    {
        const QString script = dir + QStringLiteral("/client.tcl");
        writeFile(script, R"(
wm title . [lindex $argv 0]
text .t -width 40 -height 4
pack .t
focus .t
proc dump {} {
    set f [open [lindex $::argv 1] w]
    fconfigure $f -encoding utf-8
    puts -nonewline $f [.t get 1.0 end-1c]
    close $f
    after 100 dump
}
after 100 dump
)");
        if (!display.isEmpty()) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("DISPLAY"), display);
            m_process.setProcessEnvironment(env);
        }
        m_process.start(QStringLiteral("wish"), {script, title, m_out});
        id = findWindow(u'^' + title + u'$', display);
    }
    ~TkClient() { close(); }

    void close()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    QString text() const { return QString::fromUtf8(readFile(m_out)); }

    QString id;

private:
    QString m_out;
    QProcess m_process;
};
