#include "core/settingstable.h"
#include "core/textlines.h"
#include "core/ulib.h"
#include "ipa/ipafonts.h"
#include "testenv.h"
#include "wordbook/reportmodel.h"
#include "wordbook/reportview.h"
#include "wordbook/tsearchfrm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

namespace {

QString line(const QString &russian, const QString &cue, const QString &japanese)
{
    return u"\"%1\",\"%2\",\"カナ\",\"%3\",\"\",\"\"\r\n"_qs.arg(russian, cue, japanese);
}

// Entry 1 and 3 are the same Russian word; entry 5 holds quotation marks as the file does.
QByteArray sampleBook(const QString &title)
{
    return EncodeUtf16LeBom(
        title + u"\r\n組\r\n単語理解\r\n"_qs + line(u"дом"_qs, u"dom"_qs, u"家"_qs) +
        line(u"дома"_qs, u"doma"_qs, u"家で"_qs) + line(u"дом"_qs, u"dom"_qs, u"住宅"_qs) +
        line(u"кот"_qs, u"kot"_qs, u"猫"_qs) + line(u"он#$22да#$22"_qs, u"on"_qs, u"言う"_qs));
}

} // namespace

class TestSearchFrm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void search_data();
    void search();
    void enterKey_data();
    void enterKey();
    void modeSwitch_data();
    void modeSwitch();
    void editRequestFollowsClassAndFolder();
    void inputRequestCloses();

private:
    template <typename T> T *child(const QString &name) const
    {
        return m_window->findChild<T *>(name);
    }
    QPushButton *button(const QString &text) const;
    QStringList shownRows() const;
    void setMode(int mode) { child<QComboBox>(u"ComboBox1"_qs)->setCurrentIndex(mode); }
    void search(int mode, const QString &text);

    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<QWidget> m_main;
    TSearchFrm *m_window = nullptr;
};

void TestSearchFrm::init()
{
    m_home = std::make_unique<TempHome>();
    InitSysVars();
    InitUsrVars(false, 0xFFFFE1);
    Dirs.UsrFolder = m_home->docsDir();
    writeFile(Dirs.UsrFolder + u"/Class0/bookA/a.utx"_qs, sampleBook(u"題A"_qs));
    writeFile(Dirs.UsrFolder + u"/Class2/bookG/g.utx"_qs, sampleBook(u"題G"_qs));
    m_main = std::make_unique<QWidget>();
    m_main->resize(900, 700);
    m_window = new TSearchFrm(m_main.get());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QCOMPARE(m_window->size(), QSize(580, 400));
}

void TestSearchFrm::cleanup()
{
    m_main.reset();
    m_home.reset();
}

QPushButton *TestSearchFrm::button(const QString &text) const
{
    for (QPushButton *button : m_window->findChildren<QPushButton *>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

// Each row as its Russian and its number.
QStringList TestSearchFrm::shownRows() const
{
    const auto *model = qobject_cast<ReportModel *>(child<ReportView>(u"ListView1"_qs)->model());
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row)
        rows.append(model->cell(row, 0) + u' ' + model->cell(row, 4));
    return rows;
}

void TestSearchFrm::search(int mode, const QString &text)
{
    setMode(mode);
    child<QLineEdit>(u"Edit1"_qs)->setText(text);
    button(u"検索"_qs)->click();
}

void TestSearchFrm::search_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("exact before partial")
        << 3 << u"家"_qs << QStringList{u"дом *1"_qs, u"дома 2"_qs};
    QTest::newRow("exact hits last first")
        << 0 << u"дом"_qs << QStringList{u"дом *3"_qs, u"дом *1"_qs, u"дома 2"_qs};
    QTest::newRow("case sensitive") << 0 << u"КОТ"_qs << QStringList{u"- なし - "_qs};
    QTest::newRow("quotation mark") << 0 << u"\""_qs << QStringList{u"- なし - "_qs};
    QTest::newRow("stored quotation mark") << 0 << u"#$22"_qs << QStringList{u"он\"да\" 5"_qs};
    QTest::newRow("empty text") << 0 << QString() << QStringList{};
}

// The rows found, and the result buttons enabled for a hit but not for "- なし -".
void TestSearchFrm::search()
{
    QFETCH(int, mode);
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    search(mode, text);
    QCOMPARE(shownRows(), rows);
    auto *list = child<ReportView>(u"ListView1"_qs);
    list->selectRow(0);
    const bool hit = !rows.isEmpty() && !rows.first().startsWith(u"- なし -"_qs);
    QCOMPARE(button(u"この単語を入力"_qs)->isEnabled(), hit);
    QCOMPARE(button(u"この単語を編集"_qs)->isEnabled(), hit);
}

void TestSearchFrm::enterKey_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("searches");
    QTest::newRow("russian") << 0 << u"дом"_qs << false;
    QTest::newRow("ipa") << 1 << u"dom"_qs << true;
    QTest::newRow("japanese") << 3 << u"家"_qs << true;
}

void TestSearchFrm::enterKey()
{
    QFETCH(int, mode);
    QFETCH(QString, text);
    QFETCH(bool, searches);
    setMode(mode);
    auto *field = child<QLineEdit>(u"Edit1"_qs);
    field->setText(text);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(!shownRows().isEmpty(), searches);
    QVERIFY(m_window->isVisible());
}

void TestSearchFrm::modeSwitch_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("russianTab");
    QTest::addColumn<bool>("ipaTab");
    QTest::addColumn<QString>("family");
    QTest::newRow("russian") << 0 << true << false << RussianFontFamily(Usr.UsrMainFont);
    QTest::newRow("ipa") << 1 << false << true << IpaFontFamily(Usr.UsrIPAFont);
    QTest::newRow("kana") << 2 << false << false << JapaneseFamilies(Usr.UsrJpFont).front();
    QTest::newRow("remarks") << 4 << false << false << JapaneseFamilies(Usr.UsrJpFont).front();
}

void TestSearchFrm::modeSwitch()
{
    QFETCH(int, mode);
    QFETCH(bool, russianTab);
    QFETCH(bool, ipaTab);
    QFETCH(QString, family);
    auto *field = child<QLineEdit>(u"Edit1"_qs);
    field->setText(u"x"_qs);
    setMode(mode);
    auto *pages = child<QTabWidget>(u"PageControl1"_qs);
    QCOMPARE(pages->isTabVisible(1), russianTab);
    QCOMPARE(pages->isTabVisible(2), ipaTab);
    QCOMPARE(field->font().family(), family);
    QVERIFY(field->text().isEmpty());
    QCOMPARE(Usr.SColumn, mode);
}

void TestSearchFrm::editRequestFollowsClassAndFolder()
{
    child<QComboBox>(u"ComboBox2"_qs)->setCurrentIndex(2);
    for (QRadioButton *radio : m_window->findChildren<QRadioButton *>()) {
        if (radio->text() == u"bookG"_qs)
            radio->click();
    }
    QCOMPARE(Usr.SClassRoom, 2);
    QCOMPARE(Usr.SFIndex, 1);
    QSignalSpy spy(m_window, &TSearchFrm::editRequested);
    search(0, u"дом"_qs);
    child<ReportView>(u"ListView1"_qs)->selectRow(0);
    button(u"この単語を編集"_qs)->click();
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.first(), (QVariantList{2, 1, u"題G"_qs, 2}));
    QVERIFY(m_window->isVisible());
}

void TestSearchFrm::inputRequestCloses()
{
    QSignalSpy spy(m_window, &TSearchFrm::inputRequested);
    search(3, u"家"_qs);
    child<ReportView>(u"ListView1"_qs)->selectRow(1);
    button(u"この単語を入力"_qs)->click();
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.first().first().toString(), u"дома"_qs);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_window->result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestSearchFrm)
#include "tst_searchfrm.moc"
