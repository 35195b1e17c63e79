#include "helpdocument.h"
#include "ipa/ipafonts.h"
#include "transfer/helpdocument.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>
#include <QTextTable>

#include <optional>

namespace {

// Everything is laid out in the PDF's own device units.
constexpr int kDpi = 300;
constexpr double kPageWidthMm = 210;
constexpr double kPageHeightMm = 297;
constexpr double kSideMarginMm = 20;
constexpr double kTopMarginMm = 22;
constexpr double kBottomMarginMm = 20;
// Pictures are the program's windows at 96 pixels to the inch, printed at that size.
constexpr double kPictureScale = 1.0;
constexpr int kBodyPoints = 10;

// VL PGothic keeps kanji and the radicals that look like them as separate glyphs, so the PDF's
// text maps back to the kanji and a search for "入力" finds it; fonts that share those glyphs
// give "⼊⼒". Without it, Noto's Japanese face still draws every glyph; only searching suffers.
const QStringList kPreferredFamilies = {QStringLiteral("VL PGothic"),
                                        QStringLiteral("Noto Sans CJK JP")};
const QColor kHeadingColour(0x1f, 0x3a, 0x68);
const QColor kMutedColour(0x60, 0x60, 0x60);
const QColor kRuleColour(0xa0, 0xa8, 0xb8);
const QColor kTableHeaderColour(0xe6, 0xec, 0xf5);
const QColor kCodeColour(0xec, 0xec, 0xec);

double mm(double millimetres)
{
    return millimetres * kDpi / 25.4;
}

struct PageGeometry {
    QSizeF page{mm(kPageWidthMm), mm(kPageHeightMm)};
    QRectF body{mm(kSideMarginMm), mm(kTopMarginMm), mm(kPageWidthMm - 2 * kSideMarginMm),
                mm(kPageHeightMm - kTopMarginMm - kBottomMarginMm)};
};

struct Heading {
    int level = 0;
    QString text;
    int page = 0; // index of the body page, from 0
};

// A family that has the Japanese glyphs; the PDF embeds the glyphs it uses.
std::optional<QString> japaneseFamily()
{
    const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString &preferred : kPreferredFamilies)
        if (families.contains(preferred))
            return preferred;
    if (families.isEmpty())
        return std::nullopt;
    return families.first();
}

// The Japanese face with a face before it that sets the stress marks of the Russian examples.
QFont pointFont(const QString &family, double points, bool bold = false)
{
    QFont font;
    font.setFamilies(JapaneseFamilies(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The chapters in file-name order, as one Markdown text.
QString readChapters(const QString &folder, QString &error)
{
    const QStringList names =
        QDir(folder).entryList({QStringLiteral("*.md")}, QDir::Files, QDir::Name);
    if (names.isEmpty())
        error = QStringLiteral("no chapters in %1").arg(folder);
    QString markdown;
    for (const QString &name : names) {
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            error = QStringLiteral("cannot read %1").arg(file.fileName());
            return {};
        }
        markdown += QString::fromUtf8(file.readAll()) + QStringLiteral("\n\n");
    }
    return markdown;
}

// Picture file name → its caption, the Markdown image's text.
QHash<QString, QString> pictureCaptions(const QString &markdown)
{
    static const QRegularExpression image(QStringLiteral(R"(!\[([^\]]*)\]\(([^)\s]+)\))"));
    QHash<QString, QString> captions;
    for (const QRegularExpressionMatch &m : image.globalMatch(markdown))
        captions.insert(m.captured(2), m.captured(1));
    return captions;
}

void styleHeading(QTextCursor &cursor, int level, bool newPage, const QString &family)
{
    static constexpr double kPoints[] = {18, 13.5, 11.5};
    const int index = qBound(1, level, 3) - 1;
    QTextBlockFormat block = cursor.blockFormat();
    block.setTopMargin(mm(level == 1 ? 0 : 4.5));
    block.setBottomMargin(mm(level == 1 ? 3.5 : 1.5));
    if (level == 1 && newPage)
        block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.setBlockFormat(block);
    QTextCharFormat chars;
    chars.setFont(pointFont(family, kPoints[index], true));
    chars.setForeground(kHeadingColour);
    cursor.select(QTextCursor::BlockUnderCursor);
    cursor.mergeCharFormat(chars);
}

// Characters only IPA uses: its letters, modifier letters, combining marks and the dotted
// circle that stands for the letter a mark is set on.
bool isIpaOnly(QChar ch)
{
    const char16_t code = ch.unicode();
    return (code >= 0x0250 && code <= 0x036F) || code == 0x25CC;
}

bool isIpaWordPart(QChar ch)
{
    return isIpaOnly(ch) || (ch.isLetter() && ch.script() == QChar::Script_Latin) ||
           ch.category() == QChar::Mark_NonSpacing;
}

// A transcription such as "prʲɪˈvʲet" or "t͡s" drawn in the IPA face as a whole, and a mark on
// the dotted circle ("◌̂") in a face that sets it over the circle: the Japanese face and its
// Latin face lack some of the letters or do not set their marks, and a mark and its letter drawn
// by different faces do not meet.
void drawTranscriptionsInIpaFace(QTextDocument &doc)
{
    QTextCharFormat ipa;
    ipa.setFontFamilies({IpaFontFamily(QStringLiteral("DejaVu Sans"))});
    QTextCharFormat circle;
    circle.setFontFamilies({DottedCircleFontFamily()});
    const int end = doc.characterCount();
    for (int start = 0; start < end;) {
        if (!isIpaWordPart(doc.characterAt(start)) ||
            doc.characterAt(start).category() == QChar::Mark_NonSpacing) {
            ++start;
            continue;
        }
        int stop = start;
        bool transcription = false;
        for (; stop < end && isIpaWordPart(doc.characterAt(stop)); ++stop)
            transcription = transcription || isIpaOnly(doc.characterAt(stop));
        if (transcription) {
            QTextCursor cursor(&doc);
            cursor.setPosition(start);
            cursor.setPosition(stop, QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(doc.characterAt(start) == u'\u25CC' ? circle : ipa);
        }
        start = stop;
    }
}

// Key names and file names (Markdown code) on a light grey ground, as on a key cap.
void shadeCode(const QTextBlock &block)
{
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.charFormat().fontFixedPitch())
            continue;
        QTextCursor cursor(block);
        cursor.setPosition(fragment.position());
        cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
        QTextCharFormat shaded;
        shaded.setBackground(kCodeColour);
        cursor.mergeCharFormat(shaded);
    }
}

// A line of a command block: on a grey band, indented, the lines close together.
void styleCodeLine(QTextCursor &cursor, QTextBlockFormat format)
{
    format.setBackground(kCodeColour);
    format.setLeftMargin(mm(4));
    format.setTopMargin(0);
    format.setBottomMargin(0);
    format.setLineHeight(130, QTextBlockFormat::ProportionalHeight);
    cursor.setBlockFormat(format);
}

// Headings in the house style, each chapter on a new page; paragraphs a little more open than
// the default, as Japanese text reads better so.
void styleBlocks(QTextDocument &doc, const QString &family)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextCursor cursor(block);
        const int level = block.blockFormat().headingLevel();
        if (level > 0) {
            styleHeading(cursor, level, block != doc.begin(), family);
            continue;
        }
        QTextBlockFormat format = block.blockFormat();
        if (format.hasProperty(QTextFormat::BlockCodeFence)) {
            styleCodeLine(cursor, format);
            continue;
        }
        const bool inTable = cursor.currentTable() != nullptr;
        format.setLineHeight(inTable ? 115 : 135, QTextBlockFormat::ProportionalHeight);
        format.setBottomMargin(inTable ? 0 : mm(block.textList() ? 0.6 : 1.6));
        cursor.setBlockFormat(format);
        shadeCode(block);
    }
}

// Table paddings and margins are in screen pixels, which the layout scales to the device; the
// rules are in device units.
double screenMm(double millimetres)
{
    return mm(millimetres) * QGuiApplication::primaryScreen()->logicalDotsPerInchY() / kDpi;
}

void styleTable(QTextTable *table, const QString &family)
{
    QTextTableFormat format = table->format();
    format.setBorder(mm(0.25));
    format.setBorderBrush(kRuleColour);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(screenMm(1));
    format.setTopMargin(screenMm(1.5));
    format.setBottomMargin(screenMm(3));
    format.setHeaderRowCount(1);
    table->setFormat(format);
    for (int column = 0; column < table->columns(); ++column) {
        QTextTableCell cell = table->cellAt(0, column);
        QTextCharFormat header = cell.format();
        header.setBackground(kTableHeaderColour);
        cell.setFormat(header);
        QTextCursor cursor = cell.firstCursorPosition();
        cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
        QTextCharFormat bold;
        bold.setFont(pointFont(family, kBodyPoints - 0.5, true));
        cursor.mergeCharFormat(bold);
    }
}

void styleTables(QTextDocument &doc, const QString &family)
{
    for (QTextFrame *frame : doc.rootFrame()->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(frame))
            styleTable(table, family);
    }
}

// Loads each picture into the document at its printed size, centres it and puts its caption
// under it. A picture that is missing is an error: the document must not go out with holes.
QString placePictures(QTextDocument &doc, const QString &pictureFolder,
                      const QHash<QString, QString> &captions, double bodyWidth,
                      const QString &family)
{
    const double screenDpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat image = fragment.charFormat().toImageFormat();
            if (!image.isValid())
                continue;
            const QString name = image.name();
            QImage picture(QDir(pictureFolder).filePath(QFileInfo(name).fileName()));
            if (picture.isNull())
                return QStringLiteral("missing picture %1").arg(name);
            doc.addResource(QTextDocument::ImageResource, QUrl(name), picture);
            // Pictures are drawn at twice the window's size; the logical size sets the print
            // size. Image sizes are in screen pixels, which the layout scales to the device.
            const double logicalWidth = picture.width() / 2.0;
            const double deviceWidth = qMin(bodyWidth, logicalWidth * kPictureScale * kDpi / 96.0);
            const double width = deviceWidth * screenDpi / kDpi;
            image.setWidth(width);
            image.setHeight(width * picture.height() / picture.width());
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);

            QTextBlockFormat centred = block.blockFormat();
            centred.setAlignment(Qt::AlignHCenter);
            centred.setTopMargin(mm(2));
            centred.setBottomMargin(mm(0.5));
            centred.setLineHeight(100, QTextBlockFormat::SingleHeight);
            cursor.setBlockFormat(centred);
            cursor.movePosition(QTextCursor::EndOfBlock);
            QTextBlockFormat captionBlock = centred;
            captionBlock.setTopMargin(0);
            captionBlock.setBottomMargin(mm(3));
            QTextCharFormat captionChars;
            captionChars.setFont(pointFont(family, kBodyPoints - 1.5));
            captionChars.setForeground(kMutedColour);
            cursor.insertBlock(captionBlock, captionChars);
            cursor.insertText(QStringLiteral("図　") + captions.value(name));
            block = cursor.block();
            break;
        }
    }
    return {};
}

bool isHeading(const QTextBlock &block)
{
    return block.isValid() && block.blockFormat().headingLevel() > 0;
}

// A section heading too near the foot of a page moves to the next page with its text; so do
// headings that follow each other, together.
void keepHeadingsWithText(QTextDocument &doc, double pageHeight)
{
    const double kRoomBelow = mm(22);
    const QAbstractTextDocumentLayout *layout = doc.documentLayout();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() < 2)
            continue;
        QTextBlock last = block;
        while (isHeading(last.next()))
            last = last.next();
        const int page = int(layout->blockBoundingRect(block).top() / pageHeight);
        const double lastBottom = layout->blockBoundingRect(last).bottom();
        if ((page + 1) * pageHeight - lastBottom < kRoomBelow) {
            QTextBlockFormat format = block.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
        }
        block = last;
    }
}

// The page a line of a block lies on.
int pageOfLine(const QTextDocument &doc, const QTextBlock &block, const QTextLine &line,
               double pageHeight)
{
    const QRectF rect = doc.documentLayout()->blockBoundingRect(block);
    const double top = rect.top() - block.layout()->boundingRect().top() + line.y();
    return int((top + 1) / pageHeight);
}

// Qt's text layout draws, besides the lines inside the clip, the last line of a block above
// it; the clip hides it, but the PDF still holds its text, so search and copy would find a
// paragraph's last line on a page again at the top of the next. A block that runs over a
// page break is therefore cut there into two blocks that look the same.
void splitBlocksAtPageBreaks(QTextDocument &doc, double pageHeight)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        if (layout->lineCount() < 2)
            continue;
        const int firstPage = pageOfLine(doc, block, layout->lineAt(0), pageHeight);
        for (int i = 1; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            if (pageOfLine(doc, block, line, pageHeight) == firstPage)
                continue;
            QTextBlockFormat rest = block.blockFormat();
            rest.setTopMargin(0);
            rest.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
            if (QTextList *list = block.textList()) {
                // The rest of a list item keeps its indent but gets no second bullet.
                rest.setObjectIndex(-1);
                rest.setIndent(list->format().indent());
            }
            QTextCursor cursor(&doc);
            cursor.setPosition(block.position() + line.textStart());
            cursor.insertBlock(rest, cursor.charFormat());
            block = cursor.block().previous();
            break;
        }
    }
}

QList<Heading> headingsOf(const QTextDocument &doc, double pageHeight, int deepest)
{
    QList<Heading> headings;
    const QAbstractTextDocumentLayout *layout = doc.documentLayout();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level < 1 || level > deepest)
            continue;
        const QRectF rect = layout->blockBoundingRect(block);
        headings.append({level, block.text(), int((rect.top() + 1) / pageHeight)});
    }
    return headings;
}

// The table of contents: chapters and their sections with the page each starts on, as a
// borderless table whose second column holds the page numbers.
void fillContents(QTextDocument &contents, const QList<Heading> &headings, int firstBodyPage,
                  const QString &family)
{
    contents.clear();
    QTextCursor cursor(&contents);
    QTextBlockFormat title;
    title.setBottomMargin(mm(4));
    QTextCharFormat titleChars;
    titleChars.setFont(pointFont(family, 18, true));
    titleChars.setForeground(kHeadingColour);
    cursor.setBlockFormat(title);
    cursor.insertText(QStringLiteral("目次"), titleChars);

    QTextTableFormat format;
    format.setBorder(0);
    format.setCellSpacing(0);
    format.setCellPadding(screenMm(0.4));
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 90),
                                      QTextLength(QTextLength::PercentageLength, 10)});
    QTextTable *table = cursor.insertTable(int(headings.size()), 2, format);
    int chapter = 0;
    for (int row = 0; row < headings.size(); ++row) {
        const Heading &heading = headings[row];
        const bool isChapter = heading.level == 1;
        QTextCharFormat chars;
        chars.setFont(pointFont(family, isChapter ? 11 : 9, isChapter));
        chars.setForeground(isChapter ? kHeadingColour : QColor(Qt::black));
        QTextBlockFormat line;
        line.setLeftMargin(isChapter ? 0 : mm(8));
        line.setTopMargin(isChapter && row > 0 ? mm(2.5) : 0);
        QTextCursor text = table->cellAt(row, 0).firstCursorPosition();
        text.setBlockFormat(line);
        text.insertText((isChapter ? QStringLiteral("%1章　").arg(++chapter) : QString()) +
                            heading.text,
                        chars);
        QTextCursor number = table->cellAt(row, 1).firstCursorPosition();
        line.setLeftMargin(0);
        line.setAlignment(Qt::AlignRight);
        number.setBlockFormat(line);
        number.insertText(QString::number(firstBodyPage + heading.page + 1), chars);
    }
}

void drawTitlePage(QPainter &painter, const PageGeometry &geometry, const QString &family)
{
    const QRectF body = geometry.body;
    painter.setPen(kHeadingColour);
    painter.setFont(pointFont(family, 40, true));
    painter.drawText(QRectF(body.left(), body.top() + mm(70), body.width(), mm(25)),
                     Qt::AlignCenter, QStringLiteral("Kalvo"));
    painter.setFont(pointFont(family, 20));
    painter.drawText(QRectF(body.left(), body.top() + mm(97), body.width(), mm(14)),
                     Qt::AlignCenter, QStringLiteral("ヘルプ"));
    painter.setPen(kRuleColour);
    painter.drawLine(QPointF(body.left() + mm(40), body.top() + mm(115)),
                     QPointF(body.right() - mm(40), body.top() + mm(115)));
    painter.setPen(Qt::black);
    painter.setFont(pointFont(family, 12));
    painter.drawText(
        QRectF(body.left(), body.top() + mm(120), body.width(), mm(24)), Qt::AlignCenter,
        QStringLiteral("ロシア語を学ぶ人のための\nロシア語・発音記号の入力、単語帳と練習"));
    painter.setPen(kMutedColour);
    painter.setFont(pointFont(family, 10));
    painter.drawText(QRectF(body.left(), body.bottom() - mm(20), body.width(), mm(10)),
                     Qt::AlignCenter,
                     QStringLiteral("バージョン %1").arg(QStringLiteral(KALVO_VERSION)));
}

void drawPageFurniture(QPainter &painter, const PageGeometry &geometry, int pageNumber,
                       const QString &chapter, const QString &family)
{
    const QRectF body = geometry.body;
    painter.setFont(pointFont(family, 8.5));
    painter.setPen(kMutedColour);
    if (!chapter.isEmpty()) {
        const QRectF header(body.left(), mm(9), body.width(), mm(6));
        painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter, HelpDocumentTitle());
        painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter, chapter);
        painter.setPen(kRuleColour);
        painter.drawLine(QPointF(body.left(), mm(15.5)), QPointF(body.right(), mm(15.5)));
        painter.setPen(kMutedColour);
    }
    const QRectF footer(body.left(), geometry.page.height() - mm(13), body.width(), mm(6));
    painter.drawText(footer, Qt::AlignCenter, QString::number(pageNumber));
}

// Draws page `index` of a paginated document into the page's body.
void drawDocumentPage(QPainter &painter, QTextDocument &doc, const PageGeometry &geometry,
                      int index)
{
    const double height = geometry.body.height();
    painter.save();
    painter.translate(geometry.body.left(), geometry.body.top() - index * height);
    QAbstractTextDocumentLayout::PaintContext context;
    // A table that starts the next page draws its top rule on the boundary; it belongs there.
    context.clip = QRectF(0, index * height, geometry.body.width(), height - 2);
    painter.setClipRect(context.clip);
    doc.documentLayout()->draw(&painter, context);
    painter.restore();
}

void prepareLayout(QTextDocument &doc, QPdfWriter &writer, const PageGeometry &geometry,
                   const QString &family)
{
    doc.documentLayout()->setPaintDevice(&writer);
    doc.setDefaultFont(pointFont(family, kBodyPoints));
    doc.setDocumentMargin(0);
    doc.setPageSize(geometry.body.size());
}

QString chapterOn(const QList<Heading> &chapters, int bodyPage)
{
    QString title;
    for (const Heading &heading : chapters) {
        if (heading.page <= bodyPage)
            title = heading.text;
    }
    return title;
}

} // namespace

QString WriteHelpPdf(const QString &chapterFolder, const QString &pictureFolder,
                     const QString &pdfPath)
{
    const std::optional<QString> family = japaneseFamily();
    if (!family)
        return QStringLiteral("no font with Japanese glyphs is installed");
    QString error;
    const QString markdown = readChapters(chapterFolder, error);
    if (!error.isEmpty())
        return error;

    QPdfWriter writer(pdfPath);
    writer.setResolution(kDpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, {}));
    writer.setTitle(HelpDocumentTitle());
    writer.setCreator(QStringLiteral("Kalvo"));
    const PageGeometry geometry;

    QTextDocument body;
    prepareLayout(body, writer, geometry, *family);
    body.setMarkdown(markdown);
    styleBlocks(body, *family);
    styleTables(body, *family);
    drawTranscriptionsInIpaFace(body);
    error = placePictures(body, pictureFolder, pictureCaptions(markdown), geometry.body.width(),
                          *family);
    if (!error.isEmpty())
        return error;

    keepHeadingsWithText(body, geometry.body.height());
    splitBlocksAtPageBreaks(body, geometry.body.height());

    // The contents' own length decides where the body starts; its page numbers do not change it.
    const double height = geometry.body.height();
    const QList<Heading> headings = headingsOf(body, height, 2);
    QTextDocument contents;
    prepareLayout(contents, writer, geometry, *family);
    fillContents(contents, headings, 1, *family);
    const int firstBodyPage = 1 + contents.pageCount();
    fillContents(contents, headings, firstBodyPage, *family);

    QPainter painter;
    if (!painter.begin(&writer))
        return QStringLiteral("cannot write %1").arg(pdfPath);
    drawTitlePage(painter, geometry, *family);
    int pageNumber = 1;
    for (int index = 0; index < contents.pageCount(); ++index) {
        writer.newPage();
        drawDocumentPage(painter, contents, geometry, index);
        drawPageFurniture(painter, geometry, ++pageNumber, {}, *family);
    }
    const QList<Heading> chapters = headingsOf(body, height, 1);
    for (int index = 0; index < body.pageCount(); ++index) {
        writer.newPage();
        drawDocumentPage(painter, body, geometry, index);
        drawPageFurniture(painter, geometry, ++pageNumber, chapterOn(chapters, index), *family);
    }
    if (!painter.end())
        return QStringLiteral("cannot finish %1").arg(pdfPath);
    return {};
}
