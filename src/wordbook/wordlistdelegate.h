#pragma once

#include <QStyledItemDelegate>

#include <array>

class WordListModel;

// Paints the word list's rows: each cell in its list font (Russian, IPA, number or Japanese by
// the column, the list order and the open book's question type), fitted to the cell with "...",
// on the list's cream background or the selection colours. The four fonts' sizes are fitted to
// the row height once and kept in OBNFSize, IPAFSize, EngFSize and JPNFSize; -1 there makes the
// next painting fit them again.
class WordListDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    enum ListFont { Russian, Ipa, Number, Japanese, ListFontCount };

    WordListDelegate(const WordListModel *model, int rowHeight, QObject *parent);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // What could show of the cell's text (see VisiblePart), for the measuring of the base class.
    QString displayText(const QVariant &value, const QLocale &locale) const override;

    // The font a column is drawn with, its size fitted if need be.
    const QFont &cellFont(int column) const;

private:
    ListFont fontOfColumn(int column) const;
    const QFont &listFont(ListFont which) const;

    const WordListModel *m_model;
    int m_rowHeight;
    mutable std::array<QFont, ListFontCount> m_fonts;
    // What each font was made for.
    mutable std::array<int, ListFontCount> m_sizes{-1, -1, -1, -1};
    mutable std::array<QString, ListFontCount> m_families;
};
