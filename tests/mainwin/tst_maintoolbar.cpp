#include "core/settingstable.h"
#include "core/ulib.h"
#include "mainwin/maintoolbar.h"
#include "mainwin/targetlamp.h"
#include "widgets/fontlists.h"
#include "widgets/mainactions.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

class TestMainToolBar : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void geometry_data();
    void geometry();
    void captionsFit_data();
    void captionsFit();
    void narrowCaptionFits_data();
    void narrowCaptionFits();
    void compactFontBoxIsSmaller();
    void modeBox_data();
    void modeBox();
    void lampAndObjectLabel();
    void narrowingRefillsTheFontBox();
    void sizeBoxCommit_data();
    void sizeBoxCommit();
    void sizeBoxListPick();
    void fontBoxEmitsOnlyOnARealChange();
    void clicksSignalAndKeepTheFocus_data();
    void clicksSignalAndKeepTheFocus();
    void kanaButtonStaysDown();
    void boundButtonsFollowTheirActions_data();
    void boundButtonsFollowTheirActions();
    void applySettingsSetsTheControls();

private:
    template <typename T = QWidget> T *child(const QString &name) const
    {
        T *found = m_bar->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    void commit(QComboBox *box, const QString &text);
    static QStringList items(const QComboBox *box);

    std::unique_ptr<QWidget> m_window;
    MainToolBar *m_bar = nullptr;
    QLineEdit *m_area = nullptr;
};

void TestMainToolBar::init()
{
    InitSysVars();
    InitUsrVars(false, 0xFFFFE1);
    Usr.UsrMainFont = u"Liberation Serif"_qs;
    m_window = std::make_unique<QWidget>();
    auto *layout = new QVBoxLayout(m_window.get());
    m_bar = new MainToolBar(m_window.get());
    m_area = new QLineEdit(m_window.get());
    layout->addWidget(m_bar);
    layout->addWidget(m_area);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_area->setFocus();
}

void TestMainToolBar::cleanup()
{
    m_window.reset();
}

// Types `text` over the box's text and presses Enter, as the user does.
void TestMainToolBar::commit(QComboBox *box, const QString &text)
{
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

QStringList TestMainToolBar::items(const QComboBox *box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list.append(box->itemText(i));
    return list;
}

void TestMainToolBar::geometry_data()
{
    QTest::addColumn<bool>("compact");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");

    const QList<std::pair<QString, QRect>> common = {
        {u"CommandGroup"_qs, {11, 2, 320, 48}},   {u"SpeedButton1"_qs, {0, 0, 45, 48}},
        {u"SpeedButton2"_qs, {45, 0, 45, 48}},    {u"SpeedButton3"_qs, {90, 0, 45, 48}},
        {u"SpeedButton4"_qs, {135, 0, 45, 48}},   {u"SpeedButton5"_qs, {180, 0, 45, 48}},
        {u"SpeedButton6"_qs, {225, 0, 45, 48}},   {u"SpeedButton7"_qs, {270, 0, 45, 48}},
        {u"TransferPanel"_qs, {344, 2, 160, 48}}, {u"Shape1"_qs, {3, 3, 20, 20}},
        {u"CheckBox1"_qs, {6, 28, 18, 17}},       {u"SpeedButton8"_qs, {32, 0, 45, 48}},
        {u"Label2"_qs, {80, 20, 75, 21}},         {u"CheckBox2"_qs, {0, 0, 150, 18}},
        {u"Label3"_qs, {0, 2, -1, -1}},           {u"CheckBox3"_qs, {11, 28, 18, 17}},
        {u"SpeedButton9"_qs, {47, 0, 45, 48}},    {u"Label1"_qs, {84, 0, -1, -1}},
    };
    const QList<std::tuple<QString, QRect, QRect>> arranged = {
        {u"FontGroup"_qs, {517, 2, 212, 48}, {517, 2, 142, 48}},
        {u"ComboBox1"_qs, {0, 18, 150, -1}, {0, 18, 90, -1}},
        {u"ComboBox2"_qs, {152, 18, 58, -1}, {92, 18, 48, -1}},
        {u"ExitGroup"_qs, {742, 2, 91, 48}, {672, 2, 91, 48}},
    };
    for (bool compact : {false, true}) {
        const char *arrangement = compact ? "compact" : "normal";
        for (const auto &[name, rect] : common)
            QTest::addRow("%s %s", arrangement, qPrintable(name)) << compact << name << rect;
        for (const auto &[name, normal, small] : arranged)
            QTest::addRow("%s %s", arrangement, qPrintable(name))
                << compact << name << (compact ? small : normal);
    }
}

// A width or height of -1 stands for "sized to the text" (labels) or "fits the group" (boxes).
void TestMainToolBar::geometry()
{
    QFETCH(bool, compact);
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    if (compact)
        m_bar->AdjustSmallPC();
    QCOMPARE(m_bar->height(), 57);
    const QWidget *control = child(name);
    QCOMPARE(control->pos(), rect.topLeft());
    if (rect.width() >= 0)
        QCOMPARE(control->width(), rect.width());
    if (rect.height() >= 0)
        QCOMPARE(control->height(), rect.height());
    if (rect.width() < 0 && qobject_cast<const QLabel *>(control))
        QCOMPARE(control->size(), control->sizeHint());
    const QWidget *parent = control->parentWidget();
    const QSize room = parent == m_bar ? m_bar->sizeHint() : parent->size();
    QVERIFY2(control->geometry().bottom() < room.height(), "not below its parent");
}

void TestMainToolBar::captionsFit_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("practice") << u"SpeedButton1"_qs << u"練習\nF1"_qs;
    QTest::newRow("clear") << u"SpeedButton2"_qs << u"クリア\nF2"_qs;
    QTest::newRow("register") << u"SpeedButton3"_qs << u"登録\nF4"_qs;
    QTest::newRow("edit") << u"SpeedButton4"_qs << u"編集\nF5"_qs;
    QTest::newRow("search") << u"SpeedButton5"_qs << u"検索\nF6"_qs;
    QTest::newRow("kana") << u"SpeedButton6"_qs << u"カナ"_qs;
    QTest::newRow("accents") << u"SpeedButton7"_qs << u"AC切\nF7"_qs;
    QTest::newRow("transfer") << u"SpeedButton8"_qs << u"転送\nF9"_qs;
    QTest::newRow("exit") << u"SpeedButton9"_qs << u"終了\nF12"_qs;
}

void TestMainToolBar::captionsFit()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    const auto *button = child<QToolButton>(name);
    QCOMPARE(button->text(), caption);
    // Only "カナ", which has no function key, is a Tab stop; a click never takes the focus.
    QCOMPARE(button->focusPolicy(), name == u"SpeedButton6" ? Qt::TabFocus : Qt::NoFocus);
    const QFontMetrics metrics(button->font());
    const QStringList lines = caption.split(u'\n');
    for (const QString &line : lines)
        QVERIFY2(metrics.horizontalAdvance(line) < button->width() - 4, qPrintable(line));
    QVERIFY(lines.size() * metrics.lineSpacing() < button->height());
}

void TestMainToolBar::narrowCaptionFits_data()
{
    QTest::addColumn<bool>("compact");
    QTest::newRow("normal") << false;
    QTest::newRow("compact") << true;
}

// The check box is 150 wide in both arrangements, but the compact font group shows only 142.
void TestMainToolBar::narrowCaptionFits()
{
    QFETCH(bool, compact);
    if (compact)
        m_bar->AdjustSmallPC();
    const auto *narrow = child<QCheckBox>(u"CheckBox2"_qs);
    QCOMPARE(narrow->text(), u"ロシア語フォント絞込み"_qs);
    QVERIFY(narrow->sizeHint().width() <= qMin(narrow->width(), narrow->parentWidget()->width()));
}

void TestMainToolBar::compactFontBoxIsSmaller()
{
    const int normalPixels = m_bar->fontBox()->font().pixelSize();
    QCOMPARE(normalPixels, m_bar->font().pixelSize());
    m_bar->AdjustSmallPC();
    // Two points at 96 dpi are 2.67 pixels.
    QCOMPARE(m_bar->fontBox()->font().pixelSize(), normalPixels - 3);
    QCOMPARE(m_bar->sizeBox()->font().pixelSize(), normalPixels);
}

void TestMainToolBar::modeBox_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::newRow("rich text") << 4 << 1 << u" ﾘｯﾁ ﾃｷｽﾄ"_qs;
    QTest::newRow("decimal") << 1 << 2 << u" NCR 10進"_qs;
    QTest::newRow("hexadecimal") << 1 << 3 << u" NCR 16進"_qs;
    QTest::newRow("unicode") << 1 << 4 << u" ﾕﾆｺｰﾄﾞ"_qs;
    QTest::newRow("0 keeps the text") << 3 << 0 << u" NCR 16進"_qs;
    QTest::newRow("5 keeps the text") << 2 << 5 << u" NCR 10進"_qs;
    QTest::newRow("-1 keeps the text") << 4 << -1 << u" ﾕﾆｺｰﾄﾞ"_qs;
}

void TestMainToolBar::modeBox()
{
    QFETCH(int, before);
    QFETCH(int, index);
    m_bar->setTransferMode(before);
    m_bar->setTransferMode(index);
    QTEST(m_bar->modeBox()->text(), "text");
    QVERIFY(m_bar->modeBox()->font().bold());
}

void TestMainToolBar::lampAndObjectLabel()
{
    const auto centre = [this] {
        const QImage image = m_bar->lamp()->grab().toImage();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    };
    QCOMPARE(centre(), QColor(Qt::white));
    m_bar->setLampOn(true);
    QCOMPARE(centre(), QColor(Qt::red));
    m_bar->setLampOn(false);
    QCOMPARE(centre(), QColor(Qt::white));

    QLabel *label = m_bar->objectLabel();
    QCOMPARE(label->text(), u"ロシア語"_qs);
    m_bar->setObjectLabel(false);
    QCOMPARE(label->text(), u"発音記号"_qs);
    QCOMPARE(label->size(), label->sizeHint());
    m_bar->setObjectLabel(true);
    QCOMPARE(label->text(), u"ロシア語"_qs);
}

void TestMainToolBar::narrowingRefillsTheFontBox()
{
    QComboBox *box = m_bar->fontBox();
    QCheckBox *narrow = m_bar->narrowFontsCheck();
    QSignalSpy changed(m_bar, &MainToolBar::fontChanged);
    QCOMPARE(box->currentText(), u"Liberation Serif"_qs);

    QTest::mouseClick(narrow, Qt::LeftButton);
    QVERIFY(narrow->isChecked());
    QVERIFY(Usr.NarrowFontsFlg);
    const QStringList narrowed = items(box);
    QCOMPARE(narrowed, FontFamilies(1, 204));
    for (const QString &family : narrowed)
        QVERIFY2(QFontDatabase::writingSystems(family).contains(QFontDatabase::Cyrillic),
                 qPrintable(family));
    QCOMPARE(box->currentText(), u"Liberation Serif"_qs);

    QTest::mouseClick(narrow, Qt::LeftButton);
    QVERIFY(!Usr.NarrowFontsFlg);
    QStringList every;
    for (const QString &family : QFontDatabase::families()) {
        const QString plain = family.section(u" ["_qs, 0, 0);
        if (!plain.startsWith(u'@') && !every.contains(plain))
            every.append(plain);
    }
    QStringList listed = items(box);
    QCOMPARE(listed.size(), every.size());
    every.sort();
    listed.sort();
    QCOMPARE(listed, every);
    QVERIFY(narrowed.size() < every.size());
    QCOMPARE(box->currentText(), u"Liberation Serif"_qs);
    QCOMPARE(changed.count(), 0);
}

void TestMainToolBar::sizeBoxCommit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("size");
    QTest::newRow("listed size") << u"12"_qs << 12;
    QTest::newRow("beyond the list") << u"99"_qs << 99;
    QTest::newRow("letters") << u"abc"_qs << 20;
    QTest::newRow("zero") << u"0"_qs << 20;
}

void TestMainToolBar::sizeBoxCommit()
{
    QFETCH(QString, typed);
    QFETCH(int, size);
    QComboBox *box = m_bar->sizeBox();
    QCOMPARE(box->currentText(), u"20"_qs);
    QSignalSpy sized(m_bar, &MainToolBar::fontSizeChanged);
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box, typed);
    QCOMPARE(sized.count(), 0);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(sized.count(), 1);
    QCOMPARE(sized.at(0).at(0).toInt(), size);
    QCOMPARE(Usr.MainFontSize, size);
    QCOMPARE(box->currentText(), QString::number(size));
    // The owner moves the focus away; leaving the box commits nothing more.
    m_area->setFocus();
    QCOMPARE(sized.count(), 1);
}

void TestMainToolBar::sizeBoxListPick()
{
    QComboBox *box = m_bar->sizeBox();
    QSignalSpy sized(m_bar, &MainToolBar::fontSizeChanged);
    box->showPopup();
    QAbstractItemView *view = box->view();
    QTRY_VERIFY(view->isVisible());
    const QModelIndex thirty = box->model()->index(box->findText(u"30"_qs), 0);
    view->scrollTo(thirty);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(thirty).center());
    QCOMPARE(sized.count(), 1);
    QCOMPARE(sized.at(0).at(0).toInt(), 30);
    QCOMPARE(Usr.MainFontSize, 30);
}

void TestMainToolBar::fontBoxEmitsOnlyOnARealChange()
{
    QComboBox *box = m_bar->fontBox();
    QSignalSpy changed(m_bar, &MainToolBar::fontChanged);
    QSignalSpy committed(m_bar, &MainToolBar::fontBoxCommitted);

    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box, u"DejaVu Serif"_qs);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(Usr.UsrMainFont, u"Liberation Serif"_qs);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), u"DejaVu Serif"_qs);
    QCOMPARE(Usr.UsrMainFont, u"DejaVu Serif"_qs);
    QCOMPARE(committed.count(), 1);
    m_area->setFocus();
    QCOMPARE(changed.count(), 1);

    commit(box, u"DejaVu Serif"_qs);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(committed.count(), 2);

    // A blank name is no font.
    box->setFocus();
    box->clearEditText();
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(Usr.UsrMainFont, u"DejaVu Serif"_qs);
    QCOMPARE(box->currentText(), u"DejaVu Serif"_qs);

    // A name that is not listed is taken as it is (the system substitutes a font for it).
    commit(box, u"Times New Roman"_qs);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(Usr.UsrMainFont, u"Times New Roman"_qs);
}

void TestMainToolBar::clicksSignalAndKeepTheFocus_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("signal");
    QTest::newRow("practice") << u"SpeedButton1"_qs << QByteArray(SIGNAL(practiceClicked()));
    QTest::newRow("clear") << u"SpeedButton2"_qs << QByteArray(SIGNAL(clearClicked()));
    QTest::newRow("kana") << u"SpeedButton6"_qs << QByteArray(SIGNAL(kanaToggled(bool)));
    QTest::newRow("accents") << u"SpeedButton7"_qs << QByteArray(SIGNAL(removeAccentsClicked()));
    QTest::newRow("exit") << u"SpeedButton9"_qs << QByteArray(SIGNAL(exitClicked()));
    QTest::newRow("auto paste") << u"CheckBox1"_qs << QByteArray(SIGNAL(autoPasteToggled(bool)));
    QTest::newRow("under stretch")
        << u"CheckBox3"_qs << QByteArray(SIGNAL(underStretchToggled(bool)));
}

void TestMainToolBar::clicksSignalAndKeepTheFocus()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, signal);
    QSignalSpy spy(m_bar, signal.constData());
    auto *control = child<QAbstractButton>(name);
    QTest::mouseClick(control, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    if (!spy.at(0).isEmpty())
        QCOMPARE(spy.at(0).at(0).toBool(), control->isChecked());
    QCOMPARE(QApplication::focusWidget(), m_area);
}

void TestMainToolBar::kanaButtonStaysDown()
{
    QToolButton *kana = m_bar->kanaButton();
    QSignalSpy toggled(m_bar, &MainToolBar::kanaToggled);
    QTest::mouseClick(kana, Qt::LeftButton);
    QVERIFY(kana->isChecked());
    QTest::mouseClick(kana, Qt::LeftButton);
    QVERIFY(!kana->isChecked());
    QCOMPARE(toggled.count(), 2);
    QCOMPARE(toggled.at(0).at(0).toBool(), true);
    QCOMPARE(toggled.at(1).at(0).toBool(), false);
}

void TestMainToolBar::boundButtonsFollowTheirActions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("caption");
    QTest::newRow("register") << u"SpeedButton3"_qs << u"RegWord"_qs << u"登録\nF4"_qs;
    QTest::newRow("edit") << u"SpeedButton4"_qs << u"ModWord"_qs << u"編集\nF5"_qs;
    QTest::newRow("search") << u"SpeedButton5"_qs << u"SearchWord"_qs << u"検索\nF6"_qs;
    QTest::newRow("transfer") << u"SpeedButton8"_qs << u"Transfer"_qs << u"転送\nF9"_qs;
}

void TestMainToolBar::boundButtonsFollowTheirActions()
{
    QFETCH(QString, name);
    QFETCH(QString, action);
    MainActions actions(m_window.get());
    m_bar->bindActions(actions);
    auto *button = child<QToolButton>(name);
    auto *bound = m_window->findChild<QAction *>(action);
    QVERIFY(bound);
    QCOMPARE(button->isEnabled(), bound->isEnabled());
    QSignalSpy triggered(bound, &QAction::triggered);

    bound->setEnabled(false);
    QVERIFY(!button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(triggered.count(), 0);

    bound->setEnabled(true);
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(triggered.count(), 1);
    QTEST(button->text(), "caption");
    QCOMPARE(QApplication::focusWidget(), m_area);
}

void TestMainToolBar::applySettingsSetsTheControls()
{
    Usr.KanaFlg = true;
    Usr.AutoPasteFlg = false;
    Usr.UnderStretchFlg = true;
    Usr.NarrowFontsFlg = true;
    Usr.TransIndex = 3;
    QSignalSpy kana(m_bar, &MainToolBar::kanaToggled);
    m_bar->applySettings();
    QVERIFY(m_bar->kanaButton()->isChecked());
    QVERIFY(!m_bar->autoPasteCheck()->isChecked());
    QVERIFY(m_bar->underStretchCheck()->isChecked());
    QVERIFY(m_bar->narrowFontsCheck()->isChecked());
    QCOMPARE(items(m_bar->fontBox()), FontFamilies(1, 204));
    QCOMPARE(m_bar->fontBox()->currentText(), u"Liberation Serif"_qs);
    QCOMPARE(m_bar->modeBox()->text(), u" NCR 16進"_qs);
    QCOMPARE(kana.count(), 0);
}

QTEST_MAIN(TestMainToolBar)
#include "tst_maintoolbar.moc"
