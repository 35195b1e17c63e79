#include "helppictures.h"

#include "core/folders.h"
#include "core/session.h"
#include "input/truspad.h"
#include "mainwin/mainbody.h"
#include "mainwin/tmainfrm.h"
#include "options/tfsizefrm.h"
#include "options/tkeyboardfrm.h"
#include "options/toptionfrm.h"
#include "practice/bookchooser.h"
#include "practice/curtain.h"
#include "practice/questionarea.h"
#include "practice/tplayfrm.h"
#include "widgets/appicon.h"
#include "wordbook/tframe6.h"
#include "wordbook/tregfrm.h"
#include "wordbook/tsearchfrm.h"
#include "wordbook/wordbookcommands.h"
#include "wordbook/wordbookpage.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>
#include <span>

namespace {

constexpr int kTitleBarHeight = 26;
const QColor kFrameColour(0x7a, 0x84, 0x94);
const QColor kTitleBarColour(0xdd, 0xe2, 0xea);
const QColor kLabelColour(0xd0, 0x1c, 0x1c);

// Lets timers, layouts and repaints run for a moment.
void settle(int milliseconds = 40)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// The widget under `root` named by a path of object or class names ("Panel3/RusPad1").
QWidget *findWidget(QWidget *root, const QString &path)
{
    QWidget *found = root;
    for (const QString &step : path.split(u'/')) {
        const QList<QWidget *> children = found->findChildren<QWidget *>();
        const auto it = std::find_if(children.begin(), children.end(), [&step](QWidget *w) {
            return w->objectName() == step ||
                   QLatin1StringView(w->metaObject()->className()) == step;
        });
        if (it == children.end())
            return nullptr;
        found = *it;
    }
    return found;
}

QTabWidget *tabWidgetOf(QWidget *page)
{
    for (QWidget *w = page; w; w = w->parentWidget()) {
        if (auto *tabs = qobject_cast<QTabWidget *>(w))
            return tabs;
    }
    return nullptr;
}

void selectTab(QWidget *root, const QString &caption)
{
    for (QTabWidget *tabs : root->findChildren<QTabWidget *>()) {
        for (int index = 0; index < tabs->count(); ++index) {
            if (tabs->tabText(index) == caption)
                tabs->setCurrentIndex(index);
        }
    }
}

// A key typed into `target` as the keyboard would send it.
void typeKey(QWidget *target, int key, const QString &text, Qt::KeyboardModifiers modifiers = {})
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

// A window's picture inside a plain frame with its title, as a desktop shows it.
QImage framed(QWidget *window)
{
    const QImage content = window->grab().toImage();
    const qreal ratio = content.devicePixelRatio();
    const QSize inner = content.deviceIndependentSize().toSize();
    QImage image(QSize(inner.width() + 2, inner.height() + kTitleBarHeight + 1) * ratio,
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(kFrameColour);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect bar(1, 1, inner.width(), kTitleBarHeight - 1);
    painter.fillRect(bar, kTitleBarColour);
    painter.drawPixmap(QRect(8, 5, 16, 16), ApplicationIcon().pixmap(QSize(16, 16), ratio));
    QFont font = window->font();
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0x30, 0x30, 0x30));
    painter.drawText(bar.adjusted(32, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     window->windowTitle());
    painter.drawImage(QPoint(1, kTitleBarHeight), content);
    return image;
}

// A learner's typical slip: the stress mark left out and an unstressed о written as it sounds.
QString nearMiss(QString answer)
{
    answer.remove(QChar(0x0301));
    const qsizetype o = answer.indexOf(u'о');
    if (o >= 0)
        answer[o] = u'а';
    else
        answer.chop(1);
    return answer;
}

// A numbered mark on a picture: the widget it points at, where on it (as a fraction of its
// size) and a shift in pixels, so that the mark covers nothing the text explains.
struct Label {
    int number;
    const char *path;
    QPointF at;
    QPoint shift;
};

void drawLabel(QPainter &painter, int number, QPointF centre)
{
    constexpr double kRadius = 11;
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(kLabelColour);
    painter.drawEllipse(centre, kRadius, kRadius);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(number < 10 ? 14 : 12);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(centre.x() - kRadius, centre.y() - kRadius, 2 * kRadius, 2 * kRadius),
                     Qt::AlignCenter, QString::number(number));
}

QString drawLabels(QImage &image, QWidget *root, std::span<const Label> labels)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Label &label : labels) {
        QWidget *target = findWidget(root, QString::fromLatin1(label.path));
        if (!target)
            return QStringLiteral("no widget %1 for label %2").arg(label.path).arg(label.number);
        const QPoint origin = target->mapTo(root, QPoint(0, 0));
        const QPointF centre(origin.x() + label.at.x() * target->width() + label.shift.x(),
                             origin.y() + label.at.y() * target->height() + label.shift.y());
        drawLabel(painter, label.number, centre);
    }
    return {};
}

constexpr Label kMainWindowLabels[] = {
    {1, "QMenuBar", {0, 0.5}, {540, 0}},    {2, "CommandGroup", {1, 0}, {-6, 10}},
    {3, "TransferPanel", {1, 0}, {-6, 10}}, {4, "FontGroup", {1, 0}, {-8, 10}},
    {5, "ExitGroup", {1, 0.5}, {6, 0}},     {6, "Edit1", {1, 0.5}, {-16, 0}},
    {7, "Memo1", {1, 1}, {-18, -16}},       {8, "Panel3", {0.5, 0}, {0, 14}},
    {9, "TabSheet3", {0, 0}, {292, -12}},   {10, "ListView1", {0, 0}, {150, 12}},
    {11, "Panel5", {1, 1}, {-24, -18}},     {12, "StatusBar1", {1, 0.5}, {-20, 0}},
};

constexpr Label kWordBookLabels[] = {
    {1, "SpeedButton10", {0, 0.5}, {-11, 0}}, {2, "CheckBox4", {0, 0.5}, {-11, 0}},
    {3, "Button1", {1, 0}, {-4, 4}},          {4, "ComboBox3", {0.5, 0}, {0, -9}},
    {5, "SpeedButton12", {0, 1}, {2, 4}},     {6, "Panel5", {1, 0}, {-12, 30}},
    {7, "ListView2", {0.5, 1}, {0, -18}},     {8, "ListView1", {0, 0}, {150, 12}},
};

class PictureTaker {
public:
    PictureTaker(const QString &home, const QString &outFolder)
        : m_home(home)
        , m_out(outFolder)
    {}

    QString run();

private:
    using Render = QString (PictureTaker::*)(QImage &image);
    struct Picture {
        const char *name;
        Render render;
    };
    static const Picture kPictures[];

    QString startMainWindow();
    QAction *action(const char *name) const;
    QWidget *part(const char *path) const;
    template <typename Dialog>
    QImage dialogPicture(QAction *opener, const std::function<void(Dialog *)> &setUp);

    QString mainWindow(QImage &image);
    QString standardPad(QImage &image) { return pad(image, 1); }
    QString typewriterPad(QImage &image) { return pad(image, 2); }
    QString mnemonicPad(QImage &image) { return pad(image, 3); }
    QString pad(QImage &image, int layout);
    QString keyboardDialog(QImage &image);
    QString charChart(QImage &image);
    QString ipaPad(QImage &image);
    QString transferPanel(QImage &image);
    QString wordBookPage(QImage &image);
    QString registerDialog(QImage &image);
    QString searchWindow(QImage &image);
    QString practiceWindow(QImage &image);
    QString optionsDialog(QImage &image);
    QString fontSizeDialog(QImage &image);

    QString m_home;
    QString m_out;
    std::unique_ptr<TMainFrm> m_frm;
};

const PictureTaker::Picture PictureTaker::kPictures[] = {
    {"main-window", &PictureTaker::mainWindow},
    {"pad-standard", &PictureTaker::standardPad},
    {"pad-typewriter", &PictureTaker::typewriterPad},
    {"pad-mnemonic", &PictureTaker::mnemonicPad},
    {"keyboard-dialog", &PictureTaker::keyboardDialog},
    {"char-chart", &PictureTaker::charChart},
    {"ipa-pad", &PictureTaker::ipaPad},
    {"transfer-panel", &PictureTaker::transferPanel},
    {"wordbook-page", &PictureTaker::wordBookPage},
    {"register-dialog", &PictureTaker::registerDialog},
    {"search-window", &PictureTaker::searchWindow},
    {"practice-window", &PictureTaker::practiceWindow},
    {"options-dialog", &PictureTaker::optionsDialog},
    {"font-size-dialog", &PictureTaker::fontSizeDialog},
};

QString PictureTaker::run()
{
    QString error = startMainWindow();
    for (const Picture &picture : kPictures) {
        if (!error.isEmpty())
            break;
        QImage image;
        error = (this->*picture.render)(image);
        if (error.isEmpty() && image.isNull())
            error = QStringLiteral("nothing was drawn");
        const QString path =
            QDir(m_out).filePath(QString::fromLatin1(picture.name) + QStringLiteral(".png"));
        if (error.isEmpty() && !image.save(path))
            error = QStringLiteral("cannot write %1").arg(path);
        if (!error.isEmpty())
            error = QString::fromLatin1(picture.name) + QStringLiteral(": ") + error;
    }
    m_frm.reset();
    return error;
}

// The main window as a user first sees it, the sample greetings book open and a phrase typed.
QString PictureTaker::startMainWindow()
{
    m_frm = std::make_unique<TMainFrm>();
    m_frm->show();
    QApplication::setActiveWindow(m_frm.get());
    m_frm->resize(860, 640);
    auto *books = m_frm->findChild<WordBookCommands *>();
    books->WBMenuClick(QStringLiteral("aisatsu.utx"));
    if (Sys.TC_File != u"aisatsu.utx")
        return QStringLiteral("the sample book aisatsu.utx did not open");
    auto *russian = qobject_cast<QPlainTextEdit *>(part("Memo1"));
    auto *ipa = qobject_cast<QLineEdit *>(part("Edit1"));
    if (!russian || !ipa)
        return QStringLiteral("no composition areas");
    russian->setPlainText(QStringLiteral("Приве́т! Как дела́?"));
    ipa->setText(QStringLiteral("prʲɪˈvʲet"));
    russian->setFocus();
    // Opening a book closes the shelf (the automatic closing box is ticked); the pictures show
    // it open, so it is opened the way a user does, and its toggle shows "→".
    auto *page = m_frm->findChild<WordBookPage *>();
    if (!page->shelfOpen())
        page->SpeedButton10Click();
    if (auto *split =
            qobject_cast<QSplitter *>(findWidget(part("TabSheet3"), QStringLiteral("QSplitter"))))
        split->setSizes({420, 420});
    settle(200);
    return {};
}

QAction *PictureTaker::action(const char *name) const
{
    return m_frm->findChild<QAction *>(QLatin1StringView(name));
}

QWidget *PictureTaker::part(const char *path) const
{
    return findWidget(m_frm.get(), QString::fromLatin1(path));
}

// Opens a dialog with its menu item, sets it up as the picture shows it and takes the picture.
// Modal dialogs are taken from inside their own event loop.
template <typename Dialog>
QImage PictureTaker::dialogPicture(QAction *opener, const std::function<void(Dialog *)> &setUp)
{
    QImage image;
    bool taken = false;
    QTimer::singleShot(100, m_frm.get(), [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<Dialog *>(w);
            if (!dialog || !dialog->isVisible())
                continue;
            setUp(dialog);
            settle(150);
            image = framed(dialog);
            dialog->close();
        }
        taken = true;
    });
    if (opener)
        opener->trigger();
    while (!taken)
        settle(20);
    return image;
}

QString PictureTaker::mainWindow(QImage &image)
{
    // The status bar names the book folder; a user's home stands in for the temporary one.
    if (auto *status = qobject_cast<QLabel *>(part("StatusPanel2")))
        status->setText(status->text().replace(m_home, QStringLiteral("/home/user")));
    settle();
    image = m_frm->grab().toImage();
    return drawLabels(image, m_frm.get(), kMainWindowLabels);
}

// A layout's pad, its lower page, with the accent box ticked.
QString PictureTaker::pad(QImage &image, int layout)
{
    auto *pad = qobject_cast<TRusPad *>(part("Panel3/RusPad1"));
    if (!pad)
        return QStringLiteral("no Russian pad");
    Usr.RusImeIndex = layout;
    pad->AdjustPosSize();
    m_frm->body()->DispRusIme();
    pad->showLowerPage();
    if (auto *accent = pad->findChild<QCheckBox *>(QStringLiteral("CheckBox1")))
        accent->setChecked(true);
    settle();
    image = pad->grab().toImage();
    return {};
}

QString PictureTaker::keyboardDialog(QImage &image)
{
    image = dialogPicture<TKeyboardFrm>(action("Keyboard1"), [](TKeyboardFrm *) {});
    return {};
}

QString PictureTaker::charChart(QImage &image)
{
    if (!part("TabSheet4"))
        action("N43")->trigger();
    QWidget *chart = part("TabSheet4");
    if (!chart)
        return QStringLiteral("no character chart");
    QTabWidget *tabs = tabWidgetOf(chart);
    tabs->setCurrentWidget(chart);
    if (auto *symbols = qobject_cast<QComboBox *>(findWidget(chart, QStringLiteral("ComboSym"))))
        symbols->setCurrentIndex(0);
    settle();
    image = tabs->grab().toImage();
    tabs->setCurrentIndex(0);
    return {};
}

// The IPA pad after "A" in the IPA line: the candidates of the vowel a, the first one chosen.
QString PictureTaker::ipaPad(QImage &image)
{
    QWidget *ipa = part("Edit1");
    qobject_cast<QLineEdit *>(ipa)->clear();
    // A closed dialog leaves no active window offscreen; focus needs the window active.
    QApplication::setActiveWindow(m_frm.get());
    ipa->setFocus();
    settle();
    typeKey(ipa, Qt::Key_A, QStringLiteral("A"), Qt::ShiftModifier);
    settle(100);
    image = part("Panel3")->grab().toImage();
    typeKey(ipa, Qt::Key_Escape, {});
    qobject_cast<QLineEdit *>(ipa)->setText(QStringLiteral("prʲɪˈvʲet"));
    part("Memo1")->setFocus();
    settle();
    return {};
}

QString PictureTaker::transferPanel(QImage &image)
{
    if (auto *autoPaste = qobject_cast<QCheckBox *>(part("TransferPanel/CheckBox1")))
        autoPaste->setChecked(true);
    part("Memo1")->setFocus();
    settle();
    image = part("TransferPanel")->grab().toImage();
    return {};
}

QString PictureTaker::wordBookPage(QImage &image)
{
    QWidget *page = part("TabSheet3");
    QTabWidget *tabs = tabWidgetOf(page);
    tabs->setCurrentWidget(page);
    settle();
    image = tabs->grab().toImage();
    return drawLabels(image, tabs, kWordBookLabels);
}

QString PictureTaker::registerDialog(QImage &image)
{
    qobject_cast<QPlainTextEdit *>(part("Memo1"))->setPlainText(QStringLiteral("приве́т"));
    qobject_cast<QLineEdit *>(part("Edit1"))->setText(QStringLiteral("prʲɪˈvʲet"));
    image = dialogPicture<TRegFrm>(action("RegWord"), [](TRegFrm *dialog) {
        TFrame6 *fields = dialog->frame();
        fields->kanaField()->setText(QStringLiteral("プリヴェート"));
        fields->japaneseField()->setText(QStringLiteral("やあ、こんにちは"));
        fields->remarksField()->setPlainText(QStringLiteral("くだけた挨拶。友人や家族に。"));
    });
    qobject_cast<QPlainTextEdit *>(part("Memo1"))
        ->setPlainText(QStringLiteral("Приве́т! Как дела́?"));
    return {};
}

QString PictureTaker::searchWindow(QImage &image)
{
    image = dialogPicture<TSearchFrm>(action("SearchWord"), [](TSearchFrm *dialog) {
        auto *field = dialog->findChild<QComboBox *>(QStringLiteral("ComboBox1"));
        field->setCurrentIndex(field->findText(QStringLiteral("日本語")));
        dialog->findChild<QLineEdit *>(QStringLiteral("Edit1"))
            ->setText(QStringLiteral("こんにちは"));
        dialog->SearchMain2();
    });
    return {};
}

// Practice on the greetings book, just after a wrong answer, with the hint shown.
QString PictureTaker::practiceWindow(QImage &image)
{
    TPlayFrm practice(nullptr);
    practice.show();
    QApplication::setActiveWindow(&practice);
    settle();
    practice.chooser()->bookButton(0)->click();
    QComboBox *chooser = practice.chooser()->chooser();
    int line = -1;
    for (int index = 0; index < chooser->count(); ++index) {
        if (chooser->itemText(index).contains(QStringLiteral("あいさつ")))
            line = index;
    }
    if (line < 0)
        return QStringLiteral("the greetings book is not offered");
    chooser->setCurrentIndex(line);
    Q_EMIT chooser->activated(line);
    practice.curtain()->startButton()->click();
    for (int tick = 0; tick < 100 && practice.curtain()->isOpening(); ++tick)
        practice.curtain()->OpenTimerTimer();
    QuestionArea *area = practice.questionArea();
    QLineEdit *answer = area->answerField();
    answer->setFocus();
    answer->setText(nearMiss(practice.quiz().CAnswer()));
    typeKey(answer, Qt::Key_Return, QStringLiteral("\r"));
    if (!area->hintBox()->isChecked())
        area->hintBox()->click();
    settle(700);
    image = framed(&practice);
    return {};
}

QString PictureTaker::optionsDialog(QImage &image)
{
    image = dialogPicture<TOptionFrm>(action("Setting1"), [](TOptionFrm *dialog) {
        selectTab(dialog, QStringLiteral("フォント"));
    });
    return {};
}

QString PictureTaker::fontSizeDialog(QImage &image)
{
    image = dialogPicture<TFSizeFrm>(action("FontSize1"), [](TFSizeFrm *dialog) {
        selectTab(dialog, QStringLiteral("単語リスト"));
    });
    return {};
}

} // namespace

QString RenderHelpPictures(const QString &programsFolder, const QString &outFolder)
{
    QTemporaryDir home;
    if (!home.isValid() || !QDir().mkpath(outFolder))
        return QStringLiteral("cannot make the working folders");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toUtf8());
    qunsetenv("XDG_DOCUMENTS_DIR");
    const QString runtime = home.path() + QStringLiteral("/run");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    const QStringList problems =
        SetFolderVars({home.path() + QStringLiteral("/.config"),
                       home.path() + QStringLiteral("/Documents"), programsFolder});
    if (!problems.isEmpty())
        return problems.join(u'\n');
    return PictureTaker(home.path(), outFolder).run();
}
