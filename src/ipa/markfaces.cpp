#include "markfaces.h"

#include "fontprobes.h"

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QRawFont>
#include <QTextLayout>

#include <cmath>
#include <utility>

namespace {

// A letter, or a pair joined by a tie bar, with one mark set above it.
struct MarkedSample {
    const char16_t *letters;
    char16_t mark;
};

const MarkedSample kRussianSamples[] = {
    {u"а", u'\u0301'}, {u"е", u'\u0301'}, {u"и", u'\u0301'}, {u"о", u'\u0301'}, {u"у", u'\u0301'},
    {u"ы", u'\u0301'}, {u"э", u'\u0301'}, {u"ю", u'\u0301'}, {u"я", u'\u0301'}, {u"А", u'\u0301'},
    {u"О", u'\u0301'}, {u"Я", u'\u0301'}, {u"о", u'\u0300'}, {u"у", u'\u0300'},
};

const MarkedSample kIpaSamples[] = {
    {u"ə", u'\u0303'}, {u"ɪ", u'\u0301'}, {u"x", u'\u0301'},
    {u"a", u'\u0302'}, {u"a", u'\u030C'}, {u"ts", u'\u0361'},
};

const MarkedSample kDottedCircleSamples[] = {
    {u"\u25CC", u'\u0302'},
    {u"\u25CC", u'\u030C'},
    {u"\u25CC", u'\u0301'},
    {u"\u25CC", u'\u0300'},
};

// Measured large and unhinted, so the answer holds at every size and on paper.
constexpr int kSamplePixels = 64;
// How far a mark's centre may stray from its letter's, as a share of the letter's width; the
// dotted circle is wider than the letters the marks are drawn for.
constexpr double kLargestSideShift = 0.25;
constexpr double kLargestSideShiftOnCircle = 0.35;
// The gap between mark and letter, as a share of the letter's height: a mark may touch its
// letter's top but not sink into it, and not float away from it.
constexpr double kLargestOverlap = 0.15;
constexpr double kLargestGap = 0.6;

QList<QGlyphRun> shaped(const QString &family, const QString &text)
{
    QFont font(family);
    font.setPixelSize(kSamplePixels);
    font.setHintingPreference(QFont::PreferNoHinting);
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    return layout.glyphRuns();
}

// The ink of the glyphs of `run` that are (or are not) among `glyphs`.
QRectF inkOf(const QGlyphRun &run, const QList<quint32> &glyphs, bool among)
{
    QRectF ink;
    const QList<quint32> indexes = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        if (glyphs.contains(indexes[i]) == among)
            ink |= run.rawFont().boundingRect(indexes[i]).translated(positions[i]);
    }
    return ink;
}

bool setsMark(const QString &family, const MarkedSample &sample, double largestShift)
{
    const QString letters = QString::fromUtf16(sample.letters);
    const QList<QGlyphRun> bare = shaped(family, letters);
    // A letter pair takes its tie bar after the first letter.
    const QString marked = letters.left(1) + QChar(sample.mark) + letters.mid(1);
    const QList<QGlyphRun> withMark = shaped(family, marked);
    if (bare.size() != 1 || withMark.size() != 1 ||
        bare.front().rawFont().familyName() != withMark.front().rawFont().familyName())
        return false;
    const QList<quint32> letterGlyphs = bare.front().glyphIndexes();
    // The face composed letter and mark into one glyph of its own design.
    if (withMark.front().glyphIndexes().size() == letterGlyphs.size())
        return true;
    const QRectF letter = inkOf(withMark.front(), letterGlyphs, true);
    const QRectF mark = inkOf(withMark.front(), letterGlyphs, false);
    if (letter.isEmpty() || mark.isEmpty())
        return false;
    const double shift = std::abs(mark.center().x() - letter.center().x()) / letter.width();
    // Upwards is negative: the mark's foot less the letter's top.
    const double rise = (mark.bottom() - letter.top()) / letter.height();
    return shift <= largestShift && rise <= kLargestOverlap && rise >= -kLargestGap;
}

template <std::size_t N>
bool setsAll(const QString &family, const MarkedSample (&samples)[N],
             double largestShift = kLargestSideShift)
{
    for (const MarkedSample &sample : samples) {
        if (!setsMark(family, sample, largestShift))
            return false;
    }
    return true;
}

} // namespace

bool SetsMarksOnLetters(const QString &family, MarkedLetters letters)
{
    static QHash<std::pair<QString, int>, bool> known;
    const std::pair key(family, int(letters));
    const auto it = known.constFind(key);
    if (it != known.cend())
        return *it;
    const QString question = QStringLiteral("marks\t%1\t").arg(int(letters)) + family;
    const bool sets = FontProbes::shared().answer(question, [&] {
        switch (letters) {
        case MarkedLetters::Russian:
            return setsAll(family, kRussianSamples);
        case MarkedLetters::Ipa:
            return setsAll(family, kIpaSamples);
        case MarkedLetters::DottedCircle:
            return setsAll(family, kDottedCircleSamples, kLargestSideShiftOnCircle);
        }
        return false;
    });
    return known[key] = sets;
}
