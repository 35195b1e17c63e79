#pragma once

#include <QString>

// Turns the help chapters (data/help/NN-*.md, Markdown) and their pictures into the printable
// help document: a title page, a table of contents, then one chapter per page run, with the
// chapter's title in the header and the page number in the footer. Japanese, Cyrillic and IPA
// glyphs come from the system's fonts and are embedded in the PDF. Returns an empty string, or
// what went wrong.
QString WriteHelpPdf(const QString &chapterFolder, const QString &pictureFolder,
                     const QString &pdfPath);
