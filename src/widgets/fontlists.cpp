#include "fontlists.h"

#include "widgets/familyname.h"

#include <QComboBox>
#include <QFontDatabase>

namespace {

// The writing system of a Windows character set; only Cyrillic narrows the list here.
QFontDatabase::WritingSystem writingSystemOf(int charset)
{
    switch (charset) {
    case 204:
        return QFontDatabase::Cyrillic;
    case 128:
        return QFontDatabase::Japanese;
    default:
        return QFontDatabase::Any;
    }
}

bool listed(const QString &family, int mode)
{
    if (family.startsWith(u'@'))
        return false;
    return mode != 1 || (!family.startsWith(u'$') && QFontDatabase::isSmoothlyScalable(family));
}

} // namespace

QStringList FontFamilies(int mode, int charset)
{
    const QStringList all =
        mode == 1 ? QFontDatabase::families(writingSystemOf(charset)) : QFontDatabase::families();
    QStringList families;
    for (const QString &family : all) {
        if (listed(family, mode))
            families.append(PlainFamilyName(family));
    }
    families.sort(Qt::CaseInsensitive);
    families.removeDuplicates();
    return families;
}

void LupFonts3(int mode, QComboBox *box, int charset)
{
    box->addItems(FontFamilies(mode, charset));
}

void AddFontSizeItems(QComboBox *box, int first, int last)
{
    for (int size = first; size <= last; ++size)
        box->addItem(QString::number(size));
}
