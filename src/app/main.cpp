#include "core/folders.h"
#include "core/messagebox.h"
#include "core/singleinstance.h"
#include "mainwin/tmainfrm.h"
#include "platform/termination.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    SingleInstance instance;
    if (!instance.acquire())
        return 0;

    QApplication::setDesktopFileName(QStringLiteral("kalvo"));
    SetFolderVars(PlatformBaseFolders(QApplication::applicationDirPath()),
                  [](const QString &text) { ShowWarning(text); });

    TerminationSignals termination;
    TMainFrm mainFrm;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &mainFrm,
                     &QWidget::close);
    mainFrm.show();
    return QApplication::exec();
}
