#include "bookchooser.h"

#include "core/folders.h"
#include "core/ulib.h"
#include "widgets/exactfields.h"
#include "widgets/fixedcolours.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kBarHeight = 60;
constexpr QSize kButtonSize{52, 48};
constexpr int kSmallestChooserPixels = 9;
constexpr int kChooserTextPadding = 4;

struct FolderButton {
    const char *name;
    const char16_t *caption;
};

// Index = PracticeMode.
constexpr const char16_t *kModes[] = {u"順番どおり", u"復習（期限の単語）", u"苦手な単語"};

// Index = book folder (PFIndex): A, G, S.
constexpr FolderButton kFolderButtons[] = {
    {"SpeedButton2", u"book\nA"},
    {"SpeedButton3", u"book\nG"},
    {"SpeedButton4", u"book\nS"},
};

} // namespace

BookChooser::BookChooser(QWidget *parent)
    : QWidget(parent)
{
    setFixedHeight(kBarHeight);
    auto *bar = new QHBoxLayout(this);
    bar->setContentsMargins(4, 4, 4, 4);
    QPushButton *leave = twoLineButton(QStringLiteral("単語帳\nF1"), "Button1");
    connect(leave, &QPushButton::clicked, this, &BookChooser::leaveRequested);
    bar->addWidget(leave);
    m_classSelector = new QComboBox(this);
    m_classSelector->setObjectName(QStringLiteral("ComboBox2"));
    m_classSelector->setAccessibleName(QStringLiteral("クラス"));
    for (const QString &name : EUName)
        m_classSelector->addItem(name);
    bar->addWidget(m_classSelector);
    bar->addWidget(buildRemaining());
    bar->addWidget(buildChooserColumn(), 1);
    buildBookButtons();
    for (QToolButton *button : m_bookButtons)
        bar->addWidget(button);
    QPushButton *quit = twoLineButton(QStringLiteral("終了\nF12"), "Button2");
    connect(quit, &QPushButton::clicked, this, &BookChooser::quitRequested);
    bar->addWidget(quit);

    // A class the settings hold outside Class0 to Class5 is taken as Class0.
    if (Usr.PClassRoom < 0 || Usr.PClassRoom >= int(EUName.size()))
        Usr.PClassRoom = 0;
    m_classSelector->setCurrentIndex(Usr.PClassRoom);
    connect(m_classSelector, &QComboBox::activated, this, &BookChooser::ComboBox2Change);
    connect(m_chooser, &QComboBox::activated, this, &BookChooser::bookPicked);
    connect(m_chooser, &QComboBox::currentIndexChanged, this, &BookChooser::fitChooserFont);
}

QPushButton *BookChooser::twoLineButton(const QString &caption, const char *name)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setFixedSize(kButtonSize);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QWidget *BookChooser::buildRemaining()
{
    auto *box = new QWidget(this);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    auto *caption = PlainLabel(QStringLiteral("残り勝負"), box);
    caption->setAlignment(Qt::AlignCenter);
    m_remaining = new QLineEdit(box);
    m_remaining->setObjectName(QStringLiteral("Edit1"));
    m_remaining->setAccessibleName(QStringLiteral("残り勝負"));
    m_remaining->setReadOnly(true);
    m_remaining->setFocusPolicy(Qt::NoFocus);
    m_remaining->setAlignment(Qt::AlignCenter);
    QFont font = m_remaining->font();
    font.setPixelSize(19);
    m_remaining->setFont(font);
    m_remaining->setFixedWidth(64);
    // The button face until the first value is shown.
    QPalette palette = m_remaining->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    m_remaining->setPalette(palette);
    caption->setBuddy(m_remaining);
    column->addWidget(caption);
    column->addWidget(m_remaining);
    return box;
}

// What to ask, with the due and weak counts, over the word book chooser.
QWidget *BookChooser::buildChooserColumn()
{
    auto *box = new QWidget(this);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    auto *modeRow = new QHBoxLayout;
    m_mode = new QComboBox(box);
    m_mode->setObjectName(QStringLiteral("ModeBox"));
    m_mode->setAccessibleName(QStringLiteral("出題"));
    for (const char16_t *mode : kModes)
        m_mode->addItem(QString::fromUtf16(mode));
    m_reviewCounts = PlainLabel(QString(), box);
    m_reviewCounts->setObjectName(QStringLiteral("ReviewCounts"));
    m_reviewCounts->setBuddy(m_mode);
    showReviewCounts(0, 0);
    // Picking the mode that is on changes nothing, as for the book folder buttons.
    connect(m_mode, &QComboBox::activated, this, [this] {
        if (mode() == m_shownMode)
            return;
        m_shownMode = mode();
        m_chooser->setEnabled(m_shownMode == PracticeMode::InOrder);
        Q_EMIT modeChanged();
    });
    modeRow->addWidget(m_mode);
    modeRow->addWidget(m_reviewCounts, 1);
    column->addLayout(modeRow);
    m_chooser = new QComboBox(box);
    m_chooser->setObjectName(QStringLiteral("ComboBox1"));
    m_chooser->setAccessibleName(QStringLiteral("単語帳"));
    m_chooser->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_chooser->setMinimumContentsLength(10);
    column->addWidget(m_chooser);
    return box;
}

void BookChooser::showReviewCounts(int due, int weak)
{
    m_reviewCounts->setText(QStringLiteral("期限 %1・苦手 %2").arg(due).arg(weak));
}

void BookChooser::disableReviews(const QString &reason)
{
    m_mode->setCurrentIndex(int(PracticeMode::InOrder));
    m_shownMode = PracticeMode::InOrder;
    m_mode->setEnabled(false);
    m_mode->setToolTip(reason);
    m_chooser->setEnabled(true);
    m_reviewCounts->setText(QStringLiteral("記録なし"));
}

PracticeMode BookChooser::mode() const
{
    return PracticeMode(m_mode->currentIndex());
}

void BookChooser::buildBookButtons()
{
    for (int index = 0; index < int(m_bookButtons.size()); ++index) {
        const FolderButton &row = kFolderButtons[index];
        auto *button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(row.name));
        button->setText(QString::fromUtf16(row.caption));
        button->setAccessibleName(QString::fromUtf16(row.caption).replace(u'\n', u' '));
        button->setCheckable(true);
        button->setFixedSize(kButtonSize.width() - 8, kButtonSize.height());
        connect(button, &QToolButton::clicked, this,
                [this, index](bool down) { BookButtonClick(index, down); });
        m_bookButtons[size_t(index)] = button;
    }
}

void BookChooser::SubFunction2()
{
    if (Usr.PClassRoom >= 0 && Usr.PClassRoom < int(EUName.size())) {
        for (size_t i = 0; i < m_folders.size(); ++i)
            m_folders[i] = BookFolderPath(Usr.PClassRoom, int(i));
    }
    for (QToolButton *button : m_bookButtons)
        button->setChecked(false);
    if (Usr.PFIndex >= 0 && Usr.PFIndex < int(m_bookButtons.size())) {
        m_bookButtons[size_t(Usr.PFIndex)]->setChecked(true);
        BookButtonClick(Usr.PFIndex, true);
    }
    Q_EMIT classSettled();
}

// A pressed button selects its folder; pressing the button that is down raises it and
// changes nothing else.
void BookChooser::BookButtonClick(int index, bool down)
{
    if (!down)
        return;
    for (QToolButton *button : m_bookButtons)
        button->setChecked(button == m_bookButtons[size_t(index)]);
    Usr.PFIndex = index;
    m_dogFolder = m_folders[size_t(index)];
    SearchDogFolder();
    Q_EMIT folderChanged();
}

void BookChooser::ComboBox2Change(int index)
{
    if (index == Usr.PClassRoom)
        return;
    Usr.PClassRoom = index;
    SubFunction2();
}

void BookChooser::SearchDogFolder()
{
    m_books = m_dogFolder.isEmpty() ? QList<ChooserBook>() : ListPracticeBooks(m_dogFolder);
    m_chooser->clear();
    for (const ChooserBook &book : m_books)
        m_chooser->addItem(ChooserLine(book));
    m_chooser->setCurrentIndex(-1);
    showPrompt();
}

void BookChooser::showPrompt()
{
    if (m_chooser->currentIndex() >= 0)
        return;
    m_chooser->setPlaceholderText(
        (m_books.isEmpty() ? kNoBooksPrompt : kPickBookPrompt).toString());
    fitChooserFont();
}

void BookChooser::showNotice(const QString &text)
{
    m_chooser->setCurrentIndex(-1);
    m_chooser->setPlaceholderText(text);
    fitChooserFont();
}

void BookChooser::resizeEvent(QResizeEvent *)
{
    fitChooserFont();
}

// The chooser's text in the bar's font, smaller where the chooser is too narrow for it.
void BookChooser::fitChooserFont()
{
    const QString text =
        m_chooser->currentIndex() >= 0 ? m_chooser->currentText() : m_chooser->placeholderText();
    QStyleOptionComboBox option;
    option.initFrom(m_chooser);
    const int room =
        m_chooser->style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, m_chooser)
            .width() -
        kChooserTextPadding;
    QFont font = this->font();
    for (int pixels = font.pixelSize(); pixels > kSmallestChooserPixels; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(text) <= room)
            break;
    }
    m_chooser->setFont(font);
    m_chooser->view()->setFont(this->font());
}

void BookChooser::DrawRemaining(int games)
{
    m_remaining->setPalette(QPalette());
    SetFixedBackground(m_remaining, QPalette::Base, Qt::white);
    m_remaining->setText(QString::number(games));
}

const ChooserBook *BookChooser::bookAt(int line) const
{
    return line >= 0 && line < m_books.size() ? &m_books[line] : nullptr;
}
