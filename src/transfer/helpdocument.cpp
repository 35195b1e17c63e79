#include "helpdocument.h"

QString HelpFileName()
{
    return QStringLiteral("RusHelp.pdf");
}

QString HelpDocumentTitle()
{
    return QStringLiteral("Kalvo ヘルプ");
}

bool ShowsHelpDocument(const QString &windowTitle)
{
    return windowTitle.contains(HelpFileName()) || windowTitle.contains(HelpDocumentTitle());
}
