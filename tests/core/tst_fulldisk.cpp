// Every writer of the program on a full disk: the write is reported as failed and the old
// file stays whole, with no temporary file left beside it. The reason is given in Japanese.
#include "core/install.h"
#include "core/rngfile.h"
#include "core/savefile.h"
#include "core/textdocument.h"
#include "filesizelimit.h"
#include "testenv.h"

#include <QtTest>
#include <functional>
#include <sys/stat.h>

using Writer = std::function<bool(const QString &path)>;
Q_DECLARE_METATYPE(Writer)

class TestFullDisk : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void oldFileStays_data();
    void oldFileStays();
    void reasonIsJapanese_data();
    void reasonIsJapanese();
};

void TestFullDisk::oldFileStays_data()
{
    QTest::addColumn<Writer>("write");
    QTest::newRow("settings file")
        << Writer([](const QString &path) { return WriteRngFile(path); });
    QTest::newRow("version marker") << Writer([](const QString &path) {
        return MakeLeafFile(QFileInfo(path).path(), QFileInfo(path).fileName());
    });
    QTest::newRow("text document") << Writer(
        [](const QString &path) { return WriteDocumentFile(path, u"привет\nмир"_qs).isEmpty(); });
    QTest::newRow("shipped file") << Writer([](const QString &path) {
        const QString folder = QFileInfo(path).path();
        return DirCopyFiles2(folder + u"/shipped"_qs, folder, true).complete;
    });
}

void TestFullDisk::oldFileStays()
{
    QFETCH(Writer, write);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"file.txt"_qs);
    writeFile(path, "old");
    writeFile(dir.filePath(u"shipped/file.txt"_qs), "a shipped table");
    bool written = true;
    {
        const FileSizeLimit fullDisk(4);
        written = write(path);
    }
    QVERIFY(!written);
    QCOMPARE(readFile(path), QByteArray("old"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"file.txt"_qs});
    // With room on the disk the same write succeeds.
    QVERIFY(write(path));
    QVERIFY(readFile(path) != "old");
}

using Place = std::function<void(const QString &path)>;
Q_DECLARE_METATYPE(Place)

void TestFullDisk::reasonIsJapanese_data()
{
    QTest::addColumn<Place>("prepare");
    QTest::addColumn<rlim_t>("sizeLimit");
    QTest::addColumn<QString>("reason");
    const Place nothing = [](const QString &) {};
    QTest::newRow("file size limit") << nothing << rlim_t(4) << u"大きさの上限"_qs;
    QTest::newRow("no such folder")
        << Place([](const QString &path) { QDir(QFileInfo(path).path()).removeRecursively(); })
        << RLIM_INFINITY << u"見つかりません"_qs;
    QTest::newRow("a folder in its place")
        << Place([](const QString &path) { QDir().mkpath(path); }) << RLIM_INFINITY
        << u"フォルダがあります"_qs;
    // QSaveFile would follow the link and put a regular file in the pipe's place.
    QTest::newRow("a link to a pipe") << Place([](const QString &path) {
        QVERIFY(mkfifo(qPrintable(path + u".pipe"_qs), 0600) == 0);
        QVERIFY(QFile::link(path + u".pipe"_qs, path));
    }) << RLIM_INFINITY << u"通常のファイルではない"_qs;
}

void TestFullDisk::reasonIsJapanese()
{
    QFETCH(Place, prepare);
    QFETCH(rlim_t, sizeLimit);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"sub/file.utx"_qs);
    QDir().mkpath(dir.filePath(u"sub"_qs));
    prepare(path);
    QString given;
    {
        const FileSizeLimit limit(sizeLimit);
        given = WriteFileSafely(path, QByteArray(100, 'x'));
    }
    QVERIFY2(given.contains(reason), qPrintable(given));
    // Not the system's English text, not even in part.
    QVERIFY2(!given.contains(QRegularExpression(u"[A-Za-z]"_qs)), qPrintable(given));
    QVERIFY(!QFileInfo(path).isFile());
}

QTEST_GUILESS_MAIN(TestFullDisk)
#include "tst_fulldisk.moc"
