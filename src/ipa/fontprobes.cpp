#include "fontprobes.h"

#include "core/readfile.h"
#include "core/savefile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTimer>

namespace {

// A few dozen answers are asked for; the bounds only keep a foreign file from growing.
constexpr qint64 kFileLimit = 64 * 1024;
constexpr qsizetype kMaxAnswers = 512;

QByteArray installedFontsFingerprint()
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArrayView(QT_VERSION_STR "\n" KALVO_VERSION "\n"));
    hash.addData(QFontDatabase::families().join(u'\n').toUtf8());
    return hash.result().toHex();
}

bool isStorable(const QString &question)
{
    return !question.contains(u'\n') && !question.contains(u'\r');
}

} // namespace

FontProbes &FontProbes::shared()
{
    static FontProbes probes(
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
        QStringLiteral("/Harnwick/Kalvo/font-probes.txt"));
    return probes;
}

FontProbes::FontProbes(QString path)
    : m_path(std::move(path))
{}

bool FontProbes::answer(const QString &question, const std::function<bool()> &probe)
{
    load();
    const auto found = m_answers.constFind(question);
    if (found != m_answers.cend())
        return *found;
    const bool answer = probe();
    if (isStorable(question) && m_answers.size() < kMaxAnswers) {
        m_answers.insert(question, answer);
        saveLater();
    }
    return answer;
}

// Lines: the fingerprint, then "1" or "0", a tab and the question.
void FontProbes::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_fingerprint = installedFontsFingerprint();
    const FileBytes file = ReadFileBounded(m_path, kFileLimit);
    if (!file.isRead())
        return;
    const QList<QByteArray> lines = file.bytes.split('\n');
    if (lines.value(0) != m_fingerprint)
        return;
    for (qsizetype i = 1; i < lines.size() && m_answers.size() < kMaxAnswers; ++i) {
        const QByteArray &line = lines[i];
        if (line.size() > 2 && (line[0] == '0' || line[0] == '1') && line[1] == '\t')
            m_answers.insert(QString::fromUtf8(line.mid(2)), line[0] == '1');
    }
}

// New answers come in a burst while the window is built; they are written once, after it.
void FontProbes::saveLater()
{
    if (m_savePending)
        return;
    m_savePending = true;
    QTimer::singleShot(0, qApp, [this] { save(); });
}

// The file is only a shortcut: when it cannot be written, the probes run again next time.
void FontProbes::save()
{
    m_savePending = false;
    QByteArray bytes = m_fingerprint + '\n';
    for (auto it = m_answers.cbegin(); it != m_answers.cend(); ++it)
        bytes += (it.value() ? "1\t" : "0\t") + it.key().toUtf8() + '\n';
    QDir().mkpath(QFileInfo(m_path).path());
    const QString failure = WriteFileSafely(m_path, bytes);
    if (!failure.isEmpty())
        qWarning("フォントの調査結果「%s」を保存できませんでした（%s）。", qPrintable(m_path),
                 qPrintable(failure));
}
