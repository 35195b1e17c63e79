#include "core/folders.h"
#include "core/singleinstance.h"
#include "mainwin/tmainfrm.h"
#include "platform/termination.h"
#include "widgets/messagebox.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// The interface is Japanese whatever the locale, so Qt's own texts (file dialog buttons, the
// edit context menus) are Japanese too.
void installJapaneseQtTexts(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installJapaneseQtTexts(app);

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
