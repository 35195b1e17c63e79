#pragma once

#include <QByteArrayView>
#include <QString>

// Decodes X11 compound text, the ISO 2022 form older clients use for WM_NAME: ASCII, the
// ISO 8859 sets, JIS X 0201 and 0208, GB 2312, KS C 5601, and UTF-8 segments. Each byte of a
// set it does not know becomes U+FFFD.
QString decodeCompoundText(QByteArrayView bytes);
