#pragma once

#include <QStringList>

class QComboBox;

// Fills a font list: mode 1 lists the scalable families that cover the writing system of the
// character set (204 = Cyrillic), other modes every family; names starting with "@" (vertical
// fonts) are never listed, nor in mode 1 those starting with "$". Each family is listed once, by
// its plain name, also when several foundries supply it. The list is sorted.
QStringList FontFamilies(int mode, int charset);
void LupFonts3(int mode, QComboBox *box, int charset);

// Appends the decimal strings first, first + 1, ..., last (nothing when last < first).
void AddFontSizeItems(QComboBox *box, int first, int last);
