#include "ipafonts.h"

#include "ipa/uipa.h"

#include <QFont>
#include <QHash>
#include <QRawFont>

namespace {

// A no-break space: the mark keeps its own look, as on a letter, with nothing drawn under it.
constexpr QChar MarkBase = u'\u00A0';

bool Covers(const QString &family, QStringView sample)
{
    const QRawFont raw = QRawFont::fromFont(QFont(family));
    if (!raw.isValid())
        return false;
    for (QChar ch : sample) {
        if (!raw.supportsCharacter(ch))
            return false;
    }
    return true;
}

// Fonts are asked for at every layout pass; the answer for a name does not change in a run.
QString CachedCovering(QHash<QString, QString> &known, const QString &wanted, QStringView sample,
                       const QString &fallback)
{
    const auto it = known.constFind(wanted);
    if (it != known.cend())
        return *it;
    return known[wanted] = FamilyCovering(wanted, sample, fallback);
}

QString AllCandidates()
{
    QString sample(MarkBase);
    for (QChar key : TriggerSet())
        sample += CandidatesOf(key);
    return sample;
}

} // namespace

QString FamilyCovering(const QString &wanted, QStringView sample, const QString &fallback)
{
    return Covers(wanted, sample) || !Covers(fallback, sample) ? wanted : fallback;
}

QString IpaFontFamily(const QString &wanted)
{
    static QHash<QString, QString> known;
    static const QString sample = AllCandidates();
    return CachedCovering(known, wanted, sample, QStringLiteral("DejaVu Sans"));
}

QString JapaneseFontFamily(const QString &wanted)
{
    static QHash<QString, QString> known;
    return CachedCovering(known, wanted, u"あア漢【】", QStringLiteral("Noto Sans CJK JP"));
}

QString IpaCaption(const QString &symbol)
{
    const bool combining =
        symbol.size() == 1 && symbol.front().category() == QChar::Mark_NonSpacing;
    return combining ? MarkBase + symbol : symbol;
}
