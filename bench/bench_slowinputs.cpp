// Prints how the text replacement and the settings reader scale with their input: each is
// timed on an input and on one four times as large (a linear cost gives about 4x), and
// against a plain Qt pass over the same input as the baseline. Each size runs several times,
// the sizes and the baseline by turns, and the medians are compared, so that one slow run does
// not pass for a super-linear cost.

#include "core/codecs.h"
#include "core/rngfile.h"
#include "core/settingstable.h"
#include "core/textlines.h"

#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRepeats = 9;
// A cost linear in its input takes about 4x the time for 4x the input; on inputs this large
// the memory makes even the plain Qt pass grow faster, so the growth is held against the
// baseline's: a cost that grows like the baseline's is as linear as the baseline is.
constexpr double kGrowthGoal = 1.25;

double seconds(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

struct Scaling {
    double measured[2];
    double baseline[2];
};

// Runs `measured` and `baseline` on both inputs (0: the input, 1: four times as large) by
// turns, kRepeats times, and keeps the median of each.
Scaling timeBoth(const std::function<void(int)> &measured, const std::function<void(int)> &baseline)
{
    std::vector<double> times[2][2];
    for (int repeat = 0; repeat < kRepeats; ++repeat) {
        for (int size = 0; size < 2; ++size) {
            times[0][size].push_back(seconds([&] { measured(size); }));
            times[1][size].push_back(seconds([&] { baseline(size); }));
        }
    }
    Scaling scaling{};
    for (int size = 0; size < 2; ++size) {
        scaling.measured[size] = median(times[0][size]);
        scaling.baseline[size] = median(times[1][size]);
    }
    return scaling;
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

void report(const char *what, const Scaling &scaling, const char *baseline)
{
    const double growth = scaling.measured[1] / scaling.measured[0];
    const double baselineGrowth = scaling.baseline[1] / scaling.baseline[0];
    std::printf("%s: %.3f s, %.1fx %s; 4x the input: %.1fx the time, the baseline %.1fx: "
                "%.2fx its growth (goal <= %.2fx)\n",
                what, scaling.measured[0], scaling.measured[0] / scaling.baseline[0], baseline,
                growth, baselineGrowth, growth / baselineGrowth, kGrowthGoal);
}

void reportReplace(qsizetype units)
{
    const QString texts[2] = {russianText(units), russianText(units << 2)};
    const Scaling scaling = timeBoth(
        [&](int size) {
            QString s = texts[size];
            ReplaceStr(s, QStringLiteral("а"), QStringLiteral("аа"));
        },
        [&](int size) {
            QString s = texts[size];
            s.replace(QStringLiteral("а"), QStringLiteral("аа"));
        });
    const QByteArray what = "ReplaceStr, " + QByteArray::number(units) + " code units";
    report(what.constData(), scaling, "QString::replace");
}

void reportSettings(qsizetype bytes)
{
    const QByteArray files[2] = {settingsFile(bytes), settingsFile(bytes << 2)};
    const Scaling scaling = timeBoth(
        [&](int size) {
            InitUsrVars(false, 0);
            ApplyRngLines(SplitLines(DecodeByBom(files[size])));
        },
        [&](int size) { (void)QString::fromUtf8(files[size]).split(QStringLiteral("\r\n")); });
    const QByteArray what = "settings reader, " + QByteArray::number(bytes >> 20) + " MB";
    report(what.constData(), scaling, "a plain line split");
}

} // namespace

int main()
{
    reportReplace(1 << 20);
    reportSettings(qsizetype(12) << 20);
    return 0;
}
