#include "core/folders.h"
#include "core/instancecall.h"
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

// A second start asks the running instance to bring its window forward, and ends. Finding no
// listener is no fault: the first instance listens only once its window is up. A listener that
// does not answer is stuck, and the user is told why no window appears.
int callRunningInstance()
{
    if (InstanceCall().askToShow() == InstanceCall::Answer::NoAnswer)
        ShowWarning(QStringLiteral("Kalvo はすでに起動していますが、応答がありません。\n"
                                   "しばらく待ってから、もう一度起動してください。"));
    return 0;
}

// A lock that cannot be made must not lock the user out: the start goes on, with a warning
// that a second start is no longer prevented.
void warnUnguardedStart(const SingleInstance &instance)
{
    ShowWarning(QStringLiteral("二重起動を防ぐためのファイル「%1」を作れませんでした。\n"
                               "このまま起動しますが、Kalvo を同時に二つ起動しないでください。")
                    .arg(QDir::toNativeSeparators(instance.lockPath())));
}

// Listening starts once the window is shown, so a second start that gets no answer knows this
// instance is stuck, not starting. Without the socket the program works on; only a second
// start cannot bring the window forward, which is logged.
void listenForSecondStarts(InstanceCall &call, TMainFrm &mainFrm)
{
    if (!call.listen()) {
        qWarning("%s",
                 qUtf8Printable(
                     QStringLiteral("二度目の起動を受ける「%1」を作れませんでした: %2")
                         .arg(QDir::toNativeSeparators(call.socketPath()), call.errorString())));
        return;
    }
    QObject::connect(&call, &InstanceCall::showRequested, &mainFrm, &TMainFrm::bringForward);
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
    const SingleInstance::Result token = instance.acquire();
    if (token == SingleInstance::Result::HeldElsewhere)
        return callRunningInstance();
    if (token == SingleInstance::Result::Unavailable)
        warnUnguardedStart(instance);

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
    // Only the lock's holder may take over a socket file left at the path.
    InstanceCall call;
    if (token == SingleInstance::Result::Acquired)
        listenForSecondStarts(call, mainFrm);
    return QApplication::exec();
}
