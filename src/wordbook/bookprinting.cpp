#include "bookprinting.h"

#include "fieldfonts.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

namespace {

constexpr double kMarginMm = 15;
constexpr double kHeaderMm = 12;
constexpr double kFooterMm = 10;
const QColor kRuleColour(0x90, 0x90, 0x90);
const QColor kHeaderFill(0xe8, 0xe8, 0xe8);

struct PrintColumn {
    const char16_t *caption; // empty: the cue's caption of the book's type
    int field;               // entry field, -1 for the number
    double widthPercent;
};
constexpr PrintColumn kColumns[] = {
    {u"No", -1, 5},       {u"ロシア語", 0, 22}, {nullptr, 1, 19},
    {u"発音カナ", 2, 14}, {u"日本語", 3, 22},   {u"備考", 4, 18},
};

// The list's family at a printed point size (the list's own fonts are sized in screen pixels).
QFont printFont(FontKind kind, double points)
{
    QFont font = FieldFont(kind, int(points));
    font.setPointSizeF(points);
    return font;
}

FontKind cueFont(QuestionType type)
{
    switch (type) {
    case QuestionType::FillInBlank:
        return FontKind::Russian;
    case QuestionType::Composition:
        return FontKind::Japanese;
    case QuestionType::Vocabulary:
        break;
    }
    return FontKind::Ipa;
}

QFont columnFont(int field, QuestionType type)
{
    switch (field) {
    case 0:
        return printFont(FontKind::Russian, 12);
    case 1:
        return printFont(cueFont(type), 11);
    case 4:
        return printFont(FontKind::Japanese, 9);
    default:
        return printFont(FontKind::Japanese, 10);
    }
}

bool blanked(int field, BlankColumn blank)
{
    return (blank == BlankColumn::Russian && field == 0) ||
           (blank == BlankColumn::Japanese && field == 3);
}

QString cellText(const WordBook &book, int row, int field)
{
    if (field < 0)
        return QString::number(row + 1);
    return QString(book.entries[row].fields[size_t(field)])
        .replace(QStringLiteral("#$0D"), QStringLiteral("\n"));
}

void fillCell(QTextTable *table, int row, int column, const QString &text, const QFont &font)
{
    QTextCharFormat chars;
    chars.setFont(font);
    QTextCursor cursor = table->cellAt(row, column).firstCursorPosition();
    cursor.insertText(text, chars);
}

void buildTable(QTextDocument &doc, const WordBook &book, BlankColumn blank, double mmUnit)
{
    QTextTableFormat format;
    format.setBorder(0.25 * mmUnit);
    format.setBorderBrush(kRuleColour);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    // Paddings are in screen pixels, which the layout scales to the device; rules are not.
    format.setCellPadding(1.2 * QGuiApplication::primaryScreen()->logicalDotsPerInchY() / 25.4);
    format.setHeaderRowCount(1);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QList<QTextLength> widths;
    for (const PrintColumn &column : kColumns)
        widths.append(QTextLength(QTextLength::PercentageLength, column.widthPercent));
    format.setColumnWidthConstraints(widths);

    QTextCursor cursor(&doc);
    QTextTable *table =
        cursor.insertTable(int(book.entries.size()) + 1, int(std::size(kColumns)), format);
    const QFont headerFont = printFont(FontKind::Japanese, 9);
    for (int c = 0; c < int(std::size(kColumns)); ++c) {
        const PrintColumn &column = kColumns[c];
        QTextTableCell cell = table->cellAt(0, c);
        QTextCharFormat fill = cell.format();
        fill.setBackground(kHeaderFill);
        cell.setFormat(fill);
        fillCell(table, 0, c,
                 column.caption ? QString::fromUtf16(column.caption) : CueCaption(book.type),
                 headerFont);
    }
    for (int row = 0; row < book.entries.size(); ++row) {
        for (int c = 0; c < int(std::size(kColumns)); ++c) {
            const int field = kColumns[c].field;
            if (!blanked(field, blank))
                fillCell(table, row + 1, c, cellText(book, row, field),
                         field < 0 ? headerFont : columnFont(field, book.type));
        }
    }
}

void drawFurniture(QPainter &painter, const WordBook &book, const QRectF &page, double mmUnit,
                   int number, int total)
{
    const QRectF body = page.adjusted(kMarginMm * mmUnit, 0, -kMarginMm * mmUnit, 0);
    QFont font = printFont(FontKind::Japanese, 11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRectF header(body.left(), kMarginMm * mmUnit - kHeaderMm * mmUnit, body.width(),
                        kHeaderMm * mmUnit * 0.8);
    painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter, book.title);
    font.setBold(false);
    font.setPointSizeF(9);
    painter.setFont(font);
    painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter, book.group);
    const QRectF footer(body.left(), page.height() - (kMarginMm - 2) * mmUnit, body.width(),
                        kFooterMm * mmUnit * 0.6);
    painter.drawText(footer, Qt::AlignCenter, QStringLiteral("%1 / %2").arg(number).arg(total));
}

} // namespace

bool PrintWordBook(QPagedPaintDevice *device, const WordBook &book, BlankColumn blank)
{
    device->setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(device))
        return false;
    const double mmUnit = device->logicalDpiY() / 25.4;
    const QRectF page(0, 0, device->width(), device->height());
    const QRectF body = page.adjusted(kMarginMm * mmUnit, (kMarginMm + kHeaderMm / 2) * mmUnit,
                                      -kMarginMm * mmUnit, -(kMarginMm + kFooterMm / 2) * mmUnit);
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(device);
    doc.setDocumentMargin(0);
    doc.setPageSize(body.size());
    buildTable(doc, book, blank, mmUnit);
    const int total = doc.pageCount();
    for (int index = 0; index < total; ++index) {
        if (index > 0)
            device->newPage();
        drawFurniture(painter, book, page, mmUnit, index + 1, total);
        painter.save();
        painter.translate(body.left(), body.top() - index * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, index * body.height(), body.width(), body.height() - 2);
        painter.setClipRect(context.clip);
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return painter.end();
}
