#include "core/settingstable.h"
#include "core/ulib.h"
#include "widgets/fixedcolours.h"
#include "widgets/mainactions.h"
#include "wordbook/listpainting.h"
#include "wordbook/reportmodel.h"
#include "wordbook/reportview.h"
#include "wordbook/wordbookpage.h"
#include "wordbook/wordlistdelegate.h"
#include "wordbook/wordlistmodel.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QMenu>
#include <QRadioButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

using Widths = std::array<int, 7>;

namespace QTest {
template <> char *toString(const Widths &widths)
{
    QByteArray text;
    for (int width : widths)
        text += QByteArray::number(width) + ' ';
    return qstrdup(text.constData());
}
} // namespace QTest

class TestWordBookPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void shelfControls_data();
    void shelfControls();
    void shelfListFillsThePanelBelowTheControls();
    void wordListColumnsFromSettings();
    void shelfColumns();
    void numbersShowWhole_data();
    void numbersShowWhole();
    void rowHeights();
    void listColours();
    void wordListDrawsGridLines();
    void currentRowLooksLikeTheOthers();
    void shelfToggle();
    void bookButtons_data();
    void bookButtons();
    void selectBookFolderPressesEvenTheButtonThatIsDown();
    void classSelector_data();
    void classSelector();
    void firstDisplayKeepsSavedWidths_data();
    void firstDisplayKeepsSavedWidths();
    void changingTheOrderSwapsCaptionsAndWidths_data();
    void changingTheOrderSwapsCaptionsAndWidths();
    void wordListMenuFlags_data();
    void wordListMenuFlags();
    void wordListMenuFontSize();
    void shelfMenu_data();
    void shelfMenu();
    void newBookButtonFollowsItsAction();

private:
    void build();
    template <class T = QWidget> T *child(const char *name) const
    {
        T *w = m_page->findChild<T *>(QLatin1StringView(name));
        if (!w)
            qWarning("no control %s", name);
        return w;
    }
    QStringList wordListCaptions() const;

    std::unique_ptr<QWidget> m_window;
    MainActions *m_actions = nullptr;
    WordBookPage *m_page = nullptr;
};

namespace {

const Widths kSavedWidths{150, 50, 110, 100, 170, 190, 1};

QString ru()
{
    return u"ロシア語"_qs;
}
QString ja()
{
    return u"日本語"_qs;
}

} // namespace

void TestWordBookPage::init()
{
    InitSysVars();
    InitUsrVars(false, 0xFFFFE1);
    Usr.Lv1ColumnWidth = kSavedWidths;
}

void TestWordBookPage::build()
{
    m_window = std::make_unique<QWidget>();
    m_actions = new MainActions(m_window.get());
    m_page = new WordBookPage(m_actions, m_window.get());
    auto *layout = new QVBoxLayout(m_window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_page);
    m_window->resize(1100, 320);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestWordBookPage::cleanup()
{
    m_window.reset();
}

QStringList TestWordBookPage::wordListCaptions() const
{
    QStringList captions;
    for (int column = 0; column < m_page->wordListModel()->columnCount(); ++column)
        captions << m_page->wordListModel()->caption(column);
    return captions;
}

void TestWordBookPage::shelfControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry"); // a negative size: the control's own
    QTest::addColumn<QString>("caption");
    QTest::newRow("shelf toggle") << u"SpeedButton10"_qs << QRect(6, 4, 26, 26) << u"→"_qs;
    QTest::newRow("shelf check box") << u"CheckBox4"_qs << QRect(12, 32, -1, -1) << QString();
    QTest::newRow("new book") << u"Button1"_qs << QRect(40, 4, 80, 42) << u"新規作成"_qs;
    QTest::newRow("class selector") << u"ComboBox3"_qs << QRect(125, 14, 70, -1) << QString();
    QTest::newRow("book A") << u"SpeedButton12"_qs << QRect(200, 2, 45, 48) << u"book\nA"_qs;
    QTest::newRow("book G") << u"SpeedButton13"_qs << QRect(245, 2, 45, 48) << u"book\nG"_qs;
    QTest::newRow("book S") << u"SpeedButton14"_qs << QRect(290, 2, 45, 48) << u"book\nS"_qs;
    QTest::newRow("露-日") << u"RadioButton1"_qs << QRect(340, 8, -1, -1) << u"露-日"_qs;
    QTest::newRow("日-露") << u"RadioButton2"_qs << QRect(340, 31, -1, -1) << u"日-露"_qs;
}

void TestWordBookPage::shelfControls()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    build();
    auto *w = m_page->findChild<QWidget *>(name);
    QVERIFY(w);
    QCOMPARE(w->parentWidget()->objectName(), u"Panel5"_qs);
    QCOMPARE(w->pos(), geometry.topLeft());
    if (geometry.width() >= 0)
        QCOMPARE(w->width(), geometry.width());
    if (geometry.height() >= 0)
        QCOMPARE(w->height(), geometry.height());
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        QCOMPARE(button->text(), caption);
}

void TestWordBookPage::shelfListFillsThePanelBelowTheControls()
{
    build();
    auto *panel = child("Panel5");
    QCOMPARE(panel->width(), 420);
    QCOMPARE(m_page->shelf()->objectName(), u"ListView2"_qs);
    QCOMPARE(m_page->shelf()->geometry(), QRect(0, 54, 420, panel->height() - 54));
    m_window->resize(900, 320);
    QTRY_COMPARE(m_page->width(), 900);
    QCOMPARE(panel->width(), 420);
    auto *classes = child<QComboBox>("ComboBox3");
    QVERIFY(!classes->isEditable());
    QStringList items;
    for (int i = 0; i < classes->count(); ++i)
        items << classes->itemText(i);
    QCOMPARE(items, (QStringList{u"Class0"_qs, u"Class1"_qs, u"Class2"_qs, u"Class3"_qs,
                                 u"Class4"_qs, u"Class5"_qs}));
}

void TestWordBookPage::wordListColumnsFromSettings()
{
    build();
    QCOMPARE(m_page->wordList()->objectName(), u"ListView1"_qs);
    QCOMPARE(wordListCaptions(),
             (QStringList{ru(), u"No"_qs, u"IPA"_qs, u"発音カナ"_qs, ja(), u"備考"_qs, QString()}));
    QCOMPARE(m_page->columnWidths(), kSavedWidths);
    const auto alignment = [this](int column) {
        return m_page->wordListModel()
                   ->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole)
                   .toInt() &
               Qt::AlignHorizontal_Mask;
    };
    QCOMPARE(alignment(1), int(Qt::AlignHCenter));
    QCOMPARE(alignment(0), int(Qt::AlignLeft));
}

void TestWordBookPage::shelfColumns()
{
    build();
    const QStringList captions{u"タイトル"_qs, u"ファイル名"_qs, u"グループ"_qs, u"個数"_qs,
                               u"問題ﾀｲﾌﾟ"_qs};
    const QList<int> widths{100, 80, 85, 55, 75};
    const QList<bool> centred{false, false, false, true, true};
    ReportModel *model = m_page->shelfModel();
    QCOMPARE(model->columnCount(), captions.size());
    model->setRows({{u"題"_qs, u"a.utx"_qs, u"G"_qs, u"3"_qs, u"単語"_qs}});
    for (int column = 0; column < captions.size(); ++column) {
        QCOMPARE(model->caption(column), captions[column]);
        QCOMPARE(m_page->shelf()->header()->sectionSize(column), widths[column]);
        const int cellAlignment =
            model->index(0, column).data(Qt::TextAlignmentRole).toInt() & Qt::AlignHCenter;
        QCOMPARE(cellAlignment != 0, centred[column]);
    }
}

// Six-digit numbers in the word list's No column and the shelf's count column, in the
// shelf's own font and in a large one.
void TestWordBookPage::numbersShowWhole_data()
{
    QTest::addColumn<bool>("shelf");
    QTest::addColumn<int>("pixels"); // 0: the list's own font
    QTest::newRow("word list") << false << 0;
    QTest::newRow("shelf") << true << 0;
    QTest::newRow("shelf, large font") << true << 30;
}

void TestWordBookPage::numbersShowWhole()
{
    QFETCH(bool, shelf);
    QFETCH(int, pixels);
    build();
    const QString number = u"123456"_qs;
    if (!shelf) {
        m_page->wordListModel()->setEntries(QList<WordEntry>(123456));
        const auto *delegate = static_cast<WordListDelegate *>(m_page->wordList()->itemDelegate());
        const QFontMetrics metrics(delegate->cellFont(WordListModel::Number));
        const QRect cell(0, 0, m_page->wordList()->header()->sectionSize(WordListModel::Number),
                         28);
        QCOMPARE(GetNewString(metrics, number, 4, cell), number);
        return;
    }
    ReportView *view = m_page->shelf();
    if (pixels) {
        QFont font = view->font();
        font.setPixelSize(pixels);
        view->setFont(font);
    }
    m_page->shelfModel()->setRows({{u"題"_qs, u"a.utx"_qs, u"G"_qs, number, u"単語"_qs}});
    const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    QVERIFY(view->header()->sectionSize(3) >=
            view->fontMetrics().horizontalAdvance(number) + margins);
}

void TestWordBookPage::rowHeights()
{
    build();
    m_page->wordListModel()->setEntries({{{u"да"_qs}}, {{u"нет"_qs}}});
    m_page->shelfModel()->setRows({{u"題"_qs}, {u"題2"_qs}});
    const auto height = [](ReportView *view, int row) {
        return view->visualRect(view->model()->index(row, 0)).height();
    };
    QCOMPARE(height(m_page->wordList(), 1), 28);
    QCOMPARE(height(m_page->shelf(), 1), 20);
    QVERIFY(!m_page->wordList()->rootIsDecorated());
    QCOMPARE(m_page->wordList()->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(m_page->wordList()->editTriggers(), QAbstractItemView::NoEditTriggers);
}

void TestWordBookPage::listColours()
{
    build();
    ReportView *words = m_page->wordList();
    QVERIFY(!words->isEnabled());
    QCOMPARE(words->palette().color(QPalette::Disabled, QPalette::Base),
             m_page->palette().color(QPalette::Button));
    m_page->setWordListOpen(true);
    QVERIFY(words->isEnabled());
    QCOMPARE(words->palette().color(QPalette::Base), m_page->palette().color(QPalette::Base));
    QCOMPARE(words->palette().color(QPalette::Inactive, QPalette::Highlight),
             words->palette().color(QPalette::Active, QPalette::Highlight));

    ReportView *shelf = m_page->shelf();
    // White on the style's shadow colour, deepened until its small text reads well.
    QCOMPARE(shelf->palette().color(QPalette::Text), QColor(Qt::white));
    QVERIFY(ContrastRatio(shelf->palette().color(QPalette::Base), Qt::white) >= 7);
}

void TestWordBookPage::wordListDrawsGridLines()
{
    build();
    m_page->setWordListOpen(true);
    m_page->wordListModel()->setEntries({WordEntry{}});
    ReportView *view = m_page->wordList();
    const QImage image = view->viewport()->grab().toImage();
    QStyleOptionViewItem option;
    option.initFrom(view);
    const QColor grid = QColor::fromRgba(
        static_cast<QRgb>(view->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, view)));
    const int columnEdge = view->header()->sectionSize(0) - 1;
    const qreal ratio = image.devicePixelRatio();
    QCOMPARE(image.pixelColor(int(columnEdge * ratio), int(10 * ratio)), grid);
    QCOMPARE(image.pixelColor(int(20 * ratio), int(27 * ratio)), grid);
    QVERIFY(image.pixelColor(int(20 * ratio), int(10 * ratio)) != grid);
}

// The current row that is not selected keeps the rows' colour; only its outline may differ.
void TestWordBookPage::currentRowLooksLikeTheOthers()
{
    build();
    m_page->setWordListOpen(true);
    WordEntry entry;
    entry[EntryField::Russian] = u"привет"_qs;
    m_page->wordListModel()->setEntries({entry, entry});
    ReportView *view = m_page->wordList();
    QApplication::setActiveWindow(m_window.get());
    view->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(view->hasFocus());
    view->setCurrentIndex(m_page->wordListModel()->index(0, 0));
    view->clearSelection();
    const QImage image = view->viewport()->grab().toImage().scaled(view->viewport()->size());
    const QModelIndex cell = m_page->wordListModel()->index(0, 0);
    const QRect inside = view->visualRect(cell).adjusted(2, 2, -2, -2);
    const int rowHeight = view->visualRect(cell).height();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            QCOMPARE(image.pixel(x, y), image.pixel(x, y + rowHeight));
    }
}

void TestWordBookPage::shelfToggle()
{
    build();
    auto *toggle = child<QAbstractButton>("SpeedButton10");
    auto *panel = child("Panel5");
    QSignalSpy toggled(m_page, &WordBookPage::shelfToggled);
    QVERIFY(m_page->shelfOpen());

    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(toggle->text(), u"←"_qs);
    QCOMPARE(panel->width(), 40);
    QVERIFY(!m_page->shelfOpen());

    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(toggle->text(), u"→"_qs);
    QCOMPARE(panel->width(), 420);
    QCOMPARE(toggled.size(), 2);
    QCOMPARE(toggled[0][0].toBool(), false);
    QCOMPARE(toggled[1][0].toBool(), true);
}

void TestWordBookPage::bookButtons_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("down");
    QTest::addColumn<QList<int>>("chosen");
    QTest::newRow("A") << QList<int>{0} << 0 << QList<int>{0};
    QTest::newRow("A then G") << QList<int>{0, 1} << 1 << QList<int>{0, 1};
    QTest::newRow("G S A") << QList<int>{1, 2, 0} << 0 << QList<int>{1, 2, 0};
    QTest::newRow("A twice releases A") << QList<int>{0, 0} << -1 << QList<int>{0};
    QTest::newRow("A G G releases G") << QList<int>{0, 1, 1} << -1 << QList<int>{0, 1};
    QTest::newRow("released then down again") << QList<int>{2, 2, 2} << 2 << QList<int>{2, 2};
}

void TestWordBookPage::bookButtons()
{
    QFETCH(QList<int>, clicks);
    QFETCH(int, down);
    QFETCH(QList<int>, chosen);
    build();
    const std::array<QAbstractButton *, 3> buttons{child<QAbstractButton>("SpeedButton12"),
                                                   child<QAbstractButton>("SpeedButton13"),
                                                   child<QAbstractButton>("SpeedButton14")};
    QSignalSpy spy(m_page, &WordBookPage::bookFolderChosen);
    for (int index : clicks)
        QTest::mouseClick(buttons[index], Qt::LeftButton);
    for (int index = 0; index < 3; ++index)
        QCOMPARE(buttons[index]->isChecked(), index == down);
    QList<int> emitted;
    for (const QList<QVariant> &call : spy)
        emitted << call[0].toInt();
    QCOMPARE(emitted, chosen);
}

void TestWordBookPage::selectBookFolderPressesEvenTheButtonThatIsDown()
{
    build();
    QSignalSpy spy(m_page, &WordBookPage::bookFolderChosen);
    m_page->selectBookFolder(1);
    m_page->selectBookFolder(1);
    m_page->selectBookFolder(3);
    QCOMPARE(spy.size(), 2);
    QVERIFY(child<QAbstractButton>("SpeedButton13")->isChecked());
    QVERIFY(!child<QAbstractButton>("SpeedButton12")->isChecked());
}

void TestWordBookPage::classSelector_data()
{
    QTest::addColumn<int>("saved");
    QTest::addColumn<int>("setElsewhere"); // ClassRoom changed after the page was built
    QTest::addColumn<int>("chosen");
    QTest::addColumn<bool>("signalled");
    QTest::newRow("another class") << 2 << 2 << 4 << true;
    QTest::newRow("to class 0") << 5 << 5 << 0 << true;
    QTest::newRow("the class already set") << 2 << 3 << 3 << false;
}

void TestWordBookPage::classSelector()
{
    QFETCH(int, saved);
    QFETCH(int, setElsewhere);
    QFETCH(int, chosen);
    QFETCH(bool, signalled);
    Usr.ClassRoom = saved;
    build();
    auto *classes = child<QComboBox>("ComboBox3");
    QCOMPARE(classes->currentIndex(), saved);
    Usr.ClassRoom = setElsewhere;
    QSignalSpy spy(m_page, &WordBookPage::classRoomChanged);
    classes->setCurrentIndex(chosen);
    QCOMPARE(spy.size(), signalled ? 1 : 0);
    if (signalled)
        QCOMPARE(spy[0][0].toInt(), chosen);
    QCOMPARE(Usr.ClassRoom, chosen);
}

void TestWordBookPage::firstDisplayKeepsSavedWidths_data()
{
    QTest::addColumn<bool>("eiwa");
    QTest::newRow("露-日") << true;
    QTest::newRow("日-露") << false;
}

void TestWordBookPage::firstDisplayKeepsSavedWidths()
{
    QFETCH(bool, eiwa);
    Usr.EiwaFlg = !eiwa;
    build();
    m_page->setListOrder(eiwa);
    QCOMPARE(Usr.EiwaFlg, eiwa);
    QVERIFY(child<QRadioButton>(eiwa ? "RadioButton1" : "RadioButton2")->isChecked());
    QVERIFY(!child<QRadioButton>(eiwa ? "RadioButton2" : "RadioButton1")->isChecked());
    QCOMPARE(wordListCaptions()[0], eiwa ? ru() : ja());
    QCOMPARE(wordListCaptions()[4], eiwa ? ja() : ru());
    QCOMPARE(m_page->columnWidths(), kSavedWidths);
    m_page->ReDrawListView1();
    QCOMPARE(m_page->columnWidths(), kSavedWidths);
}

void TestWordBookPage::changingTheOrderSwapsCaptionsAndWidths_data()
{
    QTest::addColumn<bool>("saved");
    QTest::newRow("from 露-日") << true;
    QTest::newRow("from 日-露") << false;
}

void TestWordBookPage::changingTheOrderSwapsCaptionsAndWidths()
{
    QFETCH(bool, saved);
    build();
    m_page->setListOrder(saved);
    Widths swapped = kSavedWidths;
    std::swap(swapped[0], swapped[4]);

    QTest::mouseClick(child(saved ? "RadioButton2" : "RadioButton1"), Qt::LeftButton);
    QCOMPARE(Usr.EiwaFlg, !saved);
    QCOMPARE(wordListCaptions()[0], saved ? ja() : ru());
    QCOMPARE(wordListCaptions()[4], saved ? ru() : ja());
    QCOMPARE(m_page->columnWidths(), swapped);

    QTest::mouseClick(child(saved ? "RadioButton1" : "RadioButton2"), Qt::LeftButton);
    QCOMPARE(Usr.EiwaFlg, saved);
    QCOMPARE(wordListCaptions()[0], saved ? ru() : ja());
    QCOMPARE(m_page->columnWidths(), kSavedWidths);
}

void TestWordBookPage::wordListMenuFlags_data()
{
    QTest::addColumn<bool>("lastVisible");
    QTest::addColumn<bool>("resetInput");
    QTest::newRow("both off") << false << false;
    QTest::newRow("last row on") << true << false;
    QTest::newRow("reset on") << false << true;
    QTest::newRow("both on") << true << true;
}

void TestWordBookPage::wordListMenuFlags()
{
    QFETCH(bool, lastVisible);
    QFETCH(bool, resetInput);
    build();
    auto *menu = child<QMenu>("PopupMenu3");
    auto *lastItem = child<QAction>("LastVisibleItem");
    auto *resetItem = child<QAction>("ResetInputItem");
    QCOMPARE(lastItem->text(), u"最下行表示"_qs);
    QCOMPARE(resetItem->text(), u"リセット入力"_qs);
    QCOMPARE(menu->actions().mid(0, 4),
             (QList<QAction *>{m_actions->RegWord, m_actions->ModWord, m_actions->MoveWord,
                               m_actions->DelWord}));
    Usr.LastVisibleFlg = lastVisible;
    Usr.ResetInputFlg = resetInput;

    Q_EMIT m_page->wordList()->customContextMenuRequested(QPoint(10, 10));
    QVERIFY(menu->isVisible());
    QCOMPARE(lastItem->isChecked(), lastVisible);
    QCOMPARE(resetItem->isChecked(), resetInput);
    lastItem->trigger();
    resetItem->trigger();
    QCOMPARE(Usr.LastVisibleFlg, !lastVisible);
    QCOMPARE(Usr.ResetInputFlg, !resetInput);
    menu->close();

    Usr.LastVisibleFlg = lastVisible;
    Q_EMIT m_page->wordList()->customContextMenuRequested(QPoint(10, 10));
    QCOMPARE(lastItem->isChecked(), lastVisible);
    menu->close();
}

void TestWordBookPage::wordListMenuFontSize()
{
    build();
    QSignalSpy spy(m_page, &WordBookPage::fontSizeDialogRequested);
    child<QAction>("FontSizeItem")->trigger();
    QCOMPARE(spy.size(), 1);
}

void TestWordBookPage::shelfMenu_data()
{
    QTest::addColumn<bool>("autoClose");
    QTest::addColumn<bool>("rowSelected");
    QTest::newRow("checked, row selected") << true << true;
    QTest::newRow("checked, no row") << true << false;
    QTest::newRow("unchecked, row selected") << false << true;
}

void TestWordBookPage::shelfMenu()
{
    QFETCH(bool, autoClose);
    QFETCH(bool, rowSelected);
    Usr.AutoDoorFlg = autoClose;
    build();
    auto *checkBox = child<QCheckBox>("CheckBox4");
    QCOMPARE(checkBox->isChecked(), autoClose);
    auto *menu = child<QMenu>("PopupMenu2");
    QCOMPARE(menu->actions(), (QList<QAction *>{m_actions->ChangeWBProperty, m_actions->DeleteWB,
                                                m_actions->CloseWB}));
    m_page->shelfModel()->setRows({{u"題"_qs, u"a.utx"_qs}});
    if (rowSelected)
        m_page->shelf()->selectRow(0);
    QSignalSpy clicked(m_page, &WordBookPage::shelfRowClicked);
    bool checkedWhenClicked = true;
    connect(m_page, &WordBookPage::shelfRowClicked, this,
            [&] { checkedWhenClicked = checkBox->isChecked(); });

    Q_EMIT m_page->shelf()->customContextMenuRequested(QPoint(10, 5));
    QVERIFY(menu->isVisible());
    QVERIFY(!checkBox->isChecked());
    QCOMPARE(clicked.size(), rowSelected ? 1 : 0);
    if (rowSelected)
        QVERIFY(!checkedWhenClicked);

    menu->close();
    QCOMPARE(checkBox->isChecked(), autoClose);
    QCOMPARE(m_page->autoShelfClosing(), autoClose);
}

void TestWordBookPage::newBookButtonFollowsItsAction()
{
    build();
    auto *button = child<QAbstractButton>("Button1");
    QSignalSpy triggered(m_actions->NewWB, &QAction::triggered);
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(triggered.size(), 1);

    m_actions->NewWB->setEnabled(false);
    QVERIFY(!button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(triggered.size(), 1);

    m_actions->NewWB->setEnabled(true);
    m_actions->NewWB->setText(u"別の名前"_qs);
    QVERIFY(button->isEnabled());
    QCOMPARE(button->text(), u"新規作成"_qs);
}

QTEST_MAIN(TestWordBookPage)
#include "tst_wordbookpage.moc"
