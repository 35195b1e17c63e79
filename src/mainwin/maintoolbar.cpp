#include "maintoolbar.h"

#include "core/settingstable.h"
#include "core/ulib.h"
#include "ipa/ipafonts.h"
#include "targetlamp.h"
#include "widgets/accessiblenames.h"
#include "widgets/exactfields.h"
#include "widgets/fontlists.h"
#include "widgets/mainactions.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <iterator>

namespace {

constexpr int kToolBarHeight = 57;
constexpr int kDesignedWidth = 844;
constexpr int kGroupTop = 2;
constexpr int kGroupHeight = 48;
constexpr QSize kButtonSize{45, 48};
constexpr QSize kPlainCheckSize{18, 17};
constexpr int kBoxHeight = 26;
constexpr int kBoxRows = 16;
constexpr int kModeBoxHeight = 21;
// 9 points at 96 dpi: the size the 45-pixel captions are designed for. A caption that does
// not fit at it (another font on another machine) is drawn smaller, down to kMinPixels.
constexpr int kToolBarPixels = 12;
constexpr int kMinPixels = 8;
// Room the flat button keeps around its caption.
constexpr int kCaptionMargin = 3;
// The Russian font list: Cyrillic character set.
constexpr int kCyrillicCharset = 204;
constexpr int kFirstFontSize = 8;
constexpr int kLastFontSize = 60;

struct CommandButton {
    const char *name;
    const char16_t *caption;
    // Emitted on a click; none for the buttons bound to actions and for the kana toggle.
    void (MainToolBar::*clicked)();
};

// The command group, left to right, 45 pixels apart.
constexpr CommandButton kCommandButtons[] = {
    {"SpeedButton1", u"練習\nF1", &MainToolBar::practiceClicked},
    {"SpeedButton2", u"クリア\nF2", &MainToolBar::clearClicked},
    {"SpeedButton3", u"登録\nF4", nullptr},
    {"SpeedButton4", u"編集\nF5", nullptr},
    {"SpeedButton5", u"検索\nF6", nullptr},
    {"SpeedButton6", u"カナ", nullptr},
    {"SpeedButton7", u"AC切\nF7", &MainToolBar::removeAccentsClicked},
};

struct ActionButton {
    const char *name;
    QAction *MainActions::*action;
};

constexpr ActionButton kActionButtons[] = {
    {"SpeedButton3", &MainActions::RegWord},
    {"SpeedButton4", &MainActions::ModWord},
    {"SpeedButton5", &MainActions::SearchWord},
    {"SpeedButton8", &MainActions::Transfer},
};

// The mode box text of each transfer mode, index = TransIndex - 1.
constexpr const char16_t *kModeTexts[] = {u" ﾘｯﾁ ﾃｷｽﾄ", u" NCR 10進", u" NCR 16進", u" ﾕﾆｺｰﾄﾞ"};

struct Placement {
    const char *name;
    QRect normal;
    QRect compact;
};

// The controls whose place differs between the normal and the compact arrangement.
const Placement kPlacements[] = {
    {"FontGroup", {517, kGroupTop, 212, kGroupHeight}, {517, kGroupTop, 142, kGroupHeight}},
    {"CheckBox2", {0, 0, 150, 18}, {0, 0, 150, 18}},
    {"ComboBox1", {0, 18, 150, kBoxHeight}, {0, 18, 90, kBoxHeight}},
    {"ComboBox2", {152, 18, 58, kBoxHeight}, {92, 18, 48, kBoxHeight}},
    {"ExitGroup", {742, kGroupTop, 91, kGroupHeight}, {672, kGroupTop, 91, kGroupHeight}},
};

// Lowers the widget's pixel size, one pixel at a time down to kMinPixels, until `fits` holds.
template <typename Fits> void shrinkUntilFits(QWidget *widget, Fits fits)
{
    QFont font = widget->font();
    while (!fits(widget) && font.pixelSize() > kMinPixels) {
        font.setPixelSize(font.pixelSize() - 1);
        widget->setFont(font);
    }
}

bool captionFits(const QWidget *button, const QString &caption)
{
    const QFontMetrics metrics(button->font());
    const QStringList lines = caption.split(u'\n');
    for (const QString &line : lines) {
        if (metrics.horizontalAdvance(line) > button->width() - 2 * kCaptionMargin)
            return false;
    }
    return lines.size() * metrics.lineSpacing() <= button->height() - 2 * kCaptionMargin;
}

// A click leaves the focus in the composition area (a Space typed there afterwards must not
// toggle the box); the box is still reached with Tab.
void keepFocusOnClick(QCheckBox *check)
{
    check->setFocusPolicy(Qt::TabFocus);
}

// `points` points smaller at 96 dpi, in pixels like the tool bar's own font.
QFont smallerBy(QFont font, int points)
{
    font.setPixelSize(qRound(font.pixelSize() - points * 96.0 / 72.0));
    return font;
}

// Shows `text` in an editable box, as its item when it has one, so that leaving the box later
// does not activate that item a second time. A name longer than the box shows its beginning.
void showText(QComboBox *box, const QString &text)
{
    const int index = box->findText(text);
    box->setCurrentIndex(index);
    if (index < 0)
        box->setEditText(text);
    box->lineEdit()->setCursorPosition(0);
}

} // namespace

MainToolBar::MainToolBar(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ToolBar1"));
    setFixedHeight(kToolBarHeight);
    QFont font = JapaneseFont(QStringLiteral("Yu Gothic UI"));
    font.setPixelSize(kToolBarPixels);
    setFont(font);
    buildCommandGroup();
    buildTransferPanel();
    buildFontGroup();
    buildExitGroup();
    arrange(false);
}

QSize MainToolBar::sizeHint() const
{
    return {kDesignedWidth, kToolBarHeight};
}

QWidget *MainToolBar::group(const char *name, const QRect &geometry)
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QLatin1StringView(name));
    panel->setGeometry(geometry);
    return panel;
}

QToolButton *MainToolBar::button(QWidget *group, const char *name, const QString &caption, int x)
{
    auto *button = new QToolButton(group);
    button->setObjectName(QLatin1StringView(name));
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(QRect(QPoint(x, 0), kButtonSize));
    shrinkUntilFits(button, [&caption](QWidget *w) { return captionFits(w, caption); });
    return button;
}

QCheckBox *MainToolBar::plainCheck(QWidget *group, const char *name, QPoint pos)
{
    auto *check = new QCheckBox(group);
    check->setObjectName(QLatin1StringView(name));
    check->setGeometry(QRect(pos, kPlainCheckSize));
    keepFocusOnClick(check);
    return check;
}

void MainToolBar::buildCommandGroup()
{
    QWidget *commands = group("CommandGroup", QRect(11, kGroupTop, 320, kGroupHeight));
    int x = 0;
    for (const CommandButton &row : kCommandButtons) {
        QToolButton *b = button(commands, row.name, QString::fromUtf16(row.caption), x);
        if (row.clicked)
            connect(b, &QToolButton::clicked, this, row.clicked);
        x += kButtonSize.width();
    }
    m_kanaButton = commands->findChild<QToolButton *>(QStringLiteral("SpeedButton6"));
    m_kanaButton->setCheckable(true);
    // The one command button without a function key is reached with Tab; a click still leaves
    // the focus where it was.
    m_kanaButton->setFocusPolicy(Qt::TabFocus);
    connect(m_kanaButton, &QToolButton::clicked, this, &MainToolBar::kanaToggled);
}

void MainToolBar::buildTransferPanel()
{
    QWidget *panel = group("TransferPanel", QRect(344, kGroupTop, 160, kGroupHeight));
    m_lamp = new TargetLamp(panel);
    m_lamp->setObjectName(QStringLiteral("Shape1"));
    m_lamp->setGeometry(3, 3, 20, 20);
    m_autoPasteCheck = plainCheck(panel, "CheckBox1", {6, 28});
    m_autoPasteCheck->setAccessibleName(QStringLiteral("自動貼り付け"));
    connect(m_autoPasteCheck, &QCheckBox::clicked, this, &MainToolBar::autoPasteToggled);
    m_transferButton = button(panel, "SpeedButton8", QStringLiteral("転送\nF9"), 32);

    m_objectLabel = PlainLabel(QString(), panel);
    m_objectLabel->setObjectName(QStringLiteral("Label1"));
    m_objectLabel->move(84, 0);
    setObjectLabel(true);

    m_modeBox = PlainLabel(QString(), panel);
    m_modeBox->setObjectName(QStringLiteral("Label2"));
    m_modeBox->setGeometry(80, 20, 75, kModeBoxHeight);
    m_modeBox->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_modeBox->setAutoFillBackground(true);
    QPalette palette = m_modeBox->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, QColor(0x00, 0xFF, 0x00));
    m_modeBox->setPalette(palette);
    QFont bold = m_modeBox->font();
    bold.setBold(true);
    m_modeBox->setFont(bold);
    setTransferMode(Usr.TransIndex);
}

QComboBox *MainToolBar::fontGroupBox(QWidget *group, const char *name)
{
    auto *box = new QComboBox(group);
    box->setObjectName(QLatin1StringView(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(kBoxRows);
    box->installEventFilter(this);
    WithoutLengthLimit(box->lineEdit())->installEventFilter(this);
    return box;
}

void MainToolBar::buildFontGroup()
{
    QWidget *fonts = group("FontGroup", {});
    m_narrowCheck = new QCheckBox(QStringLiteral("ロシア語フォント絞込み"), fonts);
    m_narrowCheck->setObjectName(QStringLiteral("CheckBox2"));
    keepFocusOnClick(m_narrowCheck);
    connect(m_narrowCheck, &QCheckBox::clicked, this, &MainToolBar::CheckBox2Click);

    // The list holds every screen font until the saved narrowing is applied at first display.
    m_fontBox = fontGroupBox(fonts, "ComboBox1");
    LupFonts3(0, m_fontBox, kCyrillicCharset);
    connect(m_fontBox, &QComboBox::textActivated, this, &MainToolBar::ComboBox1Change);

    NameBox(m_fontBox, QStringLiteral("ロシア語のフォント名"));

    m_sizeBox = fontGroupBox(fonts, "ComboBox2");
    NameBox(m_sizeBox, QStringLiteral("ロシア語の文字サイズ"));
    AddFontSizeItems(m_sizeBox, kFirstFontSize, kLastFontSize);
    connect(m_sizeBox, &QComboBox::textActivated, this, &MainToolBar::ComboBox2Change);
    showMainFont();
}

void MainToolBar::buildExitGroup()
{
    QWidget *exit = group("ExitGroup", {});
    auto *label = PlainLabel(QStringLiteral("下伸び"), exit);
    label->setObjectName(QStringLiteral("Label3"));
    label->move(0, 2);
    label->adjustSize();
    m_underStretchCheck = plainCheck(exit, "CheckBox3", {11, 28});
    NameByLabel(m_underStretchCheck, label);
    connect(m_underStretchCheck, &QCheckBox::clicked, this, &MainToolBar::underStretchToggled);
    QToolButton *exitButton = button(exit, "SpeedButton9", QStringLiteral("終了\nF12"), 47);
    connect(exitButton, &QToolButton::clicked, this, &MainToolBar::exitClicked);
}

void MainToolBar::arrange(bool compact)
{
    for (const Placement &row : kPlacements)
        findChild<QWidget *>(QLatin1StringView(row.name))
            ->setGeometry(compact ? row.compact : row.normal);
    // The check box's caption stays within the part of it that its group shows.
    shrinkUntilFits(m_narrowCheck, [](QWidget *w) {
        return w->sizeHint().width() <= qMin(w->width(), w->parentWidget()->width() - w->x());
    });
}

void MainToolBar::AdjustSmallPC()
{
    arrange(true);
    m_fontBox->setFont(smallerBy(font(), 2));
}

void MainToolBar::bindAction(QAbstractButton *button, QAction *action)
{
    button->setEnabled(action->isEnabled());
    connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
    connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
}

void MainToolBar::bindActions(const MainActions &actions)
{
    for (const ActionButton &row : kActionButtons)
        bindAction(findChild<QToolButton *>(QLatin1StringView(row.name)), actions.*row.action);
}

void MainToolBar::applySettings()
{
    m_kanaButton->setChecked(Usr.KanaFlg);
    m_autoPasteCheck->setChecked(Usr.AutoPasteFlg);
    m_underStretchCheck->setChecked(Usr.UnderStretchFlg);
    m_narrowCheck->setChecked(Usr.NarrowFontsFlg);
    CheckBox2Click();
    setTransferMode(Usr.TransIndex);
}

void MainToolBar::showMainFont()
{
    showText(m_fontBox, Usr.UsrMainFont);
    showText(m_sizeBox, QString::number(Usr.MainFontSize));
}

void MainToolBar::setLampOn(bool on)
{
    m_lamp->setOn(on);
}

void MainToolBar::setObjectLabel(bool russian)
{
    m_objectLabel->setText(russian ? QStringLiteral("ロシア語") : QStringLiteral("発音記号"));
    m_objectLabel->adjustSize();
}

void MainToolBar::setTransferMode(int index)
{
    if (index < 1 || index > int(std::size(kModeTexts)))
        return;
    m_modeBox->setText(QString::fromUtf16(kModeTexts[index - 1]));
}

// Narrowed: the scalable families that cover Cyrillic; otherwise every screen font.
void MainToolBar::CheckBox2Click()
{
    const QString shown = m_fontBox->currentText();
    const bool narrowed = m_narrowCheck->isChecked();
    m_fontBox->clear();
    LupFonts3(narrowed ? 1 : 0, m_fontBox, kCyrillicCharset);
    showText(m_fontBox, shown);
    Usr.NarrowFontsFlg = narrowed;
}

// A blank name is no font: it leaves UsrMainFont as it is.
void MainToolBar::ComboBox1Change(const QString &text)
{
    const QString family = text.trimmed();
    if (!family.isEmpty() && family != Usr.UsrMainFont) {
        Usr.UsrMainFont = family;
        Q_EMIT fontChanged(family);
    }
    showText(m_fontBox, Usr.UsrMainFont);
    Q_EMIT fontBoxCommitted();
}

// Any positive integer is taken as it is; other text leaves MainFontSize unchanged.
void MainToolBar::ComboBox2Change(const QString &text)
{
    bool isNumber = false;
    const int size = text.trimmed().toInt(&isNumber);
    // A size the settings file would not take back is not taken either.
    if (isNumber && size > 0 && size <= kLargestMainFontSize)
        Usr.MainFontSize = size;
    showText(m_sizeBox, QString::number(Usr.MainFontSize));
    Q_EMIT fontSizeChanged(Usr.MainFontSize);
}

QComboBox *MainToolBar::committingBox(QObject *watched) const
{
    for (QComboBox *box : {m_fontBox, m_sizeBox}) {
        if (box && (watched == box || watched == box->lineEdit()))
            return box;
    }
    return nullptr;
}

// The boxes apply a change when the user commits it, by Enter or by a pick from the list (the
// box's textActivated), never per keystroke: the Russian area takes the focus after a change.
// Enter is taken here because the box itself activates only texts that match an item.
bool MainToolBar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    QComboBox *box = committingBox(watched);
    if (!box)
        return false;
    if (box == m_fontBox)
        ComboBox1Change(box->currentText());
    else
        ComboBox2Change(box->currentText());
    return true;
}
