#include "fieldfonts.h"

#include "core/ulib.h"
#include "ipa/ipafonts.h"
#include "widgets/pointsizes.h"

QFont FieldFont(FontKind kind, int points)
{
    QFont font;
    switch (kind) {
    case FontKind::Russian:
        font.setFamily(RussianFontFamily(Usr.UsrMainFont));
        font.setStyleHint(QFont::Serif);
        break;
    case FontKind::Ipa:
        font.setFamily(IpaFontFamily(Usr.UsrIPAFont));
        break;
    case FontKind::Japanese:
        font.setFamilies(JapaneseFamilies(Usr.UsrJpFont));
        break;
    }
    font.setPixelSize(PixelsOfPoints(points));
    return font;
}
