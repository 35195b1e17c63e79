#include "core/textdocument.h"

#include <QtTest>

namespace {

QByteArray utf16Le(const QString &text)
{
    QByteArray bytes;
    for (QChar c : text)
        bytes.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    return bytes;
}

const QByteArray Bom("\xFF\xFE", 2);

} // namespace

class TestTextDocument : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void reads_data();
    void reads();
    void writes_data();
    void writes();
    void blank_data();
    void blank();
};

void TestTextDocument::reads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("two lines with bom") << Bom + utf16Le(u"а\r\nб"_qs) << u"а\nб"_qs;
    QTest::newRow("no bom") << utf16Le(u"да"_qs) << u"да"_qs;
    QTest::newRow("utf-8 is garbled") << QByteArray("\xD0\xB4\xD0\xB0") << u"\uB4D0\uB0D0"_qs;
    QTest::newRow("lone cr") << Bom + utf16Le(u"a\rb\r"_qs) << u"a\nb\n"_qs;
    QTest::newRow("lone lf") << utf16Le(u"a\nb"_qs) << u"a\nb"_qs;
    QTest::newRow("cr cr lf") << utf16Le(u"a\r\r\nb"_qs) << u"a\n\nb"_qs;
    QTest::newRow("odd last byte dropped") << Bom + utf16Le(u"я"_qs) + 'x' << u"я"_qs;
    QTest::newRow("second bom kept") << Bom + Bom << u"\uFEFF"_qs;
}

void TestTextDocument::reads()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DocumentTextFromBytes(bytes), text);
}

void TestTextDocument::writes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("two lines, ten bytes")
        << u"а\nб"_qs << QByteArray("\xFF\xFE\x30\x04\x0D\x00\x0A\x00\x31\x04", 10);
    QTest::newRow("trailing line end kept, none added") << u"a\n"_qs << Bom + utf16Le(u"a\r\n"_qs);
    QTest::newRow("cr lf stays one line end") << u"a\r\nb"_qs << Bom + utf16Le(u"a\r\nb"_qs);
    QTest::newRow("lone cr") << u"a\rb"_qs << Bom + utf16Le(u"a\r\nb"_qs);
    QTest::newRow("paragraph and line separators")
        << u"a\u2029b\u2028c"_qs << Bom + utf16Le(u"a\r\nb\r\nc"_qs);
    QTest::newRow("surrogate pair and nbsp") << u"😀\u00A0"_qs << Bom + utf16Le(u"😀\u00A0"_qs);
}

void TestTextDocument::writes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(DocumentBytes(text), bytes);
}

void TestTextDocument::blank_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("spaces and line ends") << u" \n\t \n"_qs << QString();
    QTest::newRow("control characters") << u"\u0000\u0001\u001F"_qs << QString();
    QTest::newRow("no-break space is text") << u" \u00A0 "_qs << u"\u00A0"_qs;
    QTest::newRow("inner blanks kept") << u"\n а б \n"_qs << u"а б"_qs;
}

void TestTextDocument::blank()
{
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    QCOMPARE(TrimLowChars(text).toString(), trimmed);
    QCOMPARE(IsBlankDocument(text), trimmed.isEmpty());
}

QTEST_GUILESS_MAIN(TestTextDocument)
#include "tst_textdocument.moc"
