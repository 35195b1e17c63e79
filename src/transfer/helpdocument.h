#pragma once

#include <QString>

// The help document, a PDF in the help folder, and the windows of the viewers that show it.

QString HelpFileName();

// The title the build writes into the PDF (tools/helptool); viewers show it, or the file name,
// in their window titles.
QString HelpDocumentTitle();

// True when a window with this title shows the help document.
bool ShowsHelpDocument(const QString &windowTitle);
