#include "tdeletefrm.h"

#include "bookheaderform.h"
#include "core/ulib.h"
#include "widgets/exactfields.h"
#include "widgets/messagebox.h"
#include "wordbookcommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

enum class Removal { Trashed, Deleted, Failed };

struct RemovalResult {
    Removal removal;
    QString error;
};

// Qt 6.4 finds no trash where the user's data folder lacks one it can make, and then moves
// the file into "files" under the working directory and reports success. So the data folder
// and its trash are made here, as the desktop's trash would be; where that is impossible there
// is no trash.
bool homeTrashReady()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || !QDir().mkpath(data))
        return false;
    const QString trash = data + QStringLiteral("/Trash");
    QDir(data).mkdir(QStringLiteral("Trash"),
                     QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return QFileInfo(trash).isDir();
}

// Into the trash; removed for good only where the trash cannot take it although the file can
// be removed, that is where there is no usable trash.
RemovalResult removeBook(const QString &path)
{
    if (homeTrashReady() && QFile::moveToTrash(path))
        return {Removal::Trashed, {}};
    QFile file(path);
    if (file.remove())
        return {Removal::Deleted, {}};
    return {Removal::Failed, file.errorString()};
}

QString removalText(const RemovalResult &result, const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    switch (result.removal) {
    case Removal::Trashed:
        return QStringLiteral("単語帳「%1」をごみ箱に移しました。").arg(shown);
    case Removal::Deleted:
        return QStringLiteral("ごみ箱が使えないため、単語帳「%1」を完全に削除しました。")
            .arg(shown);
    case Removal::Failed:
        break;
    }
    return QStringLiteral("単語帳「%1」を削除できませんでした。\n（%2）").arg(shown, result.error);
}

} // namespace

TDeleteFrm::TDeleteFrm(WordBookCommands *commands)
    : QDialog(commands->window())
    , m_commands(commands)
{
    ShapeBookDialog(this, QStringLiteral("単語帳の削除"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PlainLabel(QStringLiteral("この単語帳を削除しますがよろしいですか？"), this));
    auto *form = new QFormLayout;
    addField(form, QStringLiteral("タイトル："), Sys.TC_Title);
    addField(form, QStringLiteral("グループ："), Sys.TC_Group);
    m_fileName = addField(form, QStringLiteral("ファイル名："), Sys.TC_File);
    layout->addLayout(form);
    const BookDialogButtons buttons = AddBookDialogButtons(this, layout, QStringLiteral("削除"));
    // Enter does not delete.
    buttons.cancel->setDefault(true);
    connect(buttons.commit, &QPushButton::clicked, this,
            [this] { DeleteWBFile(m_fileName->text()); });
}

QLineEdit *TDeleteFrm::addField(QFormLayout *form, const QString &label, const QString &text)
{
    auto *field = WithoutLengthLimit(new QLineEdit(this));
    field->setText(text);
    field->setReadOnly(true);
    form->addRow(label, field);
    return field;
}

void TDeleteFrm::DeleteWBFile(const QString &fileName)
{
    if (!m_commands->ReleaseCurrentWB()) {
        reject();
        return;
    }
    const QString path = Dirs.CatFolder + u'/' + fileName;
    const RemovalResult result = removeBook(path);
    const bool removed = result.removal != Removal::Failed;
    if (removed)
        m_commands->SearchCatFolder();
    MessageDlg(removed ? MsgKind::Information : MsgKind::Warning, removalText(result, path), false,
               m_commands->window());
    done(removed ? Accepted : Rejected);
}
