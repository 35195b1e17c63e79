#include "regmoddialog.h"

#include "core/ulib.h"
#include "input/imeswitch.h"
#include "input/truspad.h"
#include "ipa/tipapad.h"
#include "tframe6.h"
#include "widgets/messagebox.h"
#include "wordbookcommands.h"

#include <QAction>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kFrameHeight = 280;
constexpr QSize kMinimumSize(600, 570);
constexpr QSize kMaximumSize(1000, 600);

} // namespace

RegModDialog::RegModDialog(WordBookCommands *commands, const QString &caption)
    : QDialog(commands->window())
    , m_commands(commands)
{
    setWindowTitle(caption);
    setModal(true);
    setMinimumSize(kMinimumSize);
    setMaximumSize(kMaximumSize);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_frame = new TFrame6(this);
    m_frame->setFixedHeight(kFrameHeight);
    layout->addWidget(m_frame);
    layout->addWidget(buildPadPages(), 1);
    m_bottomBar = new QHBoxLayout;
    layout->addLayout(m_bottomBar);
    m_frame->attachPads(m_rusPad, m_ipaPad, m_padPages);
}

QWidget *RegModDialog::buildPadPages()
{
    m_padPages = new QTabWidget(this);
    m_padPages->setObjectName(QStringLiteral("PageControl1"));
    m_padPages->setTabPosition(QTabWidget::West);
    m_rusPad = new TRusPad(m_padPages);
    m_rusPad->setObjectName(QStringLiteral("RusPad1"));
    // The accent setting is changed only in the main window.
    m_rusPad->syncAccentCheck();
    m_rusPad->setAccentCheckEnabled(false);
    m_ipaPad = new TIPAPad(m_padPages);
    m_ipaPad->setObjectName(QStringLiteral("IPAPad1"));
    m_padPages->addTab(m_rusPad, QStringLiteral("ロシア語"));
    m_padPages->addTab(m_ipaPad, QStringLiteral("発音記号"));
    return m_padPages;
}

void RegModDialog::setMainButton(QPushButton *button)
{
    auto *f8 = new QAction(this);
    f8->setShortcut(Qt::Key_F8);
    f8->setShortcutContext(Qt::WindowShortcut);
    connect(f8, &QAction::triggered, button, &QPushButton::click);
    addAction(f8);
}

std::optional<WordEntry> RegModDialog::validatedEntry()
{
    WordEntry entry = m_frame->typedEntry();
    if (!entry[EntryField::Russian].isEmpty() && !entry[EntryField::Japanese].isEmpty())
        return entry;
    ShowWarning(QStringLiteral("ロシア語と") + Sys.BaseName +
                    QStringLiteral("は、必ず入力して下さい。"),
                m_commands->window());
    return std::nullopt;
}

void RegModDialog::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        m_placed = true;
        m_frame->AdjustQuestionType();
        placeWindow();
        m_rusPad->showLowerPage();
        m_padPages->setCurrentIndex(0);
    }
    QDialog::showEvent(event);
}

// Where either dialog was last closed, or centred on the main window the first time. The
// place is the inner window's, as it is stored: a frame's place given to a window that is not
// yet framed would move the dialog up by its title bar at every showing.
void RegModDialog::placeWindow()
{
    if (Usr.RegModLeft >= 0 && Usr.RegModTop >= 0) {
        setGeometry(Usr.RegModLeft, Usr.RegModTop, Usr.RegModWidth, Usr.RegModHeight);
        return;
    }
    resize(Usr.RegModWidth, Usr.RegModHeight);
    const QRect main = m_commands->window()->frameGeometry();
    move(main.left() + (main.width() - width()) / 2, main.top() + (main.height() - height()) / 2);
}

void RegModDialog::storeGeometry()
{
    const QRect inner = geometry();
    Usr.RegModLeft = inner.left();
    Usr.RegModTop = inner.top();
    Usr.RegModWidth = inner.width();
    Usr.RegModHeight = inner.height();
}

void RegModDialog::done(int result)
{
    storeGeometry();
    LoadGaIme();
    QDialog::done(result);
}
