#include "tversionfrm.h"

#include "core/ulib.h"
#include "dialogstyle.h"
#include "widgets/exactfields.h"

#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr QSize kSize{460, 370};
const QString kWebPage = QStringLiteral("https://kalvo.example.org/");

QLabel *selectableLabel(const QString &text, QWidget *parent)
{
    auto *label = PlainLabel(text, parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setWordWrap(true);
    return label;
}

} // namespace

TVersionFrm::TVersionFrm(QWidget *mainWindow)
    : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("VersionFrm"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    PrepareOptionDialog(this, kSize);
    auto *layout = new QVBoxLayout(this);
    auto *name = PlainLabel(QStringLiteral("Kalvo"), this);
    name->setObjectName(QStringLiteral("Label1"));
    QFont nameFont = name->font();
    nameFont.setPixelSize(32);
    nameFont.setBold(true);
    name->setFont(nameFont);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);
    auto *version = PlainLabel(QStringLiteral("バージョン ") + KalvoVersion, this);
    version->setObjectName(QStringLiteral("Label2"));
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);
    auto *link = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(kWebPage), this);
    link->setObjectName(QStringLiteral("Label3"));
    // The one label that is markup: the program's own link.
    link->setTextFormat(Qt::RichText);
    link->setAlignment(Qt::AlignCenter);
    link->setOpenExternalLinks(true);
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    link->setAccessibleName(QStringLiteral("ウェブページ"));
    layout->addWidget(link);
    layout->addSpacing(12);
    auto *facts = new QFormLayout;
    facts->addRow(QStringLiteral("Qt:"), selectableLabel(QString::fromLatin1(qVersion()), this));
    facts->addRow(QStringLiteral("設定フォルダ:"),
                  selectableLabel(QDir::toNativeSeparators(Dirs.SysFolder), this));
    facts->addRow(QStringLiteral("単語帳フォルダ:"),
                  selectableLabel(QDir::toNativeSeparators(Dirs.UsrFolder), this));
    layout->addLayout(facts);
    layout->addStretch();
    auto *close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("Button1"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignHCenter);
}
