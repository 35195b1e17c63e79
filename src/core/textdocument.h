#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

// Text documents of the Russian area. On disk a document is UTF-16 little-endian with the
// byte-order mark FF FE and CR LF line ends. In memory it has the form the Russian area
// (a QPlainTextEdit) takes and gives: one LF between lines.

// A document's text from its bytes: UTF-16 little-endian whatever the bytes are (a leading
// FF FE is skipped, an odd last byte is dropped); CR, LF and CR LF each become one LF.
QString DocumentTextFromBytes(const QByteArray &bytes);

// The bytes of a document: FF FE, then the text in UTF-16 little-endian with every line end
// (CR LF, CR, LF, U+2028, U+2029) written as CR LF; nothing is added at the end.
QByteArray DocumentBytes(QStringView text);

// The text without its leading and trailing characters up to U+0020 (spaces, tabs, line ends
// and other control characters).
QStringView TrimLowChars(QStringView text);

// True when nothing but characters up to U+0020 is in the text: such a text is not saved.
inline bool IsBlankDocument(QStringView text)
{
    return TrimLowChars(text).isEmpty();
}

// Reads the document at `path`; on failure (also for a file that is no regular file or is
// larger than 16 MiB) returns nothing and sets `error` to the reason in Japanese.
std::optional<QString> ReadDocumentFile(const QString &path, QString *error);

// Writes the document at `path` in one step; a failed write leaves the old file whole.
// Returns an empty string on success, else the reason.
QString WriteDocumentFile(const QString &path, QStringView text);
