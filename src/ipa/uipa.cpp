#include "uipa.h"

#include "core/ulib.h"

#include <algorithm>
#include <array>

namespace {

struct CandidateRow {
    char16_t key;
    const char16_t *candidates;
};

// In code order of the key, for the binary search. For a letter the last candidate is the
// lower-case letter itself; combining marks are candidates of their own.
constexpr std::array<CandidateRow, 31> CandidateTable{{
    {u'/', u"\u0294\u02C0"},
    {u':', u"\u02D0\u02D1\u0361"},
    {u'@', u"\u0302\u030C\u0301\u0300"},
    {u'A', u"\u0259\u028C\u00E6\u0251\u0250a"},
    {u'B', u"b"},
    {u'C', u"\u0255c"},
    {u'D', u"\u02A4\u02A3\u00F0d"},
    {u'E', u"\u025B\u0259\u025Ae"},
    {u'F', u"f"},
    {u'G', u"\u0261\u0263\u0264g"},
    {u'H', u"h"},
    {u'I', u"\u026A\u0131\u0268i"},
    {u'J', u"\u02B2j"},
    {u'K', u"\u1D4Fk"},
    {u'L', u"l"},
    {u'M', u"\u026F\u1D5Am"},
    {u'N', u"\u014B\u0272n"},
    {u'O', u"\u0254\u0259o"},
    {u'P', u"\u1D56p"},
    {u'Q', u""},
    {u'R', u"\u025A\u02DEr"},
    {u'S', u"\u0283\u0282s"},
    {u'T', u"\u02A6\u02A7\u03B8\u1D57\u02A8t"},
    {u'U', u"\u026F\u0289\u1D1C\u028A\u1D5Au"},
    {u'V', u"v"},
    {u'W', u"\u02B7w"},
    {u'X', u"x"},
    {u'Y', u"y"},
    {u'Z', u"\u0292\u0290z"},
    {u'[', u"\u0300\u02CC["},
    {u']', u"\u0301\u02C8\u02BC]"},
}};

const CandidateRow *FindRow(QChar key)
{
    const auto it =
        std::lower_bound(CandidateTable.begin(), CandidateTable.end(), key.unicode(),
                         [](const CandidateRow &row, char16_t k) { return row.key < k; });
    return it != CandidateTable.end() && it->key == key.unicode() ? &*it : nullptr;
}

QChar FirstChar(QStringView key)
{
    return key.isEmpty() ? QChar() : key.front();
}

} // namespace

QStringView CandidatesOf(QChar key)
{
    const CandidateRow *row = FindRow(key);
    return row ? QStringView(row->candidates) : QStringView();
}

bool IsTrigger(QChar ch)
{
    return FindRow(ch) != nullptr;
}

QString TriggerSet()
{
    QString keys;
    for (const CandidateRow &row : CandidateTable)
        keys.append(QChar(row.key));
    return keys;
}

bool CheckIPA(QStringView key)
{
    return !CandidatesOf(FirstChar(key)).isEmpty();
}

void InitArrIPA()
{
    Sys.SeleIndex = -1;
    for (QString &slot : Sys.arrIPA)
        slot.clear();
    Sys.CandMax = 0;
}

void SetArrIPA(QStringView key)
{
    InitArrIPA();
    // The empty key maps to U+0000, which is no key.
    const QStringView candidates = CandidatesOf(FirstChar(key)).left(IpaSlotCount);
    for (qsizetype i = 0; i < candidates.size(); ++i)
        Sys.arrIPA[i] = candidates[i];
    Sys.CandMax = int(candidates.size());
    if (!candidates.isEmpty())
        Sys.SeleIndex = 0;
}

int GetCandMax()
{
    return int(std::count_if(Sys.arrIPA.begin(), Sys.arrIPA.end(),
                             [](const QString &slot) { return !slot.isEmpty(); }));
}
