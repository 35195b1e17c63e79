#include "core/textlines.h"

#include <QtTest>

class TestTextLines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splitLines_data();
    void splitLines();
    void utf16RoundTrip();
    void utf16WithoutBom();
};

void TestTextLines::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << u"a\r\nb\r\n"_qs << QStringList{u"a"_qs, u"b"_qs};
    QTest::newRow("lf") << u"a\nb"_qs << QStringList{u"a"_qs, u"b"_qs};
    QTest::newRow("cr") << u"a\rb\r"_qs << QStringList{u"a"_qs, u"b"_qs};
    QTest::newRow("mixed with empty lines")
        << u"a\r\n\n\rb"_qs << QStringList{u"a"_qs, QString(), QString(), u"b"_qs};
    QTest::newRow("lf cr is two ends") << u"a\n\rb"_qs << QStringList{u"a"_qs, QString(), u"b"_qs};
    QTest::newRow("empty") << QString() << QStringList{};
    QTest::newRow("lone line end") << u"\r\n"_qs << QStringList{QString()};
}

void TestTextLines::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(SplitLines(text), lines);
}

void TestTextLines::utf16RoundTrip()
{
    const QString text = u"а\r\nб 😀"_qs;
    const QByteArray bytes = EncodeUtf16LeBom(text);
    QCOMPARE(bytes.left(4), QByteArray("\xFF\xFE\x30\x04", 4));
    QCOMPARE(bytes.size(), 2 + text.size() * 2);
    QCOMPARE(DecodeUtf16Le(bytes), text);
}

void TestTextLines::utf16WithoutBom()
{
    QCOMPARE(DecodeUtf16Le(QByteArray("\x30\x04\x0D\x00", 4)), u"а\r"_qs);
    QCOMPARE(DecodeUtf16Le(QByteArray("\x30\x04\x31", 3)), u"а"_qs);
}

QTEST_GUILESS_MAIN(TestTextLines)
#include "tst_textlines.moc"
