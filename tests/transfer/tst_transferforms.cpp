#include "transfer/clipboardforms.h"
#include "transfer/richtextforms.h"

#include <QMimeData>
#include <QtTest>
#include <climits>
#include <memory>

class TestTransferForms : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rtfText_data();
    void rtfText();
    void rtfFontTable_data();
    void rtfFontTable();
    void htmlText_data();
    void htmlText();
    void htmlStyle_data();
    void htmlStyle();
    void richMimeDataHasEveryForm();
    void crLf_data();
    void crLf();
    void modes_data();
    void modes();
};

namespace {

const RichFont kTimes{u"Times New Roman"_qs, 20, 204};
const QByteArray kTimesHeader =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset204 Times New Roman;}}\\f0\\fs40 ";

} // namespace

void TestTransferForms::rtfText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("printable ascii") << u"Da! 1 ~"_qs << QByteArray("Da! 1 ~");
    QTest::newRow("cyrillic") << u"да"_qs << QByteArray("\\u1076?\\u1072?");
    QTest::newRow("combining accent") << u"а\u0301"_qs << QByteArray("\\u1072?\\u769?");
    QTest::newRow("above 32767 is negative") << u"！"_qs << QByteArray("\\u-255?");
    QTest::newRow("surrogate pair") << u"😀"_qs << QByteArray("\\u-10179?\\u-8704?");
    QTest::newRow("backslash and braces") << u"a\\{b}"_qs << QByteArray("a\\\\\\{b\\}");
    QTest::newRow("quotation mark") << u"\"x\""_qs << QByteArray("\"x\"");
    QTest::newRow("line breaks") << u"a\r\nb\nc\rd"_qs << QByteArray("a\\par b\\par c\\par d");
    QTest::newRow("breaks in a row") << u"\r\n\r\n"_qs << QByteArray("\\par \\par ");
    QTest::newRow("tab") << u"a\tb"_qs << QByteArray("a\\tab b");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestTransferForms::rtfText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, body);
    QCOMPARE(RtfDocument(text, kTimes), kTimesHeader + body + '}');
}

void TestTransferForms::rtfFontTable_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("charset");
    QTest::addColumn<QByteArray>("header");
    QTest::newRow("russian") << u"Times New Roman"_qs << 20 << 204 << kTimesHeader;
    QTest::newRow("japanese name")
        << u"游ゴシック Medium"_qs << 12 << 128
        << QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset128 "
                      "\\u28216?\\u12468?\\u12471?\\u12483?\\u12463? Medium;}}\\f0\\fs24 ");
    QTest::newRow("semicolon and brace in the name")
        << u"A;{B}"_qs << 14 << 0
        << QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset0 A\\'3b\\{B\\};}}\\f0\\fs28 ");
    // A size from the settings file as large as an integer goes: half-points do not overflow.
    QTest::newRow("largest size") << u"A"_qs << INT_MAX << 0
                                  << QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset0 "
                                                "A;}}\\f0\\fs4294967294 ");
}

void TestTransferForms::rtfFontTable()
{
    QFETCH(QString, family);
    QFETCH(int, points);
    QFETCH(int, charset);
    QFETCH(QByteArray, header);
    QCOMPARE(RtfDocument(u"x"_qs, {family, points, charset}), header + "x}");
}

void TestTransferForms::htmlText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("body");
    QTest::newRow("markup characters") << u"<b>&amp;"_qs << u"&lt;b&gt;&amp;amp;"_qs;
    QTest::newRow("quotes") << u"\"a'"_qs << u"&quot;a&#39;"_qs;
    QTest::newRow("cyrillic and a surrogate pair kept") << u"да😀"_qs << u"да😀"_qs;
    QTest::newRow("backslash and braces kept") << u"\\{}"_qs << u"\\{}"_qs;
    QTest::newRow("line breaks") << u"a\r\nb\nc\rd"_qs << u"a<br>b<br>c<br>d"_qs;
}

void TestTransferForms::htmlText()
{
    QFETCH(QString, text);
    QFETCH(QString, body);
    QCOMPARE(HtmlFragment(text, kTimes),
             u"<span style=\"font-family:'Times New Roman'; font-size:20pt; "
             "white-space:pre-wrap\">"_qs +
                 body + u"</span>"_qs);
}

void TestTransferForms::htmlStyle_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("style");
    QTest::newRow("japanese name")
        << u"游ゴシック Medium"_qs << u"font-family:'游ゴシック Medium'; "_qs;
    QTest::newRow("quotes in the name")
        << u"O'Neil \"X\""_qs << u"font-family:'O\\'Neil &quot;X&quot;'; "_qs;
    QTest::newRow("backslash and markup in the name")
        << u"a\\b<c>&"_qs << u"font-family:'a\\\\b&lt;c&gt;&amp;'; "_qs;
    QTest::newRow("line break in the name") << u"a\nb"_qs << u"font-family:'a\\a b'; "_qs;
    QTest::newRow("no name") << QString() << QString();
}

void TestTransferForms::htmlStyle()
{
    QFETCH(QString, family);
    QFETCH(QString, style);
    QCOMPARE(HtmlFragment(u"x"_qs, {family, 9, 0}),
             u"<span style=\""_qs + style + u"font-size:9pt; white-space:pre-wrap\">x</span>"_qs);
}

void TestTransferForms::richMimeDataHasEveryForm()
{
    const QString text = u"да\r\n<"_qs;
    std::unique_ptr<QMimeData> data(RichMimeData(text, kTimes));
    QCOMPARE(data->data(u"text/plain"_qs), text.toUtf8());
    QCOMPARE(data->data(u"text/rtf"_qs), RtfDocument(text, kTimes));
    QCOMPARE(data->data(u"application/rtf"_qs), RtfDocument(text, kTimes));
    QVERIFY(data->html().startsWith(u"<meta http-equiv=\"content-type\""_qs));
    QVERIFY(data->html().contains(u"charset=utf-8"_qs));
    QVERIFY(data->html().endsWith(HtmlFragment(text, kTimes)));
}

void TestTransferForms::crLf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("lf") << u"а\nб"_qs << u"а\r\nб"_qs;
    QTest::newRow("crlf stays one break") << u"а\r\nб"_qs << u"а\r\nб"_qs;
    QTest::newRow("cr") << u"а\rб"_qs << u"а\r\nб"_qs;
    QTest::newRow("paragraph and line separators") << u"а\u2029б\u2028в"_qs << u"а\r\nб\r\nв"_qs;
    QTest::newRow("trailing break and no-break space") << u"\u00A0\n"_qs << u"\u00A0\r\n"_qs;
}

void TestTransferForms::crLf()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(WithCrLf(text), expected);
}

void TestTransferForms::modes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("onClipboard");
    QTest::addColumn<QString>("plain");
    QTest::newRow("rich") << 1 << u"да"_qs << true << u"да"_qs;
    QTest::newRow("decimal") << 2 << u"да\r\n"_qs << true << u"&#1076;&#1072;&#13;&#10;"_qs;
    QTest::newRow("hexadecimal") << 3 << u"да"_qs << true << u"&#x0434;&#x0430;"_qs;
    QTest::newRow("unicode") << 4 << u"да\r\n"_qs << true << u"да\r\n"_qs;
    QTest::newRow("empty plain text still goes") << 4 << QString() << true << QString();
    QTest::newRow("empty rich text does not") << 1 << QString() << false << QString();
    QTest::newRow("unknown mode 0") << 0 << u"да"_qs << false << QString();
    QTest::newRow("unknown mode 5") << 5 << u"да"_qs << false << QString();
}

void TestTransferForms::modes()
{
    QFETCH(int, mode);
    QFETCH(QString, text);
    QFETCH(bool, onClipboard);
    QFETCH(QString, plain);
    std::unique_ptr<QMimeData> data(TransferMimeData(mode, text, kTimes));
    QCOMPARE(data != nullptr, onClipboard);
    if (!data)
        return;
    QCOMPARE(data->text(), plain);
    QCOMPARE(data->hasFormat(u"text/rtf"_qs), mode == 1);
}

QTEST_GUILESS_MAIN(TestTransferForms)
#include "tst_transferforms.moc"
