#include "wordlistdelegate.h"

#include "core/ulib.h"
#include "ipa/ipafonts.h"
#include "listpainting.h"
#include "questiontype.h"
#include "visibletext.h"
#include "widgets/fixedcolours.h"
#include "wordlistmodel.h"

#include <QPainter>

namespace {

struct ListFontDef {
    // The family as the settings name it, and the family that is drawn for it.
    QString UsrVars::*setting;
    QStringList (*families)(const QString &setting);
    QFont::StyleHint hint;
    int SysVars::*cachedSize;
    // The sample's share of the row height, in percent: a setting, or fixed where none.
    int UsrVars::*percentSetting;
    int fixedPercent;
    const char16_t *sample;
};

QStringList asNamed(const QString &setting)
{
    return {setting};
}

QStringList russianFamily(const QString &setting)
{
    return {RussianFontFamily(setting)};
}

QStringList ipaFamily(const QString &setting)
{
    return {IpaFontFamily(setting)};
}

// Index = WordListDelegate::ListFont.
const ListFontDef kListFonts[] = {
    {&UsrVars::UsrMainFont, russianFamily, QFont::Serif, &SysVars::OBNFSize, &UsrVars::FParamMain,
     0, u"M"},
    {&UsrVars::UsrIPAFont, ipaFamily, QFont::SansSerif, &SysVars::IPAFSize, &UsrVars::FParamIPA, 0,
     u"P"},
    {&UsrVars::UsrEngFont, asNamed, QFont::SansSerif, &SysVars::EngFSize, nullptr, 86, u"Q"},
    {&UsrVars::UsrJpFont, JapaneseFamilies, QFont::SansSerif, &SysVars::JPNFSize,
     &UsrVars::FParamJp, 0, u"あ"},
};

QFont unsizedFont(const ListFontDef &def)
{
    QFont font;
    const QStringList families = def.families(Usr.*def.setting);
    if (!families.front().isEmpty())
        font.setFamilies(families);
    font.setStyleHint(def.hint);
    return font;
}

double heightRatio(const ListFontDef &def)
{
    const int percent = def.percentSetting ? Usr.*def.percentSetting : def.fixedPercent;
    return percent / 100.0;
}

WordListDelegate::ListFont cueFont()
{
    switch (QuestionTypeOf(Sys.TC_Type)) {
    case QuestionType::FillInBlank:
        return WordListDelegate::Russian;
    case QuestionType::Composition:
        return WordListDelegate::Japanese;
    case QuestionType::Vocabulary:
        break;
    }
    return WordListDelegate::Ipa;
}

} // namespace

WordListDelegate::WordListDelegate(const WordListModel *model, int rowHeight, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_model(model)
    , m_rowHeight(rowHeight)
{}

QSize WordListDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return {QStyledItemDelegate::sizeHint(option, index).width(), m_rowHeight};
}

QString WordListDelegate::displayText(const QVariant &value, const QLocale &locale) const
{
    return QStyledItemDelegate::displayText(VisiblePart(value.toString()), locale);
}

// A font whose cached size is -1 is fitted again; one whose family setting changed is made
// again at its cached size.
const QFont &WordListDelegate::listFont(ListFont which) const
{
    const ListFontDef &def = kListFonts[which];
    int &size = Sys.*def.cachedSize;
    QFont &font = m_fonts[which];
    const QFont unsized = unsizedFont(def);
    if (size < 0)
        size = GetBestFontSizeV(unsized, heightRatio(def), m_rowHeight,
                                QString::fromUtf16(def.sample));
    if (m_sizes[which] != size || m_families[which] != unsized.family()) {
        font = SetMojiBase(unsized, size);
        m_sizes[which] = size;
        m_families[which] = unsized.family();
    }
    return font;
}

WordListDelegate::ListFont WordListDelegate::fontOfColumn(int column) const
{
    switch (column) {
    case WordListModel::First:
        return m_model->russianFirst() ? Russian : Japanese;
    case WordListModel::Number:
        return Number;
    case WordListModel::Cue:
        return cueFont();
    case WordListModel::Fourth:
        return m_model->russianFirst() ? Japanese : Russian;
    default:
        return Japanese;
    }
}

const QFont &WordListDelegate::cellFont(int column) const
{
    return listFont(fontOfColumn(column));
}

void WordListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    if (index.column() == WordListModel::Spare)
        return;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette &palette = option.palette;
    painter->save();
    const QColor fill = selected ? palette.highlight().color() : QColor(QRgb(Sys.LvBkColor));
    painter->setBrush(fill);
    painter->setPen(TextColourOn(fill, selected ? palette.highlightedText().color()
                                                : palette.windowText().color()));
    painter->setFont(cellFont(index.column()));
    DrawRectText(*painter, option.rect, index.column() == WordListModel::Number,
                 index.data(Qt::DisplayRole).toString());
    painter->restore();
}
