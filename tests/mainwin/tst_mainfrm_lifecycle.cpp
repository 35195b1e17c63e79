#include "core/folders.h"
#include "core/rngfile.h"
#include "core/session.h"
#include "core/ulib.h"
#include "input/imeswitch.h"
#include "input/truspad.h"
#include "ipa/tipapad.h"
#include "mainwin/tmainfrm.h"
#include "modalanswer.h"
#include "testenv.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabBar>
#include <QtTest>

class TestMainFrmLifecycle : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void opensAtSavedPlace();
    void unusablePlaceIsCentred();
    void quitMenuWritesSettingsOnce();
    void unreadableSettingsWarnAndUseDefaults();
    void unwritableSettingsWarnAtShutdown();
    void resetRequestSkipsWriting();
    void smallLayoutRequestIsAppliedOnce();
    void functionKeys();
    void fileMenuEnablesSave();
    void objectNamesAreUnique();

private:
    std::unique_ptr<TempHome> m_home;
};

void TestMainFrmLifecycle::init()
{
    m_home = std::make_unique<TempHome>();
    const QStringList problems =
        SetFolderVars({m_home->path() + u"/.config"_qs, m_home->path() + u"/Documents"_qs,
                       QStringLiteral(KALVO_STAGE_DIR) + u"/../.."_qs});
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

void TestMainFrmLifecycle::cleanup()
{
    m_home.reset();
}

void TestMainFrmLifecycle::opensAtSavedPlace()
{
    writeFile(RngFilePath(), "MainLeft,12\r\nMainTop,8\r\nMainWidth,780\r\nMainHeight,575\r\n");
    TMainFrm frm;
    frm.show();
    QCOMPARE(frm.windowTitle(), u"Kalvo"_qs);
    QCOMPARE(frm.frameGeometry().topLeft(), QPoint(12, 8));
    // Saved sizes are the whole window's, the window manager's frame included.
    const QSize frame = frm.frameGeometry().size() - frm.size();
    QCOMPARE(frm.frameGeometry().size(), QSize(780, 575));
    QCOMPARE(frm.minimumSize() + frame, QSize(770, 570));
    QCOMPARE(frm.findChild<QLabel *>(u"StatusPanel1"_qs)->text(),
             u"●F3で英数字入力に切替可(ﾄｸﾞﾙ)"_qs);
    QVERIFY(QFileInfo::exists(Dirs.SysFolder + u"/Leaf101.txt"_qs));
    // The composition part and the pads are there; the Russian area is active.
    QVERIFY(frm.findChild<QWidget *>(u"Memo1"_qs));
    QVERIFY(frm.findChild<QWidget *>(u"Edit1"_qs));
    QVERIFY(frm.findChild<QWidget *>(u"KeyButton48"_qs));
    QVERIFY(frm.findChild<QWidget *>(u"CandBtn10"_qs));
    QVERIFY(frm.findChild<QWidget *>(u"ImgPanel"_qs));
    QVERIFY(Sys.TransMainFlg);
}

void TestMainFrmLifecycle::unusablePlaceIsCentred()
{
    writeFile(RngFilePath(), "MainLeft,300\r\nMainTop,0\r\nMainWidth,780\r\nMainHeight,575\r\n");
    TMainFrm frm;
    frm.show();
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const QSize expected = Usr.SmallPCFlg ? QSize(790, 570) : QSize(860, 640);
    QCOMPARE(frm.frameGeometry().size(), expected);
    QCOMPARE(frm.frameGeometry().topLeft(), QPoint((screen.width() - expected.width()) / 2,
                                                   (screen.height() - expected.height()) / 2));
}

void TestMainFrmLifecycle::quitMenuWritesSettingsOnce()
{
    TMainFrm frm;
    frm.show();
    frm.move(20, 30);
    LoadGaIme();
    QAction *quit = frm.findChild<QAction *>(u"Exit1"_qs);
    QVERIFY(quit);
    QCOMPARE(quit->text(), u"終了"_qs);
    quit->trigger();
    QVERIFY(!frm.isVisible());
    const QByteArray settings = readFile(RngFilePath());
    QCOMPARE(settings.count("\r\n"), 48);
    QVERIFY(settings.startsWith("MainLeft,20\r\nMainTop,30\r\n"));
    QCOMPARE(GetCurrentKLName(), u"00000411"_qs);
    // A later close does not write again.
    QFile::remove(RngFilePath());
    frm.MainClose();
    QVERIFY(!QFileInfo::exists(RngFilePath()));
}

void TestMainFrmLifecycle::unreadableSettingsWarnAndUseDefaults()
{
    QDir().mkpath(RngFilePath()); // a folder in the file's place cannot be read
    ModalRecord box;
    AnswerNextBox(&box, u"はい(&Y)"_qs);
    TMainFrm frm;
    QCOMPARE(box.count, 1);
    QCOMPARE(box.title, u"警告"_qs);
    QVERIFY(box.text.contains(u"読み込めませんでした"_qs));
    QCOMPARE(box.buttons, QStringList{u"はい(&Y)"_qs});
    QCOMPARE(Usr.RusImeIndex, 3);
}

void TestMainFrmLifecycle::unwritableSettingsWarnAtShutdown()
{
    TMainFrm frm;
    frm.show();
    QDir().mkpath(RngFilePath());
    ModalRecord box;
    AnswerNextBox(&box, u"はい(&Y)"_qs);
    frm.close();
    QCOMPARE(box.count, 1);
    QCOMPARE(box.title, u"警告"_qs);
    QVERIFY(box.text.contains(u"保存できませんでした"_qs));
    QVERIFY(QFileInfo(RngFilePath()).isDir());
}

void TestMainFrmLifecycle::resetRequestSkipsWriting()
{
    writeFile(RngFilePath(), "ClassRoom,4\r\n");
    TMainFrm frm;
    frm.show();
    QVERIFY(RequestSettingsReset());
    frm.close();
    QVERIFY(!QFileInfo::exists(RngFilePath()));
}

void TestMainFrmLifecycle::smallLayoutRequestIsAppliedOnce()
{
    {
        TMainFrm frm;
        frm.show();
        RequestSmallLayout();
        frm.close();
    }
    QVERIFY(readFile(RngFilePath()).contains("\r\nSmallPCFlg,1\r\nSmallChangeFlg,1\r\n"));
    {
        TMainFrm frm;
        frm.show();
        const QSize screen = QGuiApplication::primaryScreen()->size();
        QCOMPARE(frm.frameGeometry().size(), QSize(790, 570));
        QCOMPARE(frm.frameGeometry().topLeft(),
                 QPoint((screen.width() - 790) / 2, (screen.height() - 570) / 2));
        QCOMPARE(Usr.Panel3Width, 390);
        QCOMPARE(Usr.PCon1Height, 224);
        frm.close();
    }
    QVERIFY(readFile(RngFilePath()).contains("\r\nSmallPCFlg,1\r\nSmallChangeFlg,0\r\n"));
}

void TestMainFrmLifecycle::functionKeys()
{
    TMainFrm frm;
    frm.show();
    QVERIFY(QTest::qWaitForWindowActive(&frm));
    auto *memo = frm.findChild<QPlainTextEdit *>(u"Memo1"_qs);
    auto *edit = frm.findChild<QLineEdit *>(u"Edit1"_qs);
    memo->setFocus();
    memo->setPlainText(u"да"_qs);
    edit->setText(u"da"_qs);
    QTest::keyClick(memo, Qt::Key_F2);
    QVERIFY(memo->toPlainText().isEmpty() && edit->text().isEmpty());
    QTest::keyClick(memo, Qt::Key_F3);
    QVERIFY(Sys.ImeNumFlg);
    QTest::keyClick(memo, Qt::Key_F3);
    QVERIFY(!Sys.ImeNumFlg);
    QTest::keyClick(memo, Qt::Key_F12);
    QVERIFY(!frm.isVisible());
    QCOMPARE(readFile(RngFilePath()).count("\r\n"), 48);
}

void TestMainFrmLifecycle::fileMenuEnablesSave()
{
    TMainFrm frm;
    frm.show();
    auto *file = frm.findChild<QMenu *>(u"File1"_qs);
    QAction *save = frm.findChild<QAction *>(u"Save1"_qs);
    QStringList texts;
    for (QAction *a : file->actions())
        texts.append(a->isSeparator() ? u"-"_qs : a->text());
    QCOMPARE(texts, (QStringList{u"開く"_qs, u"-"_qs, u"上書き保存"_qs, u"名前を付けて保存"_qs,
                                 u"-"_qs, u"閉じる"_qs, u"-"_qs, u"終了"_qs}));
    Q_EMIT file->aboutToShow();
    QVERIFY(!save->isEnabled());
    Sys.Ufname = u"doc.txt"_qs;
    Q_EMIT file->aboutToShow();
    QVERIFY(save->isEnabled());
    frm.findChild<QPlainTextEdit *>(u"Memo1"_qs)->setPlainText(u"да"_qs);
    frm.findChild<QAction *>(u"Close1"_qs)->trigger();
    QVERIFY(frm.findChild<QPlainTextEdit *>(u"Memo1"_qs)->toPlainText().isEmpty());
    Q_EMIT file->aboutToShow();
    QVERIFY(!save->isEnabled());
}

QTEST_MAIN(TestMainFrmLifecycle)
#include "tst_mainfrm_lifecycle.moc"

namespace {

// The pads are embedded in several windows and name their keys alike, so each pad is a name
// scope of its own, as the window is.
bool isNameScope(const QObject *object)
{
    return object->isWindowType() || qobject_cast<const TRusPad *>(object) ||
           qobject_cast<const TIPAPad *>(object) ||
           (object->isWidgetType() && static_cast<const QWidget *>(object)->isWindow());
}

const QObject *nameScope(const QObject *object)
{
    for (const QObject *parent = object->parent(); parent; parent = parent->parent()) {
        if (isNameScope(parent))
            return parent;
    }
    return nullptr;
}

// Parts Qt builds and names itself: "qt_…", and the scroll buttons of a tab bar.
bool isQtPart(const QObject *object)
{
    return object->objectName().startsWith(u"qt_") || qobject_cast<QTabBar *>(object->parent());
}

} // namespace

// Tests and SearchForms find controls by name, so within a scope a name is one control.
void TestMainFrmLifecycle::objectNamesAreUnique()
{
    TMainFrm frm;
    QSet<QPair<const QObject *, QString>> seen;
    QStringList repeated;
    for (const QObject *child : frm.findChildren<QObject *>()) {
        const QString name = child->objectName();
        if (name.isEmpty() || isQtPart(child) ||
            !(child->isWidgetType() || qobject_cast<const QAction *>(child)))
            continue;
        const QPair<const QObject *, QString> key{nameScope(child), name};
        if (seen.contains(key))
            repeated.append(name);
        seen.insert(key);
    }
    QVERIFY2(repeated.isEmpty(), qPrintable(repeated.join(u' ')));
}
