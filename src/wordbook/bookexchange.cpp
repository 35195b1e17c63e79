#include "bookexchange.h"

#include "core/readfile.h"
#include "core/savefile.h"
#include "core/ulib.h"
#include "tableimport.h"
#include "timportfrm.h"
#include "tprintfrm.h"
#include "widgets/mainactions.h"
#include "widgets/messagebox.h"
#include "wordbookcommands.h"
#include "wordbookpage.h"
#include "wordlistmodel.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTextDocument>

namespace {

const QString kTableFilter = QStringLiteral("表（タブ区切り・カンマ区切り） (*.tsv *.csv *.txt)");
const QString kTsvFilter = QStringLiteral("タブ区切りテキスト (*.tsv)");
const QString kPdfFilter = QStringLiteral("PDF (*.pdf)");

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString chooseTableToRead(QWidget *owner, const QString &caption, const QString &folder,
                          const QString &filter)
{
    return QFileDialog::getOpenFileName(owner, caption, folder, filter);
}

QString chooseTableToWrite(QWidget *owner, const QString &caption, const QString &proposed,
                           const QString &filter)
{
    // The program asks before overwriting, once the suffix is known (see chooseSavePath).
    return QFileDialog::getSaveFileName(owner, caption, proposed, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

// A file that is not Unicode: the user says which encoding it is.
std::optional<TableText> decodeAsChosen(const QByteArray &bytes, const QString &path,
                                        QWidget *owner)
{
    QStringList captions;
    for (const OtherEncoding &encoding : kOtherEncodings)
        captions.append(QString::fromUtf16(encoding.caption));
    bool chosen = false;
    // The dialog's label takes rich text: the file name is escaped into it.
    const QString question = QStringLiteral("「%1」は UTF-8 でも UTF-16 でもありません。\n"
                                            "どの文字コードで書かれていますか？")
                                 .arg(QFileInfo(path).fileName());
    const QString caption =
        QInputDialog::getItem(owner, QStringLiteral("文字コードの選択"),
                              Qt::convertFromPlainText(question), captions, 0, false, &chosen);
    if (!chosen)
        return std::nullopt;
    return DecodeTableFileAs(bytes, kOtherEncodings[captions.indexOf(caption)].name);
}

} // namespace

BookExchange::BookExchange(WordBookCommands *commands, SaveFileChooser openChooser,
                           SaveFileChooser saveChooser)
    : QObject(commands)
    , m_commands(commands)
    , m_openChooser(std::move(openChooser))
    , m_saveChooser(std::move(saveChooser))
{
    const MainActions *actions = commands->actions();
    connect(actions->ImportWB, &QAction::triggered, this, &BookExchange::ImportWBExecute);
    connect(actions->ExportWB, &QAction::triggered, this, &BookExchange::ExportWBExecute);
    connect(actions->PrintWB, &QAction::triggered, this, &BookExchange::PrintWBExecute);
}

BookExchange::BookExchange(WordBookCommands *commands)
    : BookExchange(commands, chooseTableToRead, chooseTableToWrite)
{}

// At most kLargestTableFile bytes are read: a larger file, or a device that never ends, is
// refused whole.
std::optional<TableText> BookExchange::readTable(const QString &path)
{
    const FileBytes file = ReadFileBounded(path, kLargestTableFile);
    if (file.status != FileBytes::Status::Read && file.status != FileBytes::Status::TooLarge) {
        ShowWarning(
            QStringLiteral("「%1」を読めませんでした。\n（%2）").arg(native(path), file.reason),
            m_commands->window());
        return std::nullopt;
    }
    const QByteArray &bytes = file.bytes;
    if (file.status == FileBytes::Status::TooLarge) {
        ShowWarning(QStringLiteral("「%1」は大きすぎるため、取り込みませんでした。\n"
                                   "取り込める表のファイルは %2 MB までです。")
                        .arg(native(path))
                        .arg(kLargestTableFile / (1024 * 1024)),
                    m_commands->window());
        return std::nullopt;
    }
    if (std::optional<TableText> text = DecodeTableFile(bytes))
        return text;
    return decodeAsChosen(bytes, path, m_commands->window());
}

void BookExchange::ImportWBExecute()
{
    const QString path = m_openChooser(m_commands->window(), QStringLiteral("単語帳のインポート"),
                                       documentsFolder(), kTableFilter);
    if (path.isEmpty())
        return;
    const std::optional<TableText> table = readTable(path);
    if (!table)
        return;
    if (ParseTable(table->text, GuessSeparator(table->text), 1).rows.isEmpty()) {
        ShowWarning(QStringLiteral("「%1」には取り込める行がありません。").arg(native(path)),
                    m_commands->window());
        return;
    }
    TImportFrm dialog(*table, QFileInfo(path).completeBaseName(), m_commands->window());
    if (dialog.exec() == QDialog::Accepted)
        importBook(dialog.book(), dialog.leftOut(), dialog.rowsCut());
}

// The new book goes into the book folder on display under a name that overwrites nothing, and
// is opened there.
void BookExchange::importBook(const WordBook &book, int leftOut, bool rowsCut)
{
    if (!m_commands->ReleaseCurrentWB())
        return;
    const QString path = FreeBookPath(Dirs.CatFolder, book.title);
    const QString error = WriteWordBook(path, book);
    if (!error.isEmpty()) {
        ShowWarning(
            QStringLiteral("単語帳「%1」を作成できませんでした。\n（%2）").arg(native(path), error),
            m_commands->window());
        return;
    }
    m_commands->SearchCatFolder();
    m_commands->WBMenuClick(QFileInfo(path).fileName());
    QString report = QStringLiteral("単語帳「%1」（%2）に %3 語を取り込みました。")
                         .arg(book.title, QFileInfo(path).fileName())
                         .arg(book.entries.size());
    if (leftOut > 0)
        report +=
            QStringLiteral("\nロシア語か日本語が空の %1 行は取り込みませんでした。").arg(leftOut);
    if (rowsCut)
        report += QStringLiteral("\n一度に取り込めるのは %1 行までのため、それより後の行は"
                                 "取り込みませんでした。")
                      .arg(kMostTableRows);
    ShowInformation(report, m_commands->window());
}

void BookExchange::ExportWBExecute()
{
    if (Sys.TC_File.isEmpty())
        return;
    const QString path = chooseSavePath(QStringLiteral("単語帳のエクスポート"), Sys.TC_Title,
                                        kTsvFilter, QStringLiteral("tsv"));
    if (path.isEmpty())
        return;
    const QList<WordEntry> &entries = m_commands->page()->wordListModel()->entries();
    const QString error =
        WriteFileSafely(path, TableBytesOf(entries, CueCaption(QuestionTypeOf(Sys.TC_Type))));
    if (!error.isEmpty()) {
        ShowWarning(
            QStringLiteral("「%1」に書き出せませんでした。\n（%2）").arg(native(path), error),
            m_commands->window());
        return;
    }
    ShowInformation(QStringLiteral("単語帳「%1」の %2 語を「%3」に書き出しました。")
                        .arg(Sys.TC_Title)
                        .arg(entries.size())
                        .arg(native(path)),
                    m_commands->window());
}

// The file to write, proposed in the documents folder under the title; a file that is there
// already is overwritten only when the user says so. The proposed name has no '/' and no '"',
// which Qt's dialog would read as quoting several names.
QString BookExchange::chooseSavePath(const QString &caption, const QString &title,
                                     const QString &filter, const QString &suffix)
{
    const QString name = QString(title).replace(u'/', u'_').replace(u'"', u'_');
    const QString proposed = documentsFolder() + u'/' + name + u'.' + suffix;
    return SavePathConfirmed(m_saveChooser(m_commands->window(), caption, proposed, filter), suffix,
                             m_commands->window());
}

QString SavePathConfirmed(QString path, const QString &suffix, QWidget *owner)
{
    if (path.isEmpty())
        return {};
    if (QFileInfo(path).suffix().isEmpty())
        path += u'.' + suffix;
    if (QFileInfo::exists(path) &&
        !Confirm(QStringLiteral("「%1」はすでにあります。上書きしますか？").arg(native(path)),
                 owner))
        return {};
    return path;
}

WordBook BookExchange::openBook() const
{
    return {Sys.TC_Title, Sys.TC_Group, QuestionTypeOf(Sys.TC_Type),
            m_commands->page()->wordListModel()->entries()};
}

void BookExchange::PrintWBExecute()
{
    if (Sys.TC_File.isEmpty())
        return;
    TPrintFrm dialog(m_commands->window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (dialog.toPdf())
        printToPdf(openBook(), dialog.blankColumn());
    else
        printToPrinter(openBook(), dialog.blankColumn());
}

// The PDF is made in memory and written through the program's write helper.
void BookExchange::printToPdf(const WordBook &book, BlankColumn blank)
{
    const QString path = chooseSavePath(QStringLiteral("単語帳の印刷（PDF）"), book.title,
                                        kPdfFilter, QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);
        writer.setTitle(book.title);
        writer.setCreator(QStringLiteral("Kalvo"));
        PrintWordBook(&writer, book, blank);
    }
    const QString error = WriteFileSafely(path, buffer.data());
    if (!error.isEmpty()) {
        ShowWarning(
            QStringLiteral("「%1」に書き出せませんでした。\n（%2）").arg(native(path), error),
            m_commands->window());
        return;
    }
    ShowInformation(
        QStringLiteral("単語帳「%1」を「%2」に PDF で保存しました。").arg(book.title, native(path)),
        m_commands->window());
}

void BookExchange::printToPrinter(const WordBook &book, BlankColumn blank)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(book.title);
    QPrintDialog dialog(&printer, m_commands->window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!PrintWordBook(&printer, book, blank))
        ShowWarning(QStringLiteral("単語帳「%1」を印刷できませんでした。").arg(book.title),
                    m_commands->window());
}
