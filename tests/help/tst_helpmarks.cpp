#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

const QString kPdf = QStringLiteral(KALVO_STAGE_DIR "/help/RusHelp.pdf");
constexpr int kDpi = 600;

struct WordBox {
    int page = 0;
    QRectF box; // in points
};

// The first word of the document's text whose text is `text` (or ends with it), with its box.
std::optional<WordBox> findWord(const QString &text)
{
    QProcess pdftotext;
    pdftotext.start(u"pdftotext"_qs, {u"-bbox"_qs, u"-enc"_qs, u"UTF-8"_qs, kPdf, u"-"_qs});
    if (!pdftotext.waitForFinished(60000))
        return std::nullopt;
    QXmlStreamReader xml(pdftotext.readAllStandardOutput());
    int page = 0;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"page"_qs) {
            ++page;
        } else if (xml.name() == u"word"_qs) {
            const auto at = [&](const char *name) {
                return xml.attributes().value(QLatin1StringView(name)).toDouble();
            };
            const QRectF box(QPointF(at("xMin"), at("yMin")), QPointF(at("xMax"), at("yMax")));
            if (xml.readElementText().endsWith(text))
                return WordBox{page, box};
        }
    }
    return std::nullopt;
}

// The word's picture at 600 dpi, with room above it for marks and beside it for a tie bar.
QImage pictureOf(const WordBox &word, const QString &folder)
{
    const double scale = kDpi / 72.0;
    const double height = word.box.height();
    const QRectF room = word.box.adjusted(-0.2 * height, -0.25 * height, 0.2 * height, 0);
    const QRect crop(QRectF(room.topLeft() * scale, room.size() * scale).toRect());
    const QString page = QString::number(word.page);
    QProcess::execute(u"pdftoppm"_qs,
                      {u"-f"_qs, page, u"-l"_qs, page, u"-r"_qs, QString::number(kDpi), u"-x"_qs,
                       QString::number(crop.x()), u"-y"_qs, QString::number(crop.y()), u"-W"_qs,
                       QString::number(crop.width()), u"-H"_qs, QString::number(crop.height()),
                       u"-gray"_qs, u"-singlefile"_qs, kPdf, folder + u"/word"_qs});
    return QImage(folder + u"/word.pgm"_qs);
}

bool inked(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

QRect inkBox(const QImage &image, int top = 0, int bottom = INT_MAX)
{
    QRect ink;
    for (int y = top; y < std::min(bottom, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (inked(image, x, y))
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// The runs of columns with ink, left to right: the letters of a word.
QList<QRect> letterColumns(const QImage &image)
{
    QList<QRect> letters;
    for (int x = 0; x < image.width(); ++x) {
        int top = -1, bottom = -1;
        for (int y = 0; y < image.height(); ++y) {
            if (inked(image, x, y)) {
                top = top < 0 ? y : top;
                bottom = y;
            }
        }
        if (top < 0)
            continue;
        const QRect column(x, top, 1, bottom - top + 1);
        if (!letters.isEmpty() && letters.back().right() == x - 1)
            letters.back() |= column;
        else
            letters.append(column);
    }
    return letters;
}

// Empty when only the fifth of the word's last six letters (е of приве́т) reaches above the
// others' top: the stress mark over е and nothing over т.
QString stressOverE(const QImage &image)
{
    const QList<QRect> all = letterColumns(image);
    if (all.size() < 6)
        return u"fewer than six letters"_qs;
    const QList<QRect> letters = all.mid(all.size() - 6);
    QList<int> tops;
    for (const QRect &letter : letters)
        tops.append(letter.top());
    std::sort(tops.begin(), tops.end());
    const int xLine = tops[3];
    const int xHeight = letters.back().bottom() - xLine;
    for (int i = 0; i < 6; ++i) {
        const bool rises = letters[i].top() < xLine - xHeight / 5;
        if (rises != (i == 4))
            return u"letter %1 of приве́т %2 the others"_qs.arg(i + 1).arg(
                rises ? u"rises above"_qs : u"does not rise above"_qs);
    }
    return {};
}

// Empty when a mark is drawn above the dotted circle: over its middle, or for a tie bar from
// over the circle onwards to the right.
QString markOverCircle(const QImage &image, bool tie)
{
    const QRect ink = inkBox(image);
    if (ink.isEmpty())
        return u"no ink"_qs;
    // The circle's widest row is its middle, in the lower part of the word's ink.
    int diameter = 0, circleLeft = 0;
    for (int y = ink.bottom() - ink.height() * 3 / 5; y <= ink.bottom(); ++y) {
        const QRect row = inkBox(image, y, y + 1);
        if (row.width() > diameter) {
            diameter = row.width();
            circleLeft = row.left();
        }
    }
    const int circleTop = ink.bottom() - diameter * 21 / 20;
    const QRect mark = inkBox(image, 0, circleTop);
    if (mark.height() < diameter / 10)
        return u"a bare circle: no mark above it"_qs;
    const int centre = circleLeft + diameter / 2;
    if (tie) {
        if (mark.left() > centre || mark.right() < circleLeft + diameter)
            return u"the tie bar does not start over the circle"_qs;
    } else if (std::abs(mark.center().x() - centre) > diameter * 7 / 20) {
        return u"the mark is beside the circle"_qs;
    }
    return {};
}

} // namespace

class TestHelpMarks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void marksSitOnTheirLetters_data();
    void marksSitOnTheirLetters();
};

void TestHelpMarks::marksSitOnTheirLetters_data()
{
    QTest::addColumn<QString>("word");
    QTest::newRow("accent page example") << u"приве\u0301т"_qs;
    QTest::newRow("circumflex") << u"\u25CC\u0302"_qs;
    QTest::newRow("caron") << u"\u25CC\u030C"_qs;
    QTest::newRow("acute") << u"\u25CC\u0301"_qs;
    QTest::newRow("grave") << u"\u25CC\u0300"_qs;
    QTest::newRow("tie bar") << u"\u25CC\u0361"_qs;
}

void TestHelpMarks::marksSitOnTheirLetters()
{
    QFETCH(QString, word);
    const std::optional<WordBox> found = findWord(word);
    QVERIFY2(found, "the word is not in the help document's text");
    QTemporaryDir folder;
    const QImage image = pictureOf(*found, folder.path());
    QVERIFY(!image.isNull());
    const QString fault = word.startsWith(u'п') ? stressOverE(image)
                                                : markOverCircle(image, word.endsWith(u'\u0361'));
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

QTEST_MAIN(TestHelpMarks)
#include "tst_helpmarks.moc"
