#include "core/folders.h"
#include "core/singleinstance.h"
#include "mainwin/tmainfrm.h"
#include "platform/termination.h"
#include "widgets/appicon.h"
#include "widgets/messagebox.h"

#include <QApplication>
#include <QDir>
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

// A lock that cannot be made must not lock the user out: the start goes on, with a warning
// that a second start is no longer prevented.
bool takeInstanceToken(SingleInstance &instance)
{
    switch (instance.acquire()) {
    case SingleInstance::Result::Acquired:
        return true;
    case SingleInstance::Result::HeldElsewhere:
        return false;
    case SingleInstance::Result::Unavailable:
        break;
    }
    ShowWarning(QStringLiteral("二重起動を防ぐためのファイル「%1」を作れませんでした。\n"
                               "このまま起動しますが、Kalvo を同時に二つ起動しないでください。")
                    .arg(QDir::toNativeSeparators(instance.lockPath())));
    return true;
}

void createFolders()
{
    const QStringList problems =
        SetFolderVars(PlatformBaseFolders(QApplication::applicationDirPath()));
    if (!problems.isEmpty())
        ShowWarning(problems.join(u'\n'));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installJapaneseQtTexts(app);

    SingleInstance instance;
    if (!takeInstanceToken(instance))
        return 0;

    // The desktop entry kalvo.desktop and the window class "kalvo" name the same program, so
    // docks group its windows under its icon.
    QApplication::setDesktopFileName(QStringLiteral("kalvo"));
    QApplication::setWindowIcon(ApplicationIcon());
    createFolders();

    TerminationSignals termination;
    TMainFrm mainFrm;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &mainFrm,
                     &QWidget::close);
    mainFrm.show();
    return QApplication::exec();
}
