#include "areafonts.h"

#include "core/ulib.h"
#include "ipa/ipafonts.h"

#include <QFont>
#include <QFontInfo>
#include <QRegularExpression>

namespace {

// The family of the font that draws `family`, `hint` choosing the kind of substitute for a name
// the system lacks. Qt names a family that several foundries supply "Family [foundry]", a name
// no other program knows, so the foundry is left out.
QString DrawnFamily(const QString &family, QFont::StyleHint hint)
{
    QFont font(family);
    font.setStyleHint(hint);
    static const QRegularExpression Foundry(QStringLiteral(R"( \[[^\]]*\]$)"));
    return QFontInfo(font).family().remove(Foundry);
}

// The areas never go below one point either.
RichFont richFont(const QString &family, QFont::StyleHint hint, int points, int charset)
{
    return {DrawnFamily(family, hint), qMax(1, points), charset};
}

} // namespace

RichFont RussianRichFont()
{
    return richFont(Usr.UsrMainFont, QFont::Serif, Usr.MainFontSize, 204);
}

RichFont IpaRichFont()
{
    if (Usr.KanaFlg)
        return richFont(JapaneseFontFamily(Usr.UsrJpFont), QFont::SansSerif, Usr.IPAFontSize - 2,
                        128);
    return richFont(IpaFontFamily(Usr.UsrIPAFont), QFont::SansSerif, Usr.IPAFontSize, 0);
}
