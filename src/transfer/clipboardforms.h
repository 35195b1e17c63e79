#pragma once

#include <QString>

class QMimeData;
struct RichFont;

// The transfer modes of TransIndex. Existing settings files depend on these values.
enum TransferMode {
    RichTextMode = 1,
    DecimalReferenceMode = 2,
    HexReferenceMode = 3,
    UnicodeTextMode = 4,
};

// The text with every line break (LF, CR, CR LF, U+2028, U+2029) as CR LF, the form the
// clipboard receives from the Russian area.
QString WithCrLf(QStringView text);

// The clipboard content of transfer mode `transIndex` for `text`, or nullptr when nothing is
// to reach the clipboard: rich-text mode with an empty text, or a mode outside 1 to 4. The
// plain modes put the text (possibly empty) as it is or as numeric character references.
QMimeData *TransferMimeData(int transIndex, const QString &text, const RichFont &font);
