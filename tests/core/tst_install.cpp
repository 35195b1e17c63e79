#include "core/folders.h"
#include "core/install.h"
#include "core/ulib.h"
#include "filesizelimit.h"
#include "testenv.h"

#include <QtTest>

class TestInstall : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void leafFileName_data();
    void leafFileName();
    void firstStartBuildsTreeAndInstalls();
    void laterStartKeepsEditedBook();
    void newVersionInstallsOnceAndDeletesOldMarkers();
    void unwritableMarkerRetriesNextTime();
    void fullDiskLeavesTheInstallToTheNextStart();
    void dirCopyFiles2_data();
    void dirCopyFiles2();
    void folderFailuresAreReported();

private:
    void makeInstallation();
    QStringList startOnce();

    std::unique_ptr<TempHome> m_home;
    QString m_programs;
};

void TestInstall::init()
{
    m_home = std::make_unique<TempHome>();
    m_programs = m_home->path() + u"/prefix/share"_qs;
    makeInstallation();
    InitSysVars();
}

void TestInstall::cleanup()
{
    m_home.reset();
}

void TestInstall::makeInstallation()
{
    const QString prog = m_programs + u"/Harnwick/Kalvo"_qs;
    writeFile(prog + u"/Tbl/Layouts.txt"_qs, "v1");
    writeFile(prog + u"/Shelf/Class0/bookA/a.utx"_qs, "sample A");
    writeFile(prog + u"/Shelf/Class0/bookG/g.utx"_qs, "sample G");
    writeFile(prog + u"/Shelf/Class0/bookS/s.utx"_qs, "sample S");
    QDir().mkpath(prog + u"/help"_qs);
}

// Builds the folders and runs the version install; returns the folder warnings.
QStringList TestInstall::startOnce()
{
    BaseFolders base{m_home->path() + u"/.config"_qs, m_home->path() + u"/Documents"_qs,
                     m_programs};
    const QStringList warnings = SetFolderVars(base);
    InstallIfNewVersion();
    return warnings;
}

void TestInstall::leafFileName_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("name");
    QTest::newRow("10.1") << u"10.1"_qs << u"Leaf101.txt"_qs;
    QTest::newRow("two digits") << u"9.1"_qs << u"Leaf910.txt"_qs;
    QTest::newRow("one digit") << u"1"_qs << u"Leaf100.txt"_qs;
    QTest::newRow("three digits") << u"1.2.3"_qs << u"Leaf123.txt"_qs;
    QTest::newRow("four digits") << u"10.10"_qs << u"Leaf999.txt"_qs;
    QTest::newRow("no digits") << u"."_qs << u"Leaf999.txt"_qs;
}

void TestInstall::leafFileName()
{
    QFETCH(QString, version);
    QTEST(MakeLeafFileName(version), "name");
}

void TestInstall::firstStartBuildsTreeAndInstalls()
{
    QVERIFY(startOnce().isEmpty());
    const QString docs = m_home->docsDir();
    for (const QString &c : EUName)
        for (const auto *book : {u"bookA", u"bookG", u"bookS"})
            QVERIFY2(QFileInfo(docs + u'/' + c + u'/' + QString::fromUtf16(book)).isDir(),
                     qPrintable(c));
    QVERIFY(QFileInfo(docs + u"/usr"_qs).isDir());
    QCOMPARE(Dirs.SysFolder, m_home->configDir() + u"/Sys"_qs);
    QCOMPARE(Dirs.ICatFolder, docs + u"/Class0/bookA"_qs);
    QCOMPARE(Dirs.IStdFolder, docs + u"/Class0/bookS"_qs);
    QCOMPARE(Dirs.HelpFolder, m_programs + u"/Harnwick/Kalvo/help"_qs);
    QCOMPARE(Sys.LeafFile, u"Leaf101.txt"_qs);
    QCOMPARE(readFile(Dirs.SysFolder + u"/Leaf101.txt"_qs), QByteArray("GF-RD1\r\n"));
    QCOMPARE(readFile(Dirs.TblFolder + u"/Layouts.txt"_qs), QByteArray("v1"));
    QCOMPARE(readFile(docs + u"/Class0/bookA/a.utx"_qs), QByteArray("sample A"));
    QCOMPARE(readFile(docs + u"/Class0/bookG/g.utx"_qs), QByteArray("sample G"));
    QCOMPARE(readFile(docs + u"/Class0/bookS/s.utx"_qs), QByteArray("sample S"));
    QVERIFY(QDir(docs + u"/Class1/bookA"_qs).isEmpty());
}

void TestInstall::laterStartKeepsEditedBook()
{
    startOnce();
    const QString book = m_home->docsDir() + u"/Class0/bookA/a.utx"_qs;
    writeFile(book, "edited");
    writeFile(m_programs + u"/Harnwick/Kalvo/Tbl/Layouts.txt"_qs, "v2");
    startOnce();
    QCOMPARE(readFile(book), QByteArray("edited"));
    // The marker exists, so the tables are not refreshed either.
    QCOMPARE(readFile(Dirs.TblFolder + u"/Layouts.txt"_qs), QByteArray("v1"));
}

void TestInstall::newVersionInstallsOnceAndDeletesOldMarkers()
{
    startOnce();
    const QString book = m_home->docsDir() + u"/Class0/bookA/a.utx"_qs;
    writeFile(book, "edited");
    QFile::remove(Dirs.SysFolder + u"/Leaf101.txt"_qs);
    writeFile(Dirs.SysFolder + u"/Leaf100.txt"_qs, "old");
    writeFile(Dirs.SysFolder + u"/Leaf910.txt"_qs, "old");
    writeFile(m_programs + u"/Harnwick/Kalvo/Tbl/Layouts.txt"_qs, "v2");
    writeFile(m_programs + u"/Harnwick/Kalvo/Shelf/Class0/bookA/new.utx"_qs, "new sample");
    startOnce();
    QCOMPARE(QDir(Dirs.SysFolder).entryList({u"Leaf*.txt"_qs}), QStringList{u"Leaf101.txt"_qs});
    QCOMPARE(readFile(Dirs.TblFolder + u"/Layouts.txt"_qs), QByteArray("v2"));
    QCOMPARE(readFile(book), QByteArray("edited"));
    QCOMPARE(readFile(m_home->docsDir() + u"/Class0/bookA/new.utx"_qs), QByteArray("new sample"));
}

void TestInstall::unwritableMarkerRetriesNextTime()
{
    // A folder where the marker file should go: the marker cannot be written.
    QDir().mkpath(m_home->configDir() + u"/Sys/Leaf101.txt"_qs);
    writeFile(m_home->configDir() + u"/Sys/Leaf100.txt"_qs, "old");
    startOnce();
    QVERIFY(QFileInfo(Dirs.SysFolder + u"/Leaf101.txt"_qs).isDir());
    QVERIFY(QFileInfo::exists(Dirs.SysFolder + u"/Leaf100.txt"_qs));
    QVERIFY(QFileInfo::exists(m_home->docsDir() + u"/Class0/bookA/a.utx"_qs));
}

void TestInstall::fullDiskLeavesTheInstallToTheNextStart()
{
    BaseFolders base{m_home->path() + u"/.config"_qs, m_home->path() + u"/Documents"_qs,
                     m_programs};
    QVERIFY(SetFolderVars(base).isEmpty());
    QStringList failed;
    {
        // The table "v1" fits, the samples do not.
        const FileSizeLimit fullDisk(4);
        failed = InstallIfNewVersion();
    }
    const QString docs = m_home->docsDir();
    QCOMPARE(failed,
             (QStringList{docs + u"/Class0/bookA/a.utx"_qs, docs + u"/Class0/bookG/g.utx"_qs,
                          docs + u"/Class0/bookS/s.utx"_qs}));
    QVERIFY(!QFileInfo::exists(Dirs.SysFolder + u"/Leaf101.txt"_qs));
    QVERIFY(!QFileInfo::exists(docs + u"/Class0/bookA/a.utx"_qs));

    QVERIFY(InstallIfNewVersion().isEmpty());
    QCOMPARE(readFile(Dirs.SysFolder + u"/Leaf101.txt"_qs), QByteArray("GF-RD1\r\n"));
    QCOMPARE(readFile(docs + u"/Class0/bookA/a.utx"_qs), QByteArray("sample A"));
}

void TestInstall::dirCopyFiles2_data()
{
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<QByteArray>("existing");
    QTest::newRow("keep") << false << QByteArray("user");
    QTest::newRow("overwrite") << true << QByteArray("shipped");
}

void TestInstall::dirCopyFiles2()
{
    QFETCH(bool, overwrite);
    const QString from = m_home->path() + u"/from"_qs;
    const QString to = m_home->path() + u"/to"_qs;
    writeFile(from + u"/same.utx"_qs, "shipped");
    writeFile(from + u"/other.utx"_qs, "other");
    QDir().mkpath(from + u"/sub"_qs);
    writeFile(to + u"/same.utx"_qs, "user");
    DirCopyFiles2(from, to, overwrite);
    QTEST(readFile(to + u"/same.utx"_qs), "existing");
    QCOMPARE(readFile(to + u"/other.utx"_qs), QByteArray("other"));
    QVERIFY(!QFileInfo::exists(to + u"/sub"_qs));
    // A missing target folder: nothing happens.
    DirCopyFiles2(from, m_home->path() + u"/none"_qs, overwrite);
    QVERIFY(!QFileInfo::exists(m_home->path() + u"/none"_qs));
}

void TestInstall::folderFailuresAreReported()
{
    // Files where the folders should be make every creation fail.
    writeFile(m_home->path() + u"/Documents"_qs, "not a folder");
    writeFile(m_home->path() + u"/.config/Harnwick"_qs, "not a folder");
    const QStringList warnings = startOnce();
    QCOMPARE(warnings.size(), 6 * 3 + 3);
    QCOMPARE(warnings.first(), m_home->path() + u"/Documents/Harnwick/Kalvo/Class0/bookA"_qs +
                                   u"フォルダが作れませんでした。"_qs);
    QCOMPARE(warnings.at(17), m_home->path() + u"/Documents/Harnwick/Kalvo/Class5/bookS"_qs +
                                  u"フォルダが作れませんでした。"_qs);
    QCOMPARE(warnings.mid(18), (QStringList{u"システムフォルダが作れませんでした。"_qs,
                                            u"テーブルフォルダが作れませんでした。"_qs,
                                            u"ユーザーテキストフォルダが作れませんでした。"_qs}));
    // Without the system folder the marker cannot be written: the install runs again later.
    QVERIFY(!QFileInfo::exists(Dirs.SysFolder + u"/Leaf101.txt"_qs));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
