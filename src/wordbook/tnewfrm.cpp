#include "tnewfrm.h"

#include "core/ulib.h"
#include "input/imeswitch.h"
#include "tableimport.h"
#include "widgets/messagebox.h"
#include "wordbookcommands.h"
#include "wordbookfile.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>

namespace {

const QString kSuffix = QStringLiteral("utx");

const BookHeaderTexts kTexts{
    QStringLiteral("単語帳の新規作成"),
    {QStringLiteral("タイトルとグループを入れ、作成ボタンを押して下さい。"),
     QStringLiteral("（ファイル名指定画面が現れます。拡張子不要です。）")},
    QStringLiteral("（グループは単語帳メニューで隣接表示に用います）"),
    QStringLiteral("作　成"),
};

const QString kFileCaption =
    QStringLiteral("単語帳のファイル名指定　（「保存」ボタンを押すと空のファイルを作ります。）");
// The dialog shows the text before the pattern in parentheses, which is what it filters by.
const QString kFilter = QStringLiteral("（ユニコードテキスト）　*.utx (*.utx)");

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString proposedPath(const QString &title)
{
    return Dirs.CatFolder + u'/' + VisibleBookName(title) + u'.' + kSuffix;
}

// A chosen name that starts with "." would make a hidden file, which the shelf never lists.
QString visiblePath(const QString &path)
{
    const QFileInfo chosen(path);
    if (!chosen.fileName().startsWith(u'.'))
        return path;
    return chosen.path() + u'/' + VisibleBookName(chosen.fileName());
}

bool inBookFolder(const QString &path)
{
    return QFileInfo(path).absoluteDir() == QDir(Dirs.CatFolder);
}

// The size, type and date columns of the detail view as wide as their texts; the name
// column takes the rest.
void fitFileColumns(QFileDialog &dialog)
{
    for (QTreeView *view : dialog.findChildren<QTreeView *>()) {
        QHeaderView *header = view->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
}

} // namespace

QString ChooseBookFile(QWidget *owner, const QString &caption, const QString &proposedPath,
                       const QString &filter)
{
    const QFileInfo proposed(proposedPath);
    QFileDialog dialog(owner, caption, proposed.path());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOptions(QFileDialog::DontConfirmOverwrite | QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(kSuffix);
    dialog.selectFile(proposed.fileName());
    fitFileColumns(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

TNewFrm::TNewFrm(WordBookCommands *commands, SaveFileChooser chooser)
    : BookHeaderForm(kTexts, commands->window())
    , m_commands(commands)
    , m_chooser(std::move(chooser))
{
    connect(commitButton(), &QPushButton::clicked, this, &TNewFrm::MakeBlankWB);
    connect(this, &QDialog::finished, this, [] { LoadGaIme(); });
}

void TNewFrm::MakeBlankWB()
{
    const std::optional<BookHeader> header = enteredHeader();
    if (!header)
        return;
    const QString path = chooseFile(header->title);
    // Writing the new book closes the open one.
    if (path.isEmpty() || !m_commands->ReleaseCurrentWB() || !write(*header, path))
        return;
    m_commands->SearchCatFolder();
    if (inBookFolder(path))
        m_commands->WBMenuClick(QFileInfo(path).fileName());
    accept();
}

QString TNewFrm::chooseFile(const QString &title)
{
    QString path = m_chooser(this, kFileCaption, proposedPath(title), kFilter);
    if (path.isEmpty())
        return {};
    // A platform dialog may leave the default suffix to the program.
    if (QFileInfo(path).suffix().isEmpty())
        path += u'.' + kSuffix;
    path = visiblePath(path);
    if (!QFileInfo::exists(path))
        return path;
    const QString question = QStringLiteral("「%1」はすでにあります。\n上書きすると、この単語帳の"
                                            "中身は空になります。上書きしますか？")
                                 .arg(native(path));
    return Confirm(question, m_commands->window()) ? path : QString();
}

bool TNewFrm::write(const BookHeader &header, const QString &path)
{
    const QString error =
        MakeBlankWB_Base(header.title, header.group, path, StoredName(header.type));
    if (error.isEmpty())
        return true;
    ShowWarning(
        QStringLiteral("単語帳「%1」を作成できませんでした。\n（%2）").arg(native(path), error),
        m_commands->window());
    return false;
}
