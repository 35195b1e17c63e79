#include "ipafonts.h"

#include "ipa/fontprobes.h"
#include "ipa/markfaces.h"
#include "ipa/uipa.h"

#include <QFont>
#include <QHash>
#include <QRawFont>

namespace {

// A no-break space: the mark keeps its own look, as on a letter, with nothing drawn under it.
constexpr QChar MarkBase = u'\u00A0';

bool Covers(const QString &family, QStringView sample)
{
    const QString question = QStringLiteral("covers\t") + family + u'\t' + sample.toString();
    return FontProbes::shared().answer(question, [&] {
        const QRawFont raw = QRawFont::fromFont(QFont(family));
        if (!raw.isValid())
            return false;
        for (QChar ch : sample) {
            if (!raw.supportsCharacter(ch))
                return false;
        }
        return true;
    });
}

// Fonts are asked for at every layout pass; the answer for a name does not change in a run.
template <typename Choose>
QString cached(QHash<QString, QString> &known, const QString &wanted, Choose choose)
{
    const auto it = known.constFind(wanted);
    if (it != known.cend())
        return *it;
    return known[wanted] = choose(wanted);
}

QString AllCandidates()
{
    QString sample(MarkBase);
    for (QChar key : TriggerSet())
        sample += CandidatesOf(key);
    return sample;
}

// Faces that set their marks, tried in turn where the chosen face does not: Russian in a serif
// first, as the Russian area shows it; IPA in the faces that hold every candidate.
const char16_t *const kRussianMarkFaces[] = {u"DejaVu Serif", u"Liberation Sans"};
const char16_t *const kIpaMarkFaces[] = {u"DejaVu Sans", u"DejaVu Serif"};
const char16_t *const kCircleMarkFaces[] = {u"DejaVu Sans", u"DejaVu Serif", u"Liberation Sans"};
// The face for the Latin and Cyrillic letters of Japanese texts, whose glosses and remarks hold
// stressed Russian; the Japanese face draws the rest.
const char16_t *const kLatinMarkFaces[] = {u"Liberation Sans", u"DejaVu Serif"};

template <std::size_t N>
QString firstSettingMarks(const char16_t *const (&faces)[N], MarkedLetters letters,
                          QStringView sample = {})
{
    for (const char16_t *face : faces) {
        const QString family = QString::fromUtf16(face);
        if (Covers(family, sample) && SetsMarksOnLetters(family, letters))
            return family;
    }
    return {};
}

// `wanted` if it sets the marks, else the first face of `faces` that holds `sample` and sets
// them; `wanted` again when none does.
template <std::size_t N>
QString markSetting(const QString &wanted, const char16_t *const (&faces)[N], MarkedLetters letters,
                    QStringView sample = {})
{
    if (Covers(wanted, sample) && SetsMarksOnLetters(wanted, letters))
        return wanted;
    const QString other = firstSettingMarks(faces, letters, sample);
    return other.isEmpty() ? wanted : other;
}

} // namespace

QString FamilyCovering(const QString &wanted, QStringView sample, const QString &fallback)
{
    return Covers(wanted, sample) || !Covers(fallback, sample) ? wanted : fallback;
}

QString IpaFontFamily(const QString &wanted)
{
    static QHash<QString, QString> known;
    return cached(known, wanted, [](const QString &name) {
        static const QString sample = AllCandidates();
        const QString covering = FamilyCovering(name, sample, QStringLiteral("DejaVu Sans"));
        return markSetting(covering, kIpaMarkFaces, MarkedLetters::Ipa, sample);
    });
}

QString RussianFontFamily(const QString &wanted)
{
    static QHash<QString, QString> known;
    return cached(known, wanted, [](const QString &name) {
        return markSetting(name, kRussianMarkFaces, MarkedLetters::Russian);
    });
}

QString JapaneseFontFamily(const QString &wanted)
{
    static QHash<QString, QString> known;
    return cached(known, wanted, [](const QString &name) {
        return FamilyCovering(name, u"あア漢【】", QStringLiteral("Noto Sans CJK JP"));
    });
}

QString DottedCircleFontFamily()
{
    static const QString family = firstSettingMarks(kCircleMarkFaces, MarkedLetters::DottedCircle);
    return family.isEmpty() ? QString::fromUtf16(kCircleMarkFaces[0]) : family;
}

QStringList JapaneseFamilies(const QString &wanted)
{
    const QString japanese = JapaneseFontFamily(wanted);
    if (SetsMarksOnLetters(japanese, MarkedLetters::Russian))
        return {japanese};
    static const QString latin = firstSettingMarks(kLatinMarkFaces, MarkedLetters::Russian);
    if (latin.isEmpty())
        return {japanese};
    return {latin, japanese};
}

QFont JapaneseFont(const QString &wanted)
{
    QFont font;
    font.setFamilies(JapaneseFamilies(wanted));
    return font;
}

QString IpaCaption(const QString &symbol)
{
    const bool combining =
        symbol.size() == 1 && symbol.front().category() == QChar::Mark_NonSpacing;
    return combining ? MarkBase + symbol : symbol;
}
