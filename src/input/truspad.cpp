#include "input/truspad.h"

#include "core/ulib.h"
#include "input/accentrules.h"
#include "input/keytables.h"
#include "input/tkeybutton.h"
#include "widgets/exactfields.h"
#include "widgets/fixedcolours.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QResizeEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kMainFPer = 58;
constexpr int kSubFPer = 35;
// Lower page captions sit low in the key, clear of the sub-caption above them.
constexpr int kLowerYPosPer = 90;
constexpr int kFontPixels = 15;
// The layouts without extra keys have 47 keys; the mnemonic layout adds 48 to 52.
constexpr int kJisKeys = 47;

const QString kAccentHint =
    QStringLiteral("スラッシュキーでアクセント記号が入力できるようになります。");

// The place of a key: `column` key widths from the left margin plus whole halves and
// quarters of a key width (each truncated on its own) plus `extra` pixels, on `row`.
struct KeySlot {
    int column;
    int row;
    int halves;
    int quarters;
    int extra;
};

// A row of the staggered keyboard: keys `first` to `last` (1-based), the first of them in
// `column`, the row shifted right by halves and quarters of a key width.
struct KeyRow {
    int first;
    int last;
    int column;
    int halves;
    int quarters;
};

// Row 4 adds two truncated halves, so for an odd key width it is one pixel short of a whole.
constexpr std::array<KeyRow, 4> kRows{{
    {1, 13, 0, 0, 0},
    {14, 25, 1, 1, 0},
    {26, 37, 1, 1, 1},
    {38, kJisKeys, 1, 2, 1},
}};

// The mnemonic layout's extra keys fill the free places at the start of rows 2, 3 and 4, after
// the last key of row 1 and after the last key of row 4.
struct ExtraKey {
    int key;
    KeySlot slot;
};

constexpr std::array<ExtraKey, 5> kExtraKeys{{
    {48, {0, 1, 0, 0, 0}},
    {49, {0, 2, 0, 0, 0}},
    {50, {1, 3, 0, 0, 0}},
    {51, {13, 0, 0, 0, 2}},
    {52, {12, 3, 1, 1, 0}},
}};

// Key size and margins of a page of W × H pixels.
struct PadMetrics {
    int kw;
    int kh;
    int x0;
    int y0;

    explicit PadMetrics(QSize page)
        : kw(page.width() / 14)
        // H / 4.5 = 2H / 9 is never exactly a half, so the rounding never meets a tie.
        , kh(static_cast<int>(std::nearbyint(page.height() / 4.5)))
        , x0((page.width() - (12 * kw + kw / 2 + kw / 4 + kw)) / 4)
        , y0((page.height() - 4 * kh) / 2)
    {}

    QRect place(const KeySlot &slot) const
    {
        const int left =
            slot.column * kw + x0 + slot.halves * (kw / 2) + slot.quarters * (kw / 4) + slot.extra;
        return QRect(left, y0 + slot.row * kh, kw, kh);
    }
};

KeySlot rowSlot(int key)
{
    for (int row = 0; row < int(kRows.size()); ++row) {
        const KeyRow &r = kRows[row];
        if (key >= r.first && key <= r.last)
            return {r.column + key - r.first, row, r.halves, r.quarters, 0};
    }
    return {};
}

} // namespace

TRusPad::TRusPad(QWidget *parent)
    : QWidget(parent)
    , m_tabs(new QTabWidget(this))
{
    QFont padFont(QStringLiteral("Arial"));
    padFont.setPixelSize(kFontPixels);
    setFont(padFont);

    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);

    m_pages[Lower] = buildPage(Lower, QStringLiteral("TabSheet1"));
    m_pages[Upper] = buildPage(Upper, QStringLiteral("TabSheet2"));
    buildAccentControls(m_pages[Lower]);
    syncAccentCheck();
    AdjustPosSize();
}

// Keys take no focus: clicking one must leave the focus, and with it the caret and the
// selection, in the host's text field that the key types into.
QWidget *TRusPad::buildPage(Page page, const QString &name)
{
    auto *sheet = new QWidget;
    sheet->setObjectName(name);
    sheet->setAutoFillBackground(true);
    sheet->installEventFilter(this);
    m_tabs->addTab(sheet, QString());
    for (int k = 0; k < KeysPerPage; ++k) {
        auto *key = new TKeyButton(sheet);
        key->setObjectName(QStringLiteral("KeyButton%1").arg(page * KeysPerPage + k + 1));
        key->setFocusPolicy(Qt::NoFocus);
        if (page == Lower)
            connect(key, &QPushButton::clicked, this, [this, key] { KeyButton1Click(key); });
        else
            connect(key, &QPushButton::clicked, this, [this, key] { KeyButton53Click(key); });
        m_keys[page][k] = key;
    }
    return sheet;
}

void TRusPad::buildAccentControls(QWidget *lowerPage)
{
    m_accentCheck = new QCheckBox(lowerPage);
    m_accentCheck->setObjectName(QStringLiteral("CheckBox1"));
    m_accentCheck->resize(m_accentCheck->sizeHint());
    connect(m_accentCheck, &QCheckBox::toggled, this, &TRusPad::CheckBox1Click);

    m_accentLabel = PlainLabel(QStringLiteral("AC"), lowerPage);
    m_accentLabel->setObjectName(QStringLiteral("Label1"));
    m_accentLabel->adjustSize();
    // The box is named by the caption above it. Like the keys, a click leaves the focus in the
    // field being typed into; Tab still reaches the box.
    m_accentCheck->setAccessibleName(m_accentLabel->text());
    m_accentCheck->setFocusPolicy(Qt::TabFocus);
}

// The page shown has the size of the page area; see eventFilter.
void TRusPad::AdjustPosSize()
{
    AdjustPosSize(m_tabs->currentWidget()->size());
}

void TRusPad::AdjustPosSize(QSize pageSize)
{
    m_tabs->setTabText(Lower, QStringLiteral("Lower"));
    m_tabs->setTabText(Upper, QStringLiteral("Upper"));
    for (QWidget *sheet : m_pages)
        SetFixedBackground(sheet, QPalette::Window, QColor::fromRgb(Usr.RusPadColor));
    layoutPage(Lower, pageSize);
    layoutPage(Upper, pageSize);
    m_accentCheck->setToolTip(kAccentHint);
}

void TRusPad::layoutPage(Page page, QSize pageSize)
{
    const PadMetrics metrics(pageSize);
    const RussianLayout &layout = PadLayout(Usr.RusImeIndex);
    const bool extraKeys = layout.keyCount > kJisKeys;
    const int tablePage = page == Lower ? 1 : 2;
    for (int i = 1; i <= layout.keyCount; ++i) {
        TKeyButton *key = m_keys[page][i - 1];
        const KeyCap cap = layout.table(tablePage, i - 1);
        key->setGeometry(metrics.place(rowSlot(i)));
        key->setForeColor1(QColor::fromRgb(cap.color));
        key->setMainFPer(kMainFPer);
        key->setSubFPer(kSubFPer);
        if (page == Lower)
            key->setYPosPer(kLowerYPosPer);
        key->setText(cap.caption);
        key->setSubCap(cap.subCaption);
        // The sub-caption names the key of the keyboard that types the caption.
        key->nameByCaptions();
    }
    for (const ExtraKey &extra : kExtraKeys) {
        TKeyButton *key = m_keys[page][extra.key - 1];
        key->setVisible(extraKeys);
        if (extraKeys)
            key->setGeometry(metrics.place(extra.slot));
    }
    if (page == Lower)
        placeAccentControls(metrics.x0, metrics.y0, metrics.kh);
}

void TRusPad::placeAccentControls(int x0, int y0, int kh)
{
    const int checkTop = y0 + 4 * kh - 17;
    m_accentCheck->move(x0 + 3, checkTop);
    m_accentLabel->move(x0, checkTop - 20);
}

void TRusPad::syncAccentCheck()
{
    m_accentCheck->setChecked(Usr.AccentFlg);
}

void TRusPad::setAccentCheckEnabled(bool enabled)
{
    m_accentCheck->setEnabled(enabled);
}

void TRusPad::followShift(bool shiftDown, bool capsLockOn)
{
    if (capsLockOn || Sys.ImeNumFlg)
        return;
    const int shown = m_tabs->currentIndex();
    if (shiftDown && shown == Lower)
        m_tabs->setCurrentIndex(Upper);
    else if (!shiftDown && shown == Upper)
        m_tabs->setCurrentIndex(Lower);
}

void TRusPad::showLowerPage()
{
    m_tabs->setCurrentIndex(Lower);
}

// Both pages share the page area, but only the page shown has its size: a hidden page keeps
// the size it had when last shown. So only a resize of the shown page lays out the pad.
bool TRusPad::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == m_tabs->currentWidget())
        AdjustPosSize(static_cast<QResizeEvent *>(event)->size());
    return QWidget::eventFilter(watched, event);
}

void TRusPad::KeyButton1Click(TKeyButton *key)
{
    sendCaption(key->text());
}

void TRusPad::KeyButton53Click(TKeyButton *key)
{
    sendCaption(key->text());
}

void TRusPad::sendCaption(const QString &caption)
{
    QString text = caption;
    // With the accent keys on, slash and backslash type the combining stress marks.
    if (Usr.AccentFlg && caption.size() == 1 && !AccentOfKey(caption.front()).isEmpty())
        text = AccentOfKey(caption.front()).toString();
    if (!text.isEmpty())
        Q_EMIT keyText(text);
}

void TRusPad::CheckBox1Click(bool checked)
{
    Usr.AccentFlg = checked;
}
