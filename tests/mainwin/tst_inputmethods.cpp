// Which fields the system input method may serve: none that types its own layout (a Russian
// layout, IPA candidates), every Japanese, kana and remarks field. Input method modules ask
// the focused field for Qt::ImEnabled, so that is what is checked, field by field.
#include "core/folders.h"
#include "core/textlines.h"
#include "core/ulib.h"
#include "inputmethodquery.h"
#include "mainwin/compositionareas.h"
#include "mainwin/tmainfrm.h"
#include "modalanswer.h"
#include "testenv.h"
#include "wordbook/tregfrm.h"
#include "wordbook/tsearchfrm.h"
#include "wordbook/wordbookcommands.h"

#include <QComboBox>
#include <QtTest>

namespace {

enum class Place { Main, Kana, Alphanumeric, Register, Search };

bool focusedFieldTakesInputMethod(QWidget *window, const QString &field)
{
    auto *widget = window->findChild<QWidget *>(field);
    if (!widget)
        return false;
    widget->setFocus();
    QCoreApplication::processEvents();
    return TakesInputMethod(QGuiApplication::focusObject());
}

} // namespace

class TestInputMethods : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void fieldsTypingTheirOwnLayoutRefuseTheInputMethod_data();
    void fieldsTypingTheirOwnLayoutRefuseTheInputMethod();

private:
    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<TMainFrm> m_frm;
};

void TestInputMethods::init()
{
    m_home = std::make_unique<TempHome>();
    SetFolderVars({m_home->path() + u"/.config"_qs, m_home->path() + u"/Documents"_qs,
                   QStringLiteral(KALVO_STAGE_DIR) + u"/../.."_qs});
}

void TestInputMethods::cleanup()
{
    m_frm.reset();
    m_home.reset();
}

void TestInputMethods::fieldsTypingTheirOwnLayoutRefuseTheInputMethod_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<int>("searchMode");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("takesInputMethod");
    QTest::newRow("Russian area") << Place::Main << 0 << u"Memo1"_qs << false;
    QTest::newRow("Russian area, F3") << Place::Alphanumeric << 0 << u"Memo1"_qs << true;
    QTest::newRow("IPA line") << Place::Main << 0 << u"Edit1"_qs << false;
    QTest::newRow("IPA line, kana mode") << Place::Kana << 0 << u"Edit1"_qs << true;
    QTest::newRow("register: Russian") << Place::Register << 0 << u"Edit1"_qs << false;
    QTest::newRow("register: IPA") << Place::Register << 0 << u"Edit2"_qs << false;
    QTest::newRow("register: kana") << Place::Register << 0 << u"Edit3"_qs << true;
    QTest::newRow("register: Japanese") << Place::Register << 0 << u"Edit4"_qs << true;
    QTest::newRow("register: remarks") << Place::Register << 0 << u"Memo1"_qs << true;
    QTest::newRow("search: Russian") << Place::Search << 0 << u"Edit1"_qs << false;
    QTest::newRow("search: IPA") << Place::Search << 1 << u"Edit1"_qs << false;
    QTest::newRow("search: Japanese") << Place::Search << 3 << u"Edit1"_qs << true;
}

void TestInputMethods::fieldsTypingTheirOwnLayoutRefuseTheInputMethod()
{
    QFETCH(Place, place);
    QFETCH(int, searchMode);
    QFETCH(QString, field);
    QFETCH(bool, takesInputMethod);
    writeFile(
        Dirs.ICatFolder + u"/t.utx"_qs,
        EncodeUtf16LeBom(u"題\r\n組\r\n単語理解\r\n\"r\",\"c\",\"k\",\"j\",\"\",\"\"\r\n"_qs));
    m_frm = std::make_unique<TMainFrm>();
    m_frm->show();
    QVERIFY(QTest::qWaitForWindowActive(m_frm.get()));
    m_frm->findChild<WordBookCommands *>()->WBMenuClick(u"t.utx"_qs);
    auto *areas = m_frm->findChild<CompositionAreas *>();
    std::optional<bool> answer;
    switch (place) {
    case Place::Kana:
        areas->setKanaMode(true);
        [[fallthrough]];
    case Place::Main:
        answer = focusedFieldTakesInputMethod(m_frm.get(), field);
        break;
    case Place::Alphanumeric:
        focusedFieldTakesInputMethod(m_frm.get(), field);
        areas->ImePauseExecute();
        answer = TakesInputMethod(QGuiApplication::focusObject());
        break;
    case Place::Register:
        inDialog<TRegFrm>(
            [&](TRegFrm *dialog) { answer = focusedFieldTakesInputMethod(dialog, field); });
        QTest::keyClick(m_frm.get(), Qt::Key_F4);
        break;
    case Place::Search:
        inDialog<TSearchFrm>([&](TSearchFrm *dialog) {
            dialog->findChild<QComboBox *>(u"ComboBox1"_qs)->setCurrentIndex(searchMode);
            answer = focusedFieldTakesInputMethod(dialog, field);
        });
        QTest::keyClick(m_frm.get(), Qt::Key_F6);
        break;
    }
    QVERIFY(answer.has_value());
    QCOMPARE(*answer, takesInputMethod);
}

QTEST_MAIN(TestInputMethods)
#include "tst_inputmethods.moc"
