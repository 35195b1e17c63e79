#include "tipapad.h"

#include "core/codecs.h"
#include "core/ulib.h"
#include "input/tkeybutton.h"
#include "ipa/ipacatalogue.h"
#include "ipa/ipafonts.h"
#include "ipa/uipa.h"
#include "widgets/fixedcolours.h"

#include <QLineEdit>
#include <QResizeEvent>
#include <cmath>

namespace {

// The key captions in key-button order: the three letter rows of a JIS keyboard.
constexpr QStringView EngCap = u"QWERTYUIOP@[ASDFGHJKL;:]ZXCVBNM,./\\";

struct KeyRow {
    int first; // index into EngCap
    int count;
    int indentQuarters; // indent in quarters of a key width
};
constexpr std::array<KeyRow, 3> KeyRows{{{0, 12, 0}, {12, 12, 3}, {24, 11, 5}}};

// The two keys that show what Shift gives on a JIS keyboard.
struct ShiftMark {
    QChar key;
    QChar mark;
};
constexpr std::array<ShiftMark, 2> ShiftMarks{{{u'/', u'?'}, {u'@', u'`'}}};
constexpr int ShiftMarkFPer = 45;

// The combining marks whose caption sits nearer the middle of the button.
constexpr QStringView CentredMarks = u"\u0300\u0301\u0302\u030C";

constexpr int FramePixelSize = 15;
// Three points are four pixels at the 96 dots per inch the sizes were made for.
constexpr int InfoPixelSize = FramePixelSize - 4;
constexpr int CandMainFPer = 65;

const QColor Silver(0xC0, 0xC0, 0xC0);
const QColor Aqua(0x00, 0xFF, 0xFF);

// Rounds halves to the even neighbour.
int Round(double value)
{
    return int(std::nearbyint(value));
}

QColor ToColor(Rgb rgb)
{
    return QColor::fromRgb(QRgb(rgb));
}

QString ShiftMarkOf(QChar key)
{
    for (const ShiftMark &mark : ShiftMarks) {
        if (mark.key == key)
            return QString(mark.mark);
    }
    return {};
}

// The values every button of the pad starts with.
TKeyButton *NewPadButton(QWidget *parent, const QString &name)
{
    auto *button = new TKeyButton(parent);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::NoFocus);
    button->setHoverColor(Silver);
    button->setSeleColor(Aqua);
    button->setForeColor1(Qt::black);
    button->setForeColor2(Qt::red);
    button->setMainFPer(80);
    button->setSubFPer(25);
    button->setXPosPer(66);
    button->setYPosPer(66);
    button->setAutoFSized(true);
    return button;
}

// Setting a tooltip notifies the button even when the text stays the same.
void setChangedToolTip(QWidget *widget, const QString &tip)
{
    if (widget->toolTip() != tip)
        widget->setToolTip(tip);
}

QFont IpaFont(const QFont &base)
{
    QFont font = base;
    font.setFamily(IpaFontFamily(Usr.UsrIPAFont));
    return font;
}

} // namespace

TIPAPad::TIPAPad(QWidget *parent)
    : QWidget(parent)
{
    QFont frameFont(QStringLiteral("Segoe UI"));
    frameFont.setPixelSize(FramePixelSize);
    setFont(frameFont);
    buildControls();
    // Captions and names are there before the first resize: a pad on a hidden page has none.
    AdjustPosSize();
}

void TIPAPad::buildControls()
{
    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setAutoFillBackground(true);
    for (int i = 0; i < CandCount; ++i) {
        TKeyButton *button = NewPadButton(m_panel, QStringLiteral("CandBtn%1").arg(i + 1));
        connect(button, &QPushButton::clicked, this, [this, i] { CandBtnClick(i + 1); });
        m_candBtns[i] = button;
    }
    for (int q = 0; q < KeyCount; ++q) {
        TKeyButton *button = NewPadButton(m_panel, QStringLiteral("KeyButton%1").arg(q + 1));
        connect(button, &QPushButton::clicked, this, [this, button] { KeyButton1Click(button); });
        m_keyBtns[q] = button;
    }
    m_infoEdit = new QLineEdit(m_panel);
    m_infoEdit->setObjectName(QStringLiteral("InfoEdit"));
    m_infoEdit->setReadOnly(true);
    m_infoEdit->setFocusPolicy(Qt::ClickFocus);
    m_infoEdit->setAccessibleName(QStringLiteral("説明欄"));
}

void TIPAPad::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    AdjustPosSize();
}

void TIPAPad::AdjustPosSize()
{
    m_panel->setGeometry(rect());
    const int width = m_panel->width();
    const int height = m_panel->height();
    for (QWidget *part : {static_cast<QWidget *>(m_panel), static_cast<QWidget *>(m_infoEdit)}) {
        SetFixedBackground(part, QPalette::Window, ToColor(Usr.IpaPadColor));
        SetFixedBackground(part, QPalette::Base, ToColor(Usr.IpaPadColor));
    }

    layoutCandButtons(width, height);
    const int candTop = height / 25;
    layoutKeyButtons(width, height, Round(candTop * 1.2) + (2 * height) / 8);
    layoutInfoEdit(width, height);
}

void TIPAPad::layoutCandButtons(int width, int height)
{
    const int cw = Round(width / 10.5);
    const int ch = (2 * height) / 8;
    const int cl = (width - 10 * cw) / 2;
    const int ct = height / 25;
    for (int i = 0; i < CandCount; ++i) {
        TKeyButton *button = m_candBtns[i];
        button->setGeometry(i * cw + cl, ct, cw, ch);
        button->setFont(IpaFont(font()));
        button->setText(QString());
        button->setSubCap(QString::number((i + 1) % 10));
        button->nameByCaptions();
        button->setEnabled(false);
    }
}

void TIPAPad::layoutKeyButtons(int width, int height, int firstRowTop)
{
    const int kw = Round(width / 14.0);
    const int kh = Round(height / 5.5);
    const int kl = (width - 12 * kw - (3 * kw) / 4) / 2;
    const int mainFPer = Usr.SmallPCFlg ? 70 : 65;
    for (int row = 0; row < int(KeyRows.size()); ++row) {
        const KeyRow &keys = KeyRows[row];
        const int left = kl + (keys.indentQuarters * kw) / 4;
        for (int k = 0; k < keys.count; ++k) {
            const QChar caption = EngCap[keys.first + k];
            TKeyButton *button = m_keyBtns[keys.first + k];
            button->setGeometry(left + k * kw, firstRowTop + row * kh, kw, kh);
            button->setMainFPer(mainFPer);
            button->setFont(IpaFont(font()));
            button->setText(caption);
            const QString shiftMark = ShiftMarkOf(caption);
            button->setSubCap(shiftMark);
            if (!shiftMark.isEmpty())
                button->setSubFPer(ShiftMarkFPer);
            button->nameByCaptions();
            button->setEnabled(CheckIPA(QStringView(&caption, 1)));
        }
    }
}

void TIPAPad::layoutInfoEdit(int width, int height)
{
    QFont infoFont = JapaneseFont(QStringLiteral("Yu Gothic UI"));
    infoFont.setPixelSize(InfoPixelSize);
    m_infoEdit->setFont(infoFont);
    m_infoEdit->clear();
    const int editHeight = m_infoEdit->sizeHint().height();
    m_infoEdit->setGeometry(0, height - editHeight, width, editHeight);
}

// Only what differs from what is shown is set, so a redraw repaints only the buttons whose
// slot changed.
void TIPAPad::DispArrIPA()
{
    for (int slot = 1; slot <= CandCount; ++slot)
        showSlot(slot);
    const int index = Sys.SeleIndex;
    if (index < 0 || index >= CandCount || Sys.arrIPA[index].size() != 1)
        return;
    const QString info = IpaExplanation(Sys.arrIPA[index].front());
    if (m_infoEdit->text() == info)
        return;
    m_infoEdit->setText(info);
    m_infoEdit->setCursorPosition(0);
    // A description longer than the field is read whole in the tip.
    m_infoEdit->setToolTip(info);
}

void TIPAPad::showSlot(int slot)
{
    TKeyButton *button = m_candBtns[slot - 1];
    const QString &symbol = Sys.arrIPA[slot - 1];
    button->setMainFPer(CandMainFPer);
    if (symbol.isEmpty()) {
        button->setText(QString());
        button->nameByCaptions();
        setChangedToolTip(button, QString());
        button->setEnabled(false);
        button->setBackColor(palette().color(QPalette::Button));
        return;
    }
    QString english, japanese, description;
    GetIPAInfo(symbol.front(), english, japanese, description);
    button->setText(IpaCaption(symbol));
    // Read as the information line explains the symbol.
    button->nameByCaptions(IpaExplanation(symbol.front()));
    setChangedToolTip(button, english + QStringLiteral(": ") + HexCode4(symbol.front().unicode()));
    button->setEnabled(true);
    button->setXPosPer(CentredMarks.contains(symbol.front()) ? 52 : 66);
    button->setYPosPer(66);
    button->setBackColor(slot == Sys.SeleIndex + 1 ? Aqua : QColor(Qt::white));
}

void TIPAPad::KeyButton1Click(TKeyButton *sender)
{
    SetArrIPA(sender->text());
    DispArrIPA();
}

void TIPAPad::CandBtnClick(int slot)
{
    const QString symbol = Sys.arrIPA[slot - 1];
    if (m_candBtns[slot - 1]->text().isEmpty() || symbol.isEmpty())
        return;
    Sys.SeleIndex = slot - 1;
    Q_EMIT candidateClicked(symbol);
    DispArrIPA();
}
