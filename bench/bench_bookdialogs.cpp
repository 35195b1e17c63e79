// Prints how long the word book's entry dialogs take to open in the real main window, on a
// book of 1,000 and one of 100,000 entries: the register dialog from the F4 key and the move
// dialog from its command, each until its first paint is done, in wall and CPU time. Each is
// measured against its baseline in the same run, the same dialog's controls with an empty
// position selector opened the same way, and the 100,000-entry figure is divided by the
// 1,000-entry one, which is 1 for a dialog whose opening does not grow with the book. Last,
// the resident memory of a fresh main window that has opened the big book and registered one
// entry into it, as the user sees it once freed memory is given back.
//
// The books are made up in a temporary home. Runs on the offscreen platform unless
// QT_QPA_PLATFORM names another; the memory is measured in a child process started with
// "--memory HOME".

#include "benchtools.h"
#include "bookmaker.h"
#include "core/folders.h"
#include "core/ulib.h"
#include "mainwin/tmainfrm.h"
#include "widgets/exactfields.h"
#include "widgets/mainactions.h"
#include "wordbook/entrymovedelete.h"
#include "wordbook/regmoddialog.h"
#include "wordbook/reportview.h"
#include "wordbook/tframe6.h"
#include "wordbook/wordbookcommands.h"
#include "wordbook/wordbookfile.h"
#include "wordbook/wordbookpage.h"
#include "wordbook/wordlistmodel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <malloc.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

constexpr int kRounds = 7;
constexpr int kSmallBook = 1'000;
constexpr int kBigBook = 100'000;
constexpr double kGoalMs = 50;
constexpr double kGoalMiB = 110;
constexpr Qt::Key kBaselineKey = Qt::Key_F11;

QString bookFile(int entries)
{
    return QStringLiteral("book%1.utx").arg(entries);
}

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::exit(1);
}

double cpuMs()
{
    return double(ProcessCpuNs()) / 1e6;
}

void writeBook(int entries)
{
    const QByteArray bytes = WordBookBytes(MakeBook(entries));
    QFile file(Dirs.ICatFolder + u'/' + bookFile(entries));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail("cannot write a book in the temporary home");
}

// The register dialog's controls with an empty position selector.
class BareRegister : public RegModDialog {
public:
    explicit BareRegister(WordBookCommands *commands)
        : RegModDialog(commands, QStringLiteral("単語登録"))
    {
        QHBoxLayout *bar = bottomBar();
        bar->addWidget(PlainLabel(QStringLiteral("No"), this));
        auto *positions = new QComboBox(this);
        positions->setMinimumContentsLength(5);
        bar->addWidget(positions);
        bar->addWidget(PlainLabel(QStringLiteral("の上に"), this));
        bar->addWidget(new QPushButton(QStringLiteral("挿入"), this));
        bar->addStretch(1);
        auto *append = new QPushButton(QStringLiteral("追加 (F8)"), this);
        bar->addWidget(append);
        bar->addWidget(new QPushButton(QStringLiteral("キャンセル"), this));
        setMainButton(append);
    }
};

// The move dialog's controls with an empty position selector.
class BareMove : public QDialog {
public:
    explicit BareMove(EntryMoveDelete *entries)
        : QDialog(entries->commands()->window())
    {
        setWindowTitle(QStringLiteral("単語の移動"));
        setFixedSize(460, 320);
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(PlainLabel(
            QStringLiteral("挿入先の単語のNoを指定し、移動ボタンを押して下さい。"), this));
        auto *target = new QGroupBox(QStringLiteral("挿入先"));
        auto *targetForm = new QFormLayout(target);
        targetForm->addRow(QStringLiteral("No:"), new QComboBox(target));
        layout->addWidget(target);
        auto *source = new QGroupBox(QStringLiteral("移動元"));
        const EntryBoxes boxes = MakeEntryBoxes(entries->selectedEntry(), source);
        auto *sourceForm = new QFormLayout(source);
        sourceForm->addRow(QStringLiteral("日本語："), boxes.japanese);
        sourceForm->addRow(QStringLiteral("ロシア語"), boxes.russian);
        sourceForm->addRow(QStringLiteral("No:"), boxes.number);
        layout->addWidget(source);
        layout->addStretch();
        AddDialogButtons(this, layout, QStringLiteral("移動"));
        const QRect main = parentWidget()->frameGeometry();
        move(main.left() + (main.width() - width()) / 2,
             main.top() + (main.height() - height()) / 2);
    }
};

struct Opening {
    double wallMs = 0;
    double cpuMs = 0;
};

// Waits for the first paint of a dialog, then, once that paint pass is done, records the time
// since the start and hands the dialog to `act`, which closes it.
class DialogWatch : public QObject {
public:
    explicit DialogWatch(std::function<void(QDialog *)> act)
        : m_act(std::move(act))
    {
        qApp->installEventFilter(this);
        m_wall.start();
        m_cpuStart = cpuMs();
    }

    bool seen() const { return m_seen; }
    Opening opening() const { return m_opening; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_seen || event->type() != QEvent::Paint || !watched->isWidgetType())
            return false;
        auto *dialog = qobject_cast<QDialog *>(static_cast<QWidget *>(watched)->window());
        if (!dialog)
            return false;
        m_seen = true;
        QTimer::singleShot(0, this, [this, dialog] {
            m_opening = {double(m_wall.nsecsElapsed()) / 1e6, cpuMs() - m_cpuStart};
            m_act(dialog);
        });
        return false;
    }

private:
    std::function<void(QDialog *)> m_act;
    QElapsedTimer m_wall;
    double m_cpuStart = 0;
    bool m_seen = false;
    Opening m_opening;
};

// The next key goes to the main window once it is active again.
void activate(QWidget *window)
{
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        fail("the main window did not become active");
}

Opening timeOpening(QWidget *main, const std::function<void()> &open,
                    const std::function<void(QDialog *)> &act = &QDialog::reject)
{
    activate(main);
    DialogWatch watch(act);
    open();
    if (!watch.seen())
        fail("the dialog did not open");
    return watch.opening();
}

struct Figure {
    Opening median;
    double ratio = 0;
};

// The baseline and the measured opening by turns; each measured time is divided by the
// baseline's just before it, so a load that comes and goes weighs on both alike.
Figure compareOpenings(QWidget *main, const std::function<void()> &baseline,
                       const std::function<void()> &measured)
{
    timeOpening(main, baseline);
    timeOpening(main, measured);
    std::vector<double> walls;
    std::vector<double> cpus;
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        const Opening base = timeOpening(main, baseline);
        const Opening opened = timeOpening(main, measured);
        walls.push_back(opened.wallMs);
        cpus.push_back(opened.cpuMs);
        ratios.push_back(opened.wallMs / base.wallMs);
    }
    return {{median(walls), median(cpus)}, median(ratios)};
}

class Bench {
public:
    Bench()
        : m_commands(m_frm.findChild<WordBookCommands *>())
        , m_entries(m_frm.findChild<EntryMoveDelete *>())
    {
        if (!m_commands || !m_entries)
            fail("the main window has no word book commands");
        auto *bareRegister = new QAction(&m_frm);
        bareRegister->setShortcut(kBaselineKey);
        QObject::connect(bareRegister, &QAction::triggered, &m_frm, [this] {
            BareRegister dialog(m_commands);
            dialog.exec();
        });
        m_frm.addAction(bareRegister);
        showAndWait(&m_frm);
    }

    ~Bench() { m_frm.close(); }

    // Opens the book with its middle entry selected.
    void open(int entries)
    {
        m_commands->WBMenuClick(bookFile(entries));
        WordListModel *words = m_commands->page()->wordListModel();
        if (words->rowCount() != entries)
            fail("the book did not open whole");
        m_commands->page()->wordList()->selectRow(entries / 2);
        QApplication::processEvents();
    }

    Figure registerDialog()
    {
        return compareOpenings(
            &m_frm, [this] { pressKey(kBaselineKey); }, [this] { pressKey(Qt::Key_F4); });
    }

    Figure moveDialog()
    {
        return compareOpenings(
            &m_frm,
            [this] {
                BareMove dialog(m_entries);
                dialog.exec();
            },
            [this] { m_commands->actions()->MoveWord->trigger(); });
    }

private:
    void pressKey(Qt::Key key) { QTest::keyClick(&m_frm, key); }

    TMainFrm m_frm;
    WordBookCommands *m_commands;
    EntryMoveDelete *m_entries;
};

void printFigure(const char *dialog, int entries, const Figure &figure)
{
    std::printf("%s, %6d entries: %6.1f ms wall, %6.1f ms CPU = %5.2fx its baseline "
                "(goal <= %.0f ms)\n",
                dialog, entries, figure.median.wallMs, figure.median.cpuMs, figure.ratio, kGoalMs);
}

void printGrowth(const char *dialog, const Figure &small, const Figure &big)
{
    std::printf("%s, %d / %d entries: %.2fx wall, %.2fx CPU (goal: flat, about 1x)\n", dialog,
                kBigBook, kSmallBook, big.median.wallMs / small.median.wallMs,
                big.median.cpuMs / small.median.cpuMs);
}

// The child: a fresh main window opens the big book and registers one entry through F4.
int measureMemory()
{
    TMainFrm frm;
    showAndWait(&frm);
    auto *commands = frm.findChild<WordBookCommands *>();
    commands->WBMenuClick(bookFile(kBigBook));
    QApplication::processEvents();
    malloc_trim(0);
    const double openedMiB = ResidentMiB();
    timeOpening(
        &frm, [&frm] { QTest::keyClick(&frm, Qt::Key_F4); },
        [](QDialog *dialog) {
            auto *frame = dialog->findChild<TFrame6 *>();
            frame->russianField()->setText(QStringLiteral("новое"));
            frame->japaneseField()->setText(QStringLiteral("新しい"));
            dialog->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        });
    QApplication::processEvents();
    if (commands->page()->wordListModel()->rowCount() != kBigBook + 1)
        fail("the entry was not registered");
    const double untrimmedMiB = ResidentMiB();
    malloc_trim(0);
    std::printf("%.1f %.1f %.1f\n", openedMiB, untrimmedMiB, ResidentMiB());
    frm.close();
    return 0;
}

void runMemoryChild()
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--memory"), qEnvironmentVariable("HOME")});
    if (!child.waitForFinished(120'000) || child.exitCode() != 0)
        fail("the memory child failed");
    const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
    if (figures.size() != 3)
        fail("the memory child printed no figures");
    std::printf("resident memory of the main window with the %d-entry book open: %.1f MiB\n",
                kBigBook, figures[0].toDouble());
    std::printf("resident memory after one registration: %.1f MiB (goal <= %.0f MiB); "
                "%.1f MiB before freed memory is given back\n",
                figures[2].toDouble(), kGoalMiB, figures[1].toDouble());
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The child works in the parent's temporary home, named after "--memory".
    const bool memoryChild = argc > 2 && qstrcmp(argv[1], "--memory") == 0;
    QTemporaryDir home;
    if (!memoryChild && !home.isValid())
        fail("cannot make the temporary home");
    UseHome(memoryChild ? QString::fromLocal8Bit(argv[2]) : home.path());
    QApplication app(argc, argv);
    SetFolderVars(PlatformBaseFolders(QApplication::applicationDirPath()));
    if (memoryChild)
        return measureMemory();

    writeBook(kSmallBook);
    writeBook(kBigBook);
    malloc_trim(0);
    std::printf("medians of %d openings, each after its baseline's\n", kRounds);
    {
        Bench bench;
        bench.open(kSmallBook);
        const Figure smallRegister = bench.registerDialog();
        const Figure smallMove = bench.moveDialog();
        bench.open(kBigBook);
        const Figure bigRegister = bench.registerDialog();
        const Figure bigMove = bench.moveDialog();
        printFigure("F4 register dialog", kSmallBook, smallRegister);
        printFigure("F4 register dialog", kBigBook, bigRegister);
        printGrowth("F4 register dialog", smallRegister, bigRegister);
        printFigure("move dialog       ", kSmallBook, smallMove);
        printFigure("move dialog       ", kBigBook, bigMove);
        printGrowth("move dialog       ", smallMove, bigMove);
    }
    runMemoryChild();
    return 0;
}
