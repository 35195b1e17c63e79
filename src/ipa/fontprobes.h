#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <functional>

// The answers of the font probes (does a face hold these characters, does it set these
// marks), kept from one run to the next: each probe loads and shapes fonts, which costs more
// at start-up than the rest of the window's fonts, and an answer changes only when the
// installed fonts do. The file starts with a fingerprint of the installed families, Qt's
// version and the program's; a file with another fingerprint is ignored and written anew.
// Needs a QGuiApplication; user interface thread only.
class FontProbes {
public:
    // The program's answers, kept in the user's cache folder.
    static FontProbes &shared();

    // Answers kept in the file `path`.
    explicit FontProbes(QString path);

    // The kept answer to `question`, else the answer of `probe`, which is kept.
    bool answer(const QString &question, const std::function<bool()> &probe);

private:
    void load();
    void saveLater();
    void save();

    QString m_path;
    QByteArray m_fingerprint;
    QHash<QString, bool> m_answers;
    bool m_loaded = false;
    bool m_savePending = false;
};
