#include "core/folders.h"
#include "core/textlines.h"
#include "core/ulib.h"
#include "input/tkeybutton.h"
#include "mainwin/compositionareas.h"
#include "mainwin/tmainfrm.h"
#include "practice/bookchooser.h"
#include "practice/curtain.h"
#include "practice/tplayfrm.h"
#include "testenv.h"
#include "widgets/fixedcolours.h"
#include "wordbook/reportview.h"
#include "wordbook/wordbookcommands.h"

#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QtTest>

#include <memory>

namespace {

// qt6ct's "darker" colour scheme, role by role in QPalette's order.
QPalette darkerPalette()
{
    const QRgb colours[] = {0xffffff, 0x424245, 0x979797, 0x5e5c5b, 0x302f2e, 0x4a4947, 0xffffff,
                            0xffffff, 0xffffff, 0x3d3d3d, 0x222020, 0xe7e4e0, 0x12608a, 0xf9f9f9,
                            0x0986d3, 0xa70b06, 0x5c5b5a, 0xffffff, 0x3f3f36, 0xffffff, 0xffffff};
    QPalette palette;
    for (int role = 0; role < int(std::size(colours)); ++role)
        palette.setColor(QPalette::ColorRole(role), QColor::fromRgb(colours[role]));
    palette.setColor(QPalette::PlaceholderText, QColor(255, 255, 255, 128));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    return palette;
}

QByteArray book(int entries)
{
    QString text = u"数\r\n組\r\n単語理解\r\n"_qs;
    for (int n = 1; n <= entries; ++n)
        text += u"\"до́м%1\",\"dom\",\"ドム\",\"家 до́м\",\"備考\",\"\"\r\n"_qs.arg(n);
    return EncodeUtf16LeBom(text);
}

// The contrast between the picture's most frequent colour, its background, and the colour
// that stands out most from it: the core of the text's strokes.
double textContrast(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    }
    double contrast = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        contrast = std::max(contrast, ContrastRatio(QColor(background), QColor(it.key())));
    return contrast;
}

// The parts of `widget` that show text, inside their frames, each with a name.
QList<std::pair<QString, QImage>> textPictures(QWidget *widget)
{
    const QString name =
        widget->objectName().isEmpty() ? widget->metaObject()->className() : widget->objectName();
    const auto inside = [widget](int margin) {
        return widget->grab(widget->rect().adjusted(margin, margin, -margin, -margin)).toImage();
    };
    if (auto *label = qobject_cast<QLabel *>(widget); label && !label->text().isEmpty())
        return {{name + u' ' + label->text(), widget->grab().toImage()}};
    if (auto *edit = qobject_cast<QLineEdit *>(widget); edit && !edit->text().isEmpty())
        return {{name + u' ' + edit->text(), inside(4)}};
    if (auto *key = qobject_cast<TKeyButton *>(widget); key && !key->text().isEmpty())
        return {{name + u' ' + key->text(), inside(5)}};
    if (auto *memo = qobject_cast<QPlainTextEdit *>(widget); memo && !memo->document()->isEmpty())
        return {{name, memo->viewport()->grab().toImage()}};
    QList<std::pair<QString, QImage>> rows;
    if (auto *view = qobject_cast<ReportView *>(widget); view && view->model()) {
        const QImage all = view->viewport()->grab().toImage();
        // A selected row takes both its colours from the palette.
        for (int row = 0; row < std::min(view->model()->rowCount(), 3); ++row) {
            if (view->selectedRow() == row)
                continue;
            const QRect cell = view->visualRect(view->model()->index(row, 0));
            const QRect line(0, cell.top() + 1, view->viewport()->width(), cell.height() - 3);
            rows.append({name + u" row "_qs + QString::number(row), all.copy(line)});
        }
    }
    return rows;
}

QStringList unreadableTexts(QWidget *window)
{
    QStringList faults;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(window) || !widget->isEnabled() || widget->width() < 12)
            continue;
        for (const auto &[name, picture] : textPictures(widget)) {
            const double contrast = textContrast(picture);
            if (contrast < 4.5)
                faults.append(u"%1: %2:1"_qs.arg(name, QString::number(contrast, 'f', 1)));
        }
    }
    return faults;
}

} // namespace

class TestContrast : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void textsKeepTheirContrast_data();
    void textsKeepTheirContrast();

private:
    std::unique_ptr<TempHome> m_home;
};

void TestContrast::initTestCase()
{
    QApplication::setStyle(u"Fusion"_qs);
}

void TestContrast::init()
{
    m_home = std::make_unique<TempHome>();
    const QStringList problems =
        SetFolderVars({m_home->path() + u"/.config"_qs, m_home->path() + u"/Documents"_qs,
                       QStringLiteral(KALVO_STAGE_DIR) + u"/../.."_qs});
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

void TestContrast::cleanup()
{
    m_home.reset();
}

void TestContrast::textsKeepTheirContrast_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<bool>("practice");
    QTest::newRow("main window, default palette") << false << false;
    QTest::newRow("main window, dark palette") << true << false;
    QTest::newRow("practice window, default palette") << false << true;
    QTest::newRow("practice window, dark palette") << true << true;
}

void TestContrast::textsKeepTheirContrast()
{
    QFETCH(bool, dark);
    QFETCH(bool, practice);
    QApplication::setPalette(dark ? darkerPalette() : QApplication::style()->standardPalette());
    std::unique_ptr<QWidget> window;
    if (practice) {
        writeFile(Dirs.UsrFolder + u"/Class0/bookA/a.utx"_qs, book(10));
        InitSysVars();
        Usr = UsrVars{};
        Usr.PFIndex = 0;
        auto *play = new TPlayFrm(nullptr);
        window.reset(play);
        play->show();
        QVERIFY(QTest::qWaitForWindowExposed(play));
        QComboBox *chooser = play->chooser()->chooser();
        const int line = chooser->findText(u" 数  組  VB   (10)"_qs);
        QVERIFY(line >= 0);
        chooser->setCurrentIndex(line);
        Q_EMIT chooser->activated(line);
        QTest::keyClick(play->focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(play->curtain()->isHidden());
    } else {
        writeFile(Dirs.ICatFolder + u"/t.utx"_qs, book(3));
        auto *frm = new TMainFrm();
        window.reset(frm);
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm));
        frm->findChild<WordBookCommands *>()->WBMenuClick(u"t.utx"_qs);
        auto *areas = frm->findChild<CompositionAreas *>();
        areas->russianArea()->setPlainText(u"кни́га"_qs);
        areas->ipaLine()->setText(u"ˈknʲiɡə"_qs);
    }
    const QStringList faults = unreadableTexts(window.get());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

QTEST_MAIN(TestContrast)
#include "tst_contrast.moc"
