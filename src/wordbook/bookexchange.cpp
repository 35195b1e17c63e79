#include "bookexchange.h"

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
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

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
    return QFileDialog::getSaveFileName(owner, caption, proposed, filter);
}

// A file that is not Unicode: the user says which encoding it is.
std::optional<QString> decodeAsChosen(const QByteArray &bytes, const QString &path, QWidget *owner)
{
    QStringList captions;
    for (const OtherEncoding &encoding : kOtherEncodings)
        captions.append(QString::fromUtf16(encoding.caption));
    bool chosen = false;
    const QString caption =
        QInputDialog::getItem(owner, QStringLiteral("文字コードの選択"),
                              QStringLiteral("「%1」は UTF-8 でも UTF-16 でもありません。\n"
                                             "どの文字コードで書かれていますか？")
                                  .arg(QFileInfo(path).fileName()),
                              captions, 0, false, &chosen);
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

std::optional<QString> BookExchange::readTable(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowWarning(QStringLiteral("「%1」を読めませんでした。\n（%2）")
                        .arg(native(path), file.errorString()),
                    m_commands->window());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (std::optional<QString> text = DecodeTableFile(bytes))
        return text;
    return decodeAsChosen(bytes, path, m_commands->window());
}

void BookExchange::ImportWBExecute()
{
    const QString path = m_openChooser(m_commands->window(), QStringLiteral("単語帳のインポート"),
                                       documentsFolder(), kTableFilter);
    if (path.isEmpty())
        return;
    const std::optional<QString> text = readTable(path);
    if (!text)
        return;
    const QList<QStringList> rows = ParseTable(*text, GuessSeparator(*text));
    if (rows.isEmpty()) {
        ShowWarning(QStringLiteral("「%1」には取り込める行がありません。").arg(native(path)),
                    m_commands->window());
        return;
    }
    TImportFrm dialog(rows, QFileInfo(path).completeBaseName(), m_commands->window());
    if (dialog.exec() == QDialog::Accepted)
        importBook(dialog.book(), dialog.leftOut());
}

// The new book goes into the book folder on display under a name that overwrites nothing, and
// is opened there.
void BookExchange::importBook(const WordBook &book, int leftOut)
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
    ShowInformation(report, m_commands->window());
}

void BookExchange::ExportWBExecute()
{
    if (Sys.TC_File.isEmpty())
        return;
    const QString proposed = documentsFolder() + u'/' + QString(Sys.TC_Title).replace(u'/', u'_') +
                             QStringLiteral(".tsv");
    QString path = m_saveChooser(m_commands->window(), QStringLiteral("単語帳のエクスポート"),
                                 proposed, kTsvFilter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".tsv");
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
    const QString proposed =
        documentsFolder() + u'/' + QString(book.title).replace(u'/', u'_') + QStringLiteral(".pdf");
    QString path = m_saveChooser(m_commands->window(), QStringLiteral("単語帳の印刷（PDF）"),
                                 proposed, kPdfFilter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
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
