#pragma once

#include <QString>

// Qt names a family that several foundries supply "Family [Foundry]", once per foundry: a name
// no other program knows. The plain family name, as a font is asked for.
QString PlainFamilyName(const QString &family);
