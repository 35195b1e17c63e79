#include "accentrules.h"

#include <QStringView>

namespace {

struct AccentKey {
    char16_t key;
    QStringView accent;
};

constexpr AccentKey kAccentKeys[] = {
    {u'/', u"\u0301"},
    {u'\\', u"\u0300"},
};

constexpr QStringView kVowels = u"аеёиоуыэюяАЕЁИОУЫЭЮЯ";

} // namespace

QStringView AccentOfKey(QChar typed)
{
    for (const AccentKey &row : kAccentKeys) {
        if (typed == row.key)
            return row.accent;
    }
    return {};
}

bool IsRussianVowel(QChar ch)
{
    return kVowels.contains(ch);
}
