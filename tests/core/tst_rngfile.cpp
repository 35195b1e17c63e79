#include "core/commatext.h"
#include "core/rngfile.h"
#include "core/settingstable.h"
#include "core/ulib.h"
#include "testenv.h"

#include <QtTest>
#include <functional>

class TestRngFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void splitCommaText_data();
    void splitCommaText();
    void readValues_data();
    void readValues();
    void valuesOutOfRangeKeepDefaults_data();
    void valuesOutOfRangeKeepDefaults();
    void defaultsFollowScreenSize_data();
    void defaultsFollowScreenSize();
    void chartMainFSize_data();
    void chartMainFSize();
    void roundTripOfAllKeys();
    void writesFileFormat();
    void readsEncodingsAndLineEnds_data();
    void readsEncodingsAndLineEnds();
    void missingFileChangesNothing();
    void unreadableFileIsReported_data();
    void unreadableFileIsReported();
    void unwritableFileIsReported();

private:
    QTemporaryDir m_dir;
};

void TestRngFile::init()
{
    InitSysVars();
    InitUsrVars(false, 0xFFFFE1);
}

void TestRngFile::splitCommaText_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("plain") << u"MainLeft,10"_qs << QStringList{u"MainLeft"_qs, u"10"_qs};
    QTest::newRow("blanks around items")
        << u" AccentFlg , 1 "_qs << QStringList{u"AccentFlg"_qs, u"1"_qs};
    QTest::newRow("unquoted space splits")
        << u"UsrMainFont,Times New Roman"_qs
        << QStringList{u"UsrMainFont"_qs, u"Times"_qs, u"New"_qs, u"Roman"_qs};
    QTest::newRow("quoted") << u"UsrMainFont,\"Times New Roman\""_qs
                            << QStringList{u"UsrMainFont"_qs, u"Times New Roman"_qs};
    QTest::newRow("doubled quote") << u"a,\"x\"\"y\""_qs << QStringList{u"a"_qs, u"x\"y"_qs};
    QTest::newRow("unclosed quote runs to end")
        << u"a,\"x, y"_qs << QStringList{u"a"_qs, u"x, y"_qs};
    QTest::newRow("trailing comma adds empty item")
        << u"MainLeft,"_qs << QStringList{u"MainLeft"_qs, QString()};
    QTest::newRow("text glued to a closing quote") << u"\"a\"b"_qs << QStringList{u"a"_qs, u"b"_qs};
    QTest::newRow("empty middle item") << u"a,,b"_qs << QStringList{u"a"_qs, QString(), u"b"_qs};
    QTest::newRow("only blanks") << u"  \t "_qs << QStringList{};
    QTest::newRow("empty") << QString() << QStringList{};
    QTest::newRow("six quoted fields")
        << u"\"да\",\"da\",\"ダー\",\"はい\",\"\",\"\""_qs
        << QStringList{u"да"_qs, u"da"_qs, u"ダー"_qs, u"はい"_qs, QString(), QString()};
}

void TestRngFile::splitCommaText()
{
    QFETCH(QString, line);
    QFETCH(QStringList, items);
    QCOMPARE(SplitCommaText(line), items);
}

// Reads one line of a settings file and checks the value it leaves behind.
void TestRngFile::readValues_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("non-integer gives fallback") << u"MainLeft,abc"_qs << u"MainLeft"_qs << u"-1"_qs;
    QTest::newRow("non-integer width fallback") << u"MainWidth,x"_qs << u"MainWidth"_qs << u"-1"_qs;
    QTest::newRow("non-integer PCon1Height")
        << u"PCon1Height,big"_qs << u"PCon1Height"_qs << u"247"_qs;
    QTest::newRow("non-integer SFIndex") << u"SFIndex,?"_qs << u"SFIndex"_qs << u"1"_qs;
    QTest::newRow("non-integer column width")
        << u"Lv1ColumnWidth3,w"_qs << u"Lv1ColumnWidth3"_qs << u"50"_qs;
    QTest::newRow("empty value keeps default") << u"MainWidth,"_qs << u"MainWidth"_qs << u"860"_qs;
    QTest::newRow("negative integer") << u"MainTop,-25"_qs << u"MainTop"_qs << u"-25"_qs;
    QTest::newRow("column width") << u"Lv1ColumnWidth6,77"_qs << u"Lv1ColumnWidth6"_qs << u"77"_qs;
    QTest::newRow("unquoted font with spaces ignored")
        << u"UsrMainFont,Times New Roman"_qs << u"UsrMainFont"_qs << u"Times New Roman"_qs;
    QTest::newRow("quoted font") << u"UsrMainFont,\"DejaVu Serif\""_qs << u"UsrMainFont"_qs
                                 << u"DejaVu Serif"_qs;
    QTest::newRow("unquoted one-word font")
        << u"UsrIPAFont,Gentium"_qs << u"UsrIPAFont"_qs << u"Gentium"_qs;
    QTest::newRow("blanks around items") << u" AccentFlg , 0 "_qs << u"AccentFlg"_qs << u"0"_qs;
    QTest::newRow("flag true only for 1") << u"AccentFlg,true"_qs << u"AccentFlg"_qs << u"0"_qs;
    QTest::newRow("flag 1") << u"ScrollFlg,1"_qs << u"ScrollFlg"_qs << u"1"_qs;
    QTest::newRow("first line wins")
        << u"ClassRoom,4\nClassRoom,2"_qs << u"ClassRoom"_qs << u"4"_qs;
    QTest::newRow("key is case-sensitive") << u"classroom,4"_qs << u"ClassRoom"_qs << u"0"_qs;
    QTest::newRow("three items ignored") << u"ClassRoom,4,5"_qs << u"ClassRoom"_qs << u"0"_qs;
    QTest::newRow("line of three items skipped for the next")
        << u"ClassRoom,4,5\nClassRoom,3"_qs << u"ClassRoom"_qs << u"3"_qs;
    QTest::newRow("unknown key ignored") << u"Nothing,1"_qs << u"RusImeIndex"_qs << u"3"_qs;
    QTest::newRow("out-of-range layout stored")
        << u"RusImeIndex,9"_qs << u"RusImeIndex"_qs << u"9"_qs;
    QTest::newRow("chart scale above its slider")
        << u"ChartMainParam,10000"_qs << u"ChartMainParam"_qs << u"70"_qs;
    QTest::newRow("Japanese scale below its slider")
        << u"FParamJp,59"_qs << u"FParamJp"_qs << u"81"_qs;
    QTest::newRow("scale at the slider's end")
        << u"FParamMain,100"_qs << u"FParamMain"_qs << u"100"_qs;
}

namespace {

QString currentValue(const QString &key)
{
    for (const SettingDef &def : SettingsTable()) {
        if (def.key != key)
            continue;
        return std::visit(
            [](auto *v) {
                using T = std::remove_pointer_t<decltype(v)>;
                if constexpr (std::is_same_v<T, int>)
                    return QString::number(*v);
                else if constexpr (std::is_same_v<T, bool>)
                    return QString::number(int(*v));
                else
                    return *v;
            },
            ResolveSetting(def, Usr));
    }
    return u"<no such key>"_qs;
}

} // namespace

void TestRngFile::readValues()
{
    QFETCH(QString, lines);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    ApplyRngLines(lines.split(u'\n'));
    QCOMPARE(currentValue(key), expected);
}

// Every integer at the ends of its type, and font names no font has, cost the start its
// memory and time (a window of 2^31 pixels, a font of 2^31 points): they keep the defaults.
void TestRngFile::valuesOutOfRangeKeepDefaults_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    for (const SettingDef &def : SettingsTable()) {
        const QString key = def.key;
        if (std::holds_alternative<bool UsrVars::*>(def.member))
            continue;
        if (std::holds_alternative<QString UsrVars::*>(def.member)) {
            QTest::addRow("%s long", def.key.data()) << key << u"\""_qs + QString(257, u'W') + u'"';
            continue;
        }
        for (const int extreme : {std::numeric_limits<int>::max(), std::numeric_limits<int>::min()})
            QTest::addRow("%s %d", def.key.data(), extreme) << key << QString::number(extreme);
    }
}

void TestRngFile::valuesOutOfRangeKeepDefaults()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    const QString before = currentValue(key);
    ApplyRngLines({key + u',' + value});
    QCOMPARE(currentValue(key), before);
}

void TestRngFile::defaultsFollowScreenSize_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<bool>("small");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("pageControl");
    QTest::addColumn<int>("regModHeight");

    QTest::newRow("large") << QSize(1920, 1080) << false << 860 << 640 << 256 << 590;
    QTest::newRow("narrow") << QSize(899, 1080) << true << 790 << 570 << 226 << 570;
    QTest::newRow("low") << QSize(1920, 679) << true << 790 << 570 << 226 << 570;
    QTest::newRow("just large enough") << QSize(900, 680) << false << 860 << 640 << 256 << 590;
}

void TestRngFile::defaultsFollowScreenSize()
{
    QFETCH(QSize, screen);
    QFETCH(bool, small);
    InitUsrVars(IsSmallScreen(screen.width(), screen.height()), 0xFFFFE1);
    QCOMPARE(Usr.SmallPCFlg, small);
    QTEST(Usr.MainWidth, "width");
    QTEST(Usr.MainHeight, "height");
    QTEST(Usr.PCon1Height, "pageControl");
    QTEST(Usr.RegModHeight, "regModHeight");
    QCOMPARE(Usr.Panel3Width, small ? 390 : 420);
}

void TestRngFile::chartMainFSize_data()
{
    QTest::addColumn<int>("param");
    QTest::addColumn<int>("size");
    QTest::newRow("95") << 95 << 11;
    QTest::newRow("68 truncates toward zero") << 68 << 6;
    QTest::newRow("60") << 60 << 4;
    QTest::newRow("70") << 70 << 6;
    QTest::newRow("10000 is outside the slider") << 10000 << 6;
}

void TestRngFile::chartMainFSize()
{
    QFETCH(int, param);
    ApplyRngLines({u"ChartMainParam,"_qs + QString::number(param)});
    QTEST(Usr.ChartMainFSize, "size");
}

void TestRngFile::roundTripOfAllKeys()
{
    // Give every setting a value different from its default, write, reset, read back. A
    // setting with a range takes its lowest value.
    int n = 1000;
    for (const SettingDef &def : SettingsTable()) {
        std::visit(
            [&](auto *v) {
                using T = std::remove_pointer_t<decltype(v)>;
                if constexpr (std::is_same_v<T, int>)
                    *v = def.minimum > std::numeric_limits<int>::min() ? def.minimum : -(++n);
                else if constexpr (std::is_same_v<T, bool>)
                    *v = !*v;
                else
                    *v = u"Шрифт \"%1\" 字"_qs.arg(++n);
            },
            ResolveSetting(def, Usr));
    }
    const UsrVars written = Usr;
    const QString path = m_dir.filePath(u"round.rng"_qs);
    QVERIFY(WriteRngFile(path));
    InitUsrVars(false, 0);
    QCOMPARE(ReadRngFile(path), RngReadResult::Loaded);
    UsrVars copy = written;
    for (const SettingDef &def : SettingsTable()) {
        const auto a = ResolveSetting(def, copy);
        const auto b = ResolveSetting(def, Usr);
        std::visit(
            [&](auto *x) {
                using P = decltype(x);
                QCOMPARE(*x, *std::get<P>(b));
            },
            a);
    }
}

void TestRngFile::writesFileFormat()
{
    const QString path = m_dir.filePath(u"format.rng"_qs);
    QVERIFY(WriteRngFile(path));
    const QByteArray bytes = readFile(path);
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY(bytes.endsWith("AlphabetFlg,1\r\n"));
    QCOMPARE(bytes.count("\r\n"), 48);
    QCOMPARE(bytes.count('\n'), 48);
    const QList<QByteArray> lines = bytes.split('\n');
    QCOMPARE(lines.first(), QByteArray("MainLeft,-1\r"));
    QVERIFY(bytes.contains("\r\nLv1ColumnWidth0,180\r\n"));
    QVERIFY(bytes.contains("\r\nUsrMainFont,\"Times New Roman\"\r\n"));
    QVERIFY(bytes.contains(u"\r\nUsrJpFont,\"游ゴシック Medium\"\r\n"_qs.toUtf8()));
}

void TestRngFile::readsEncodingsAndLineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QString text = u"UsrJpFont,\"ＭＳ ゴシック\"\rClassRoom,5\nCFIndex,2\r\n"_qs;
    QTest::newRow("utf-8") << text.toUtf8();
    QTest::newRow("utf-8 with bom") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    QByteArray le("\xFF\xFE");
    QByteArray be("\xFE\xFF");
    for (QChar c : text) {
        le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    }
    QTest::newRow("utf-16 le") << le;
    QTest::newRow("utf-16 be") << be;
}

void TestRngFile::readsEncodingsAndLineEnds()
{
    QFETCH(QByteArray, bytes);
    const QString path = m_dir.filePath(u"enc.rng"_qs);
    writeFile(path, bytes);
    QCOMPARE(ReadRngFile(path), RngReadResult::Loaded);
    QCOMPARE(Usr.UsrJpFont, u"ＭＳ ゴシック"_qs);
    QCOMPARE(Usr.ClassRoom, 5);
    QCOMPARE(Usr.CFIndex, 2);
}

void TestRngFile::missingFileChangesNothing()
{
    QCOMPARE(ReadRngFile(m_dir.filePath(u"none.rng"_qs)), RngReadResult::Missing);
    QCOMPARE(Usr.MainWidth, 860);
}

using Place = std::function<void(const QString &path)>;
Q_DECLARE_METATYPE(Place)

// What cannot be read, even by root, or must not be: a link to a device would be read without
// end, and a file far larger than the settings can be would take the memory.
void TestRngFile::unreadableFileIsReported_data()
{
    QTest::addColumn<Place>("prepare");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder") << Place([](const QString &path) { QDir().mkpath(path); })
                            << u"フォルダ"_qs;
    for (const auto *device : {"/dev/zero", "/dev/urandom"})
        QTest::newRow(device) << Place([device](const QString &path) {
            QVERIFY(QFile::link(QString::fromLatin1(device), path));
        }) << u"通常のファイルではありません"_qs;
    QTest::newRow("larger than a settings file can be") << Place([](const QString &path) {
        writeFile(path, "ClassRoom,4\r\n");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(2 << 20)); // sparse: nothing is written
    }) << u"大きすぎます"_qs;
}

void TestRngFile::unreadableFileIsReported()
{
    QFETCH(Place, prepare);
    QFETCH(QString, reason);
    const QString path =
        m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()).remove(u'/') + u".rng"_qs);
    prepare(path);
    QString given;
    QCOMPARE(ReadRngFile(path, &given), RngReadResult::Unreadable);
    QVERIFY2(given.contains(reason), qPrintable(given));
    QCOMPARE(Usr.ClassRoom, 0);
}

void TestRngFile::unwritableFileIsReported()
{
    // A folder that does not exist cannot take the file.
    QString error;
    QVERIFY(!WriteRngFile(m_dir.filePath(u"missing/folder/Kalvo.rng"_qs), &error));
    QVERIFY(!error.isEmpty());
    // A directory in the file's place is not replaced either.
    const QString dirInPlace = m_dir.filePath(u"dir.rng"_qs);
    QDir().mkpath(dirInPlace);
    QVERIFY(!WriteRngFile(dirInPlace, &error));
    QVERIFY(QFileInfo(dirInPlace).isDir());
}

QTEST_GUILESS_MAIN(TestRngFile)
#include "tst_rngfile.moc"
