#include "areafonts.h"

#include "core/ulib.h"
#include "ipa/ipafonts.h"
#include "widgets/familyname.h"

#include <QFont>
#include <QFontInfo>

#include <algorithm>
#include <climits>

namespace {

// The family of the font that draws `family`, `hint` choosing the kind of substitute for a name
// the system lacks; without Qt's foundry suffix, which no other program knows.
QString DrawnFamily(const QString &family, QFont::StyleHint hint)
{
    QFont font(family);
    font.setStyleHint(hint);
    return PlainFamilyName(QFontInfo(font).family());
}

// The areas never go below one point either. Sizes come from the settings file as any integer;
// the kana size is two below, taken without overflow.
RichFont richFont(const QString &family, QFont::StyleHint hint, qint64 points, int charset)
{
    return {DrawnFamily(family, hint), int(std::clamp<qint64>(points, 1, INT_MAX)), charset};
}

} // namespace

RichFont RussianRichFont()
{
    return richFont(RussianFontFamily(Usr.UsrMainFont), QFont::Serif, Usr.MainFontSize, 204);
}

RichFont IpaRichFont()
{
    if (Usr.KanaFlg)
        return richFont(JapaneseFontFamily(Usr.UsrJpFont), QFont::SansSerif,
                        qint64(Usr.IPAFontSize) - 2, 128);
    return richFont(IpaFontFamily(Usr.UsrIPAFont), QFont::SansSerif, Usr.IPAFontSize, 0);
}
