// Prints how the text replacement and the settings reader scale with their input: each is
// timed on an input and on one four times as large (a linear cost gives about 4x), and
// against a plain Qt pass over the same input as the baseline.

#include "core/codecs.h"
#include "core/rngfile.h"
#include "core/settingstable.h"
#include "core/textlines.h"

#include <QElapsedTimer>
#include <QString>

#include <cstdio>
#include <functional>

namespace {

double seconds(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

// Russian text with many matches: every "а" becomes "аа", which contains the text searched.
QString russianText(qsizetype units)
{
    const QString phrase = QStringLiteral("да, на работе нам надо знать так: ");
    QString text;
    text.reserve(units + phrase.size());
    while (text.size() < units)
        text += phrase;
    text.truncate(units);
    return text;
}

// A settings file of `bytes`: the 48 keys and then many lines the reader must skip.
QByteArray settingsFile(qsizetype bytes)
{
    QByteArray file = BuildRngLines().join(u"\r\n").toUtf8() + "\r\n";
    for (int i = 0; file.size() < bytes; ++i)
        file += "Unknown" + QByteArray::number(i) + ",\"a value, with a comma\"\r\n";
    return file;
}

void reportReplace(qsizetype units)
{
    double replaceTime[2];
    double baseTime[2];
    for (int i = 0; i < 2; ++i) {
        const QString text = russianText(units << (2 * i));
        replaceTime[i] = seconds([&] {
            QString s = text;
            ReplaceStr(s, QStringLiteral("а"), QStringLiteral("аа"));
        });
        baseTime[i] = seconds([&] {
            QString s = text;
            s.replace(QStringLiteral("а"), QStringLiteral("аа"));
        });
    }
    std::printf("ReplaceStr, %lld code units: %.3f s, %.1fx QString::replace; "
                "4x the input: %.1fx the time\n",
                static_cast<long long>(units), replaceTime[0], replaceTime[0] / baseTime[0],
                replaceTime[1] / replaceTime[0]);
}

void reportSettings(qsizetype bytes)
{
    double readTime[2];
    double baseTime[2];
    for (int i = 0; i < 2; ++i) {
        const QByteArray file = settingsFile(bytes << (2 * i));
        InitUsrVars(false, 0);
        readTime[i] = seconds([&] { ApplyRngLines(SplitLines(DecodeByBom(file))); });
        baseTime[i] = seconds([&] { (void)QString::fromUtf8(file).split(QStringLiteral("\r\n")); });
    }
    std::printf("settings reader, %lld MB: %.3f s, %.1fx a plain line split; "
                "4x the input: %.1fx the time\n",
                static_cast<long long>(bytes >> 20), readTime[0], readTime[0] / baseTime[0],
                readTime[1] / readTime[0]);
}

} // namespace

int main()
{
    reportReplace(1 << 20);
    reportSettings(qsizetype(12) << 20);
    return 0;
}
