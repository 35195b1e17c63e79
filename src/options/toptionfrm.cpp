#include "toptionfrm.h"

#include "core/folders.h"
#include "core/install.h"
#include "core/session.h"
#include "core/settingstable.h"
#include "core/ulib.h"
#include "dialogstyle.h"
#include "widgets/accessiblenames.h"
#include "widgets/exactfields.h"
#include "widgets/fontlists.h"
#include "widgets/messagebox.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr QSize kSize{460, 320};
constexpr int kListRows = 16;
constexpr int kDefaultIpaSize = 14;
constexpr int kSmallTextPixels = 12;
constexpr QSize kScreenButtonSize{170, 41};

QLabel *note(const QString &text, QWidget *parent)
{
    auto *label = PlainLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

// An explaining line in a slightly smaller font.
QLabel *smallLine(const QString &text, QWidget *parent)
{
    auto *label = PlainLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(kSmallTextPixels);
    label->setFont(font);
    return label;
}

// A group of explaining lines, each on one line in a slightly smaller font, with its button
// at the right.
QGroupBox *buttonGroup(const QString &title, const QStringList &lines, QPushButton *button,
                       QWidget *parent)
{
    auto *group = new QGroupBox(title, parent);
    auto *row = new QHBoxLayout(group);
    auto *texts = new QVBoxLayout;
    for (const QString &line : lines)
        texts->addWidget(smallLine(line, group));
    row->addLayout(texts, 1);
    button->setParent(group);
    row->addWidget(button, 0, Qt::AlignVCenter);
    return group;
}

QPushButton *namedButton(const QString &caption, const char *name)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

TOptionFrm::TOptionFrm(QWidget *mainWindow)
    : QDialog(mainWindow)
    , m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("OptionFrm"));
    setWindowTitle(QStringLiteral("オプション設定"));
    PrepareOptionDialog(this, kSize);
    auto *layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->addTab(buildFontPage(), QStringLiteral("フォント"));
    m_pages->addTab(buildSystemPage(), QStringLiteral("システム"));
    m_pages->addTab(buildScreenPage(), QStringLiteral("画面"));
    layout->addWidget(m_pages, 1);
    auto *bar = new QHBoxLayout;
    bar->addStretch();
    QPushButton *apply = namedButton(QStringLiteral("反映して閉じる"), "Button2");
    apply->setParent(this);
    apply->setFixedWidth(150);
    apply->setDefault(true);
    QPushButton *close = namedButton(QStringLiteral("閉じる"), "Button1");
    close->setParent(this);
    close->setFixedWidth(100);
    bar->addWidget(apply);
    bar->addWidget(close);
    layout->addLayout(bar);
    connect(apply, &QPushButton::clicked, this, &TOptionFrm::Button2Click);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    m_pages->setCurrentIndex(0);
}

QComboBox *TOptionFrm::fontBox(const QString &current, const char *name)
{
    auto *box = new QComboBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    WithoutLengthLimit(box->lineEdit());
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(kListRows);
    box->addItems(FontFamilies(0, 0));
    box->setCurrentText(current);
    return box;
}

QWidget *TOptionFrm::buildFontPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *japanese = new QGroupBox(QStringLiteral("日本語フォント"), page);
    auto *japaneseLayout = new QVBoxLayout(japanese);
    m_jpFont = fontBox(Usr.UsrJpFont, "ComboBox1");
    NameBox(m_jpFont, japanese->title());
    japaneseLayout->addWidget(m_jpFont);
    japaneseLayout->addWidget(note(QStringLiteral("初期値　游ゴシック Medium"), japanese));
    layout->addWidget(japanese);

    auto *ipa = new QGroupBox(QStringLiteral("発音記号フォント"), page);
    auto *ipaLayout = new QGridLayout(ipa);
    m_ipaFont = fontBox(Usr.UsrIPAFont, "ComboBox2");
    NameBox(m_ipaFont, ipa->title());
    m_ipaSize = new QComboBox(ipa);
    m_ipaSize->setObjectName(QStringLiteral("ComboBox3"));
    m_ipaSize->setEditable(true);
    m_ipaSize->setInsertPolicy(QComboBox::NoInsert);
    m_ipaSize->setMaxVisibleItems(kListRows);
    NameBox(m_ipaSize, QStringLiteral("発音記号のサイズ"));
    AddFontSizeItems(m_ipaSize, 9, 30);
    m_ipaSize->setCurrentText(QString::number(Usr.IPAFontSize));
    auto *sizeLabel = PlainLabel(QStringLiteral("サイズ："), ipa);
    sizeLabel->setBuddy(m_ipaSize);
    ipaLayout->addWidget(m_ipaFont, 0, 0);
    ipaLayout->addWidget(sizeLabel, 0, 1);
    ipaLayout->addWidget(m_ipaSize, 0, 2);
    ipaLayout->addWidget(note(QStringLiteral("初期値　Segoe UI"), ipa), 1, 0);
    ipaLayout->addWidget(note(QStringLiteral("初期値　") + QString::number(kDefaultIpaSize), ipa),
                         1, 2);
    ipaLayout->setColumnStretch(0, 1);
    layout->addWidget(ipa);
    layout->addStretch();
    return page;
}

QWidget *TOptionFrm::buildSystemPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    QPushButton *reset = namedButton(QStringLiteral("初期化する"), "Button3");
    QPushButton *refresh = namedButton(QStringLiteral("更新する"), "Button4");
    layout->addWidget(buttonGroup(QStringLiteral("変数の初期化"),
                                  {QStringLiteral("画面サイズやフォントなどを初期値に戻します。"),
                                   QStringLiteral("一度終了しますが、再起動時に初期化されます。")},
                                  reset, page));
    layout->addWidget(
        buttonGroup(QStringLiteral("サンプル単語帳の更新"),
                    {QStringLiteral("サンプル単語帳はバージョンアップ時に更新されません。"),
                     QStringLiteral("更新するボタンを押すと、最新のものになります。")},
                    refresh, page));
    layout->addStretch();
    connect(reset, &QPushButton::clicked, this, &TOptionFrm::Button3Click);
    connect(refresh, &QPushButton::clicked, this, &TOptionFrm::Button4Click);
    return page;
}

QWidget *TOptionFrm::buildScreenPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *group = new QGroupBox(QStringLiteral("画面サイズ最小化"), page);
    auto *groupLayout = new QVBoxLayout(group);
    // In the explaining lines' smaller font the sentence fits on one line.
    QLabel *explanation =
        smallLine(QStringLiteral("800×600以上の画面サイズでも最小調整画面で動作できます。"), group);
    explanation->setWordWrap(true);
    groupLayout->addWidget(explanation);
    QLabel *current =
        note(QStringLiteral("現在の画面調整：　") +
                 (Usr.SmallPCFlg ? QStringLiteral("最小化 中") : QStringLiteral("標準サイズ")),
             group);
    current->setObjectName(QStringLiteral("Label7"));
    groupLayout->addWidget(current);
    auto *buttons = new QHBoxLayout;
    QPushButton *small = namedButton(QStringLiteral("最小画面サイズにする"), "Button5");
    QPushButton *standard = namedButton(QStringLiteral("標準サイズに戻す"), "Button6");
    for (QPushButton *button : {small, standard}) {
        button->setParent(group);
        button->setFixedSize(kScreenButtonSize);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    groupLayout->addLayout(buttons);
    const QScreen *screen = m_mainWindow ? m_mainWindow->screen() : this->screen();
    const QSize size = screen ? screen->size() : QSize();
    QLabel *screenNote = note(
        QStringLiteral("※このPCの画面サイズ→　%1×%2").arg(size.width()).arg(size.height()), group);
    screenNote->setObjectName(QStringLiteral("Label8"));
    groupLayout->addWidget(screenNote);
    groupLayout->addWidget(note(QStringLiteral("※再起動後、指定のサイズになります。"), group));
    layout->addWidget(group);
    layout->addStretch();
    connect(small, &QPushButton::clicked, this, &TOptionFrm::Button5Click);
    connect(standard, &QPushButton::clicked, this, &TOptionFrm::Button6Click);
    return page;
}

// The font page: a name is taken as typed; a size that is no number, or no usable size, keeps
// the old size.
void TOptionFrm::Button2Click()
{
    bool changed = false;
    if (m_jpFont->currentText() != Usr.UsrJpFont) {
        Usr.UsrJpFont = m_jpFont->currentText();
        Sys.JPNFSize = -1;
        changed = true;
    }
    if (m_ipaFont->currentText() != Usr.UsrIPAFont) {
        Usr.UsrIPAFont = m_ipaFont->currentText();
        Sys.IPAFSize = -1;
        changed = true;
    }
    bool isNumber = false;
    const int size = m_ipaSize->currentText().trimmed().toInt(&isNumber);
    if (isNumber && size >= kSmallestIpaFontSize && size <= kLargestIpaFontSize &&
        size != Usr.IPAFontSize) {
        Usr.IPAFontSize = size;
        changed = true;
    }
    if (changed)
        Q_EMIT fontsApplied();
    accept();
}

void TOptionFrm::Button3Click()
{
    if (!Confirm(QStringLiteral("初期化を行いますか？（単語帳は消えません）"), this))
        return;
    if (!releaseBook())
        return;
    if (!RequestSettingsReset()) {
        ShowWarning(
            QStringLiteral("設定ファイル %1 を削除できなかったため、初期化できませんでした。")
                .arg(QDir::toNativeSeparators(RngFilePath())),
            this);
        return;
    }
    endProgram();
}

// The installed samples replace the books of the same names in Class0; the user's other books
// stay.
void TOptionFrm::Button4Click()
{
    if (!Confirm(QStringLiteral("Class0内のbookA,bookG,bookS内のすべての単語帳が上書きされますが、"
                                "よろしいですか？"),
                 this))
        return;
    if (!releaseBook())
        return;
    for (int folder = 0; folder < 3; ++folder)
        ForceDirectories(BookFolderPath(0, folder));
    const CopyResult result = CopySampleBooks(true);
    Q_EMIT samplesRefreshed();
    if (!result.complete) {
        const QString what = result.failedFiles.isEmpty()
                                 ? QDir::toNativeSeparators(Dirs.UsrFolder + u'/' + EUName[0])
                                 : result.failedFiles.join(u'\n');
        ShowWarning(QStringLiteral("次の単語帳を更新できませんでした。\n") + what, this);
    }
}

void TOptionFrm::Button5Click()
{
    if (!releaseBook())
        return;
    RequestSmallLayout();
    endProgram();
}

void TOptionFrm::Button6Click()
{
    if (!releaseBook())
        return;
    if (!RequestSettingsReset()) {
        ShowWarning(QStringLiteral("設定ファイル %1 を削除できなかったため、標準サイズに戻せません"
                                   "でした。")
                        .arg(QDir::toNativeSeparators(RngFilePath())),
                    this);
        return;
    }
    Usr.SmallPCFlg = false;
    endProgram();
}

// The program ends only with the open book released, so a request is made only then.
bool TOptionFrm::releaseBook()
{
    return !m_releaseBook || m_releaseBook();
}

void TOptionFrm::endProgram()
{
    m_endRequested = true;
    accept();
}
