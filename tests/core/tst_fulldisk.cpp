// Every writer of the program on a full disk: the write is reported as failed and the old
// file stays whole, with no temporary file left beside it.
#include "core/install.h"
#include "core/rngfile.h"
#include "core/textdocument.h"
#include "filesizelimit.h"
#include "testenv.h"

#include <QtTest>
#include <functional>

using Writer = std::function<bool(const QString &path)>;
Q_DECLARE_METATYPE(Writer)

class TestFullDisk : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void oldFileStays_data();
    void oldFileStays();
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

QTEST_GUILESS_MAIN(TestFullDisk)
#include "tst_fulldisk.moc"
