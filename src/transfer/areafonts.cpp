#include "areafonts.h"

#include "core/ulib.h"
#include "ipa/ipafonts.h"

namespace {

// The areas never go below one point either.
RichFont richFont(const QString &family, int points, int charset)
{
    return {family, qMax(1, points), charset};
}

} // namespace

RichFont RussianRichFont()
{
    return richFont(Usr.UsrMainFont, Usr.MainFontSize, 204);
}

RichFont IpaRichFont()
{
    if (Usr.KanaFlg)
        return richFont(JapaneseFontFamily(Usr.UsrJpFont), Usr.IPAFontSize - 2, 128);
    return richFont(IpaFontFamily(Usr.UsrIPAFont), Usr.IPAFontSize, 0);
}
