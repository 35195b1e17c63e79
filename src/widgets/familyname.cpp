#include "familyname.h"

QString PlainFamilyName(const QString &family)
{
    const qsizetype foundry = family.endsWith(u']') ? family.lastIndexOf(u" [") : -1;
    return foundry > 0 ? family.left(foundry) : family;
}
