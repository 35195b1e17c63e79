#include "tfsizefrm.h"

#include "core/settingstable.h"
#include "core/ulib.h"
#include "dialogstyle.h"
#include "widgets/exactfields.h"
#include "widgets/fixedcolours.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kValueFontPixels = 11;
constexpr int kNoteFontPixels = 13;
constexpr int kFontFieldWidth = 150;
constexpr int kTickInterval = 2;

enum Page { WordListPage, ChartPage, PageCount };
constexpr std::array<const char16_t *, PageCount> kPageCaptions{u"単語リスト",
                                                                u"アルファベットと記号"};

// One slider group: where it sits, the font it sizes, the setting it moves, the value "初期化"
// restores, what it drops when the value changes and the signal that asks for the redraw.
struct SizeGroup {
    Page page;
    const char16_t *caption;
    QString UsrVars::*font;
    int UsrVars::*setting;
    int defaultValue;
    void (*invalidate)(int value);
    void (TFSizeFrm::*redraw)();
};

// The word list's sizes are computed from the setting when the list is drawn; -1 has them
// computed again. The chart's size follows from the setting at once.
const std::array<SizeGroup, 4> kGroups{{
    {WordListPage, u"ロシア語", &UsrVars::UsrMainFont, &UsrVars::FParamMain, 80,
     [](int) { Sys.OBNFSize = -1; }, &TFSizeFrm::wordListChanged},
    {WordListPage, u"発音記号", &UsrVars::UsrIPAFont, &UsrVars::FParamIPA, 88,
     [](int) { Sys.IPAFSize = -1; }, &TFSizeFrm::wordListChanged},
    {WordListPage, u"日本語", &UsrVars::UsrJpFont, &UsrVars::FParamJp, 81,
     [](int) { Sys.JPNFSize = -1; }, &TFSizeFrm::wordListChanged},
    {ChartPage, u"アルファベット", &UsrVars::UsrMainFont, &UsrVars::ChartMainParam, 70,
     [](int value) { Usr.ChartMainFSize = ComputeChartMainFSize(value); },
     &TFSizeFrm::chartChanged},
}};

QString caption(int group)
{
    return QString::fromUtf16(kGroups[group].caption);
}

QString numbered(const char *name, int index)
{
    return QLatin1StringView(name) + QString::number(index + 1);
}

void setPixelFont(QWidget *widget, int pixels)
{
    QFont font = widget->font();
    font.setPixelSize(pixels);
    widget->setFont(font);
}

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

TFSizeFrm::TFSizeFrm(QWidget *mainWindow, bool chartPageFirst, QPoint topLeft)
    : QDialog(mainWindow, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("FSizeFrm"));
    setWindowTitle(QStringLiteral("文字サイズ調整"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    SetOptionWindowFont(this);
    auto *layout = new QVBoxLayout(this);
    QTabWidget *pages = buildPages();
    pages->setCurrentIndex(chartPageFirst ? ChartPage : WordListPage);
    layout->addWidget(pages, 1);
    layout->addWidget(buildBottomBar());
    m_bookNote->setVisible(Sys.TC_Title.isEmpty());
    setFixedSize(kSize);
    // setGeometry places the inner window; a move before the native window exists would be
    // taken as the frame's corner.
    setGeometry(QRect(topLeft, kSize));
}

void TFSizeFrm::hideBookNote()
{
    m_bookNote->hide();
}

// The groups of each page from top to bottom, in the order of the table.
QTabWidget *TFSizeFrm::buildPages()
{
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("PageControl1"));
    std::array<QVBoxLayout *, PageCount> columns{};
    for (int page = 0; page < PageCount; ++page) {
        auto *sheet = new QWidget;
        sheet->setObjectName(numbered("TabSheet", page));
        columns[page] = new QVBoxLayout(sheet);
        // Tight, so the three groups of the word list fit the fixed height.
        columns[page]->setContentsMargins(6, 4, 6, 4);
        columns[page]->setSpacing(2);
        tabs->addTab(sheet, QString::fromUtf16(kPageCaptions[page]));
    }
    for (int group = 0; group < kGroupCount; ++group)
        columns[kGroups[group].page]->addWidget(buildGroup(group));
    for (QVBoxLayout *column : columns)
        column->addStretch();
    return tabs;
}

// The font in use, the slider with its value above it and "初期化".
QWidget *TFSizeFrm::buildGroup(int group)
{
    const SizeGroup &def = kGroups[group];
    auto *box = new QGroupBox(caption(group));
    box->setObjectName(numbered("GroupBox", group));

    auto *font = WithoutLengthLimit(new QLineEdit(box));
    font->setText(Usr.*def.font);
    font->setObjectName(numbered("Edit", group));
    font->setAccessibleName(caption(group) + QStringLiteral("のフォント"));
    font->setReadOnly(true);
    font->setFixedWidth(kFontFieldWidth);
    setColour(font, QPalette::Base, palette().color(QPalette::Button));

    auto *value = PlainLabel(QString(), box);
    value->setObjectName(numbered("Label", group));
    value->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    setPixelFont(value, kValueFontPixels);
    m_values[group] = value;

    auto *slider = new QSlider(Qt::Horizontal, box);
    slider->setObjectName(numbered("TrackBar", group));
    slider->setAccessibleName(caption(group) + QStringLiteral("の文字サイズ"));
    slider->setRange(kSmallestFontScale, kLargestFontScale);
    slider->setTickInterval(kTickInterval);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setValue(Usr.*def.setting);
    m_sliders[group] = slider;
    showValue(group, slider->value());

    auto *reset = new QPushButton(QStringLiteral("初期化"), box);
    reset->setObjectName(numbered("SpeedButton", group));
    reset->setAccessibleName(caption(group) + QStringLiteral("の文字サイズを初期化"));
    reset->setAccessibleDescription(QStringLiteral("既定値 %1 に戻します").arg(def.defaultValue));
    reset->setAutoDefault(false);

    connect(slider, &QSlider::valueChanged, this, [this, group](int v) { applySize(group, v); });
    connect(reset, &QPushButton::clicked, this, [this, group] { resetSize(group); });

    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(8, 0, 8, 4);
    grid->setVerticalSpacing(0);
    grid->addWidget(value, 0, 1);
    grid->addWidget(font, 1, 0);
    grid->addWidget(slider, 1, 1);
    grid->addWidget(reset, 1, 2);
    grid->setColumnStretch(1, 1);
    return box;
}

// The red note on the left, "閉じる" on the right.
QWidget *TFSizeFrm::buildBottomBar()
{
    auto *bar = new QWidget(this);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    m_bookNote = PlainLabel(QStringLiteral("※調整のために、どれか単語帳をロードして下さい。"), bar);
    m_bookNote->setObjectName(QStringLiteral("Label5"));
    setPixelFont(m_bookNote, kNoteFontPixels);
    setColour(m_bookNote, QPalette::WindowText,
              ReadableOn(palette().color(QPalette::Window), Qt::red));
    row->addWidget(m_bookNote);
    row->addStretch();
    auto *close = new QPushButton(QStringLiteral("閉じる"), bar);
    close->setObjectName(QStringLiteral("Button1"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    row->addWidget(close);
    return bar;
}

void TFSizeFrm::applySize(int group, int value)
{
    const SizeGroup &def = kGroups[group];
    showValue(group, value);
    Usr.*def.setting = value;
    def.invalidate(value);
    Q_EMIT(this->*def.redraw)();
}

// The slider is set quietly so the value is applied exactly once, moved or not.
void TFSizeFrm::resetSize(int group)
{
    const int value = kGroups[group].defaultValue;
    {
        const QSignalBlocker quiet(m_sliders[group]);
        m_sliders[group]->setValue(value);
    }
    applySize(group, value);
}

// The label's text alone would be a bare number to a screen reader, so its name says which.
void TFSizeFrm::showValue(int group, int value)
{
    const QString text = QString::number(value);
    m_values[group]->setText(text);
    m_values[group]->setAccessibleName(caption(group) + QStringLiteral("の文字サイズ ") + text);
}
