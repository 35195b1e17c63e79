#include "textdocuments.h"

#include "core/textdocument.h"
#include "core/ulib.h"
#include "input/imeswitch.h"
#include "widgets/messagebox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPlainTextEdit>

namespace {

// The dialog shows "(ユニコードテキスト) *.txt"; the pattern in parentheses is what it filters
// by.
const QString Filter = QStringLiteral("(ユニコードテキスト) *.txt (*.txt)");

QString chooseWith(QFileDialog &dialog)
{
    dialog.setNameFilter(Filter);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString chooseOpenPath(QWidget *parent, const QString &folder)
{
    QFileDialog dialog(parent, QStringLiteral("開く"), folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chooseWith(dialog);
}

QString chooseSavePath(QWidget *parent, const QString &folder, const QString &name)
{
    QFileDialog dialog(parent, QStringLiteral("文書保存（拡張子は不要です）"), folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (!name.isEmpty())
        dialog.selectFile(name);
    return chooseWith(dialog);
}

QString documentPath()
{
    return Sys.UFolder + u'/' + Sys.Ufname;
}

// Makes `path` the current document.
void takeName(const QString &path)
{
    const QFileInfo info(path);
    Sys.Ufname = info.fileName();
    Sys.UFolder = info.absolutePath();
}

} // namespace

TextDocuments::TextDocuments(QPlainTextEdit *area, QWidget *window)
    : QObject(window)
    , m_area(area)
    , m_window(window)
    , m_chooseOpenPath(chooseOpenPath)
    , m_chooseSavePath(chooseSavePath)
{}

void TextDocuments::setOpenChooser(OpenChooser chooser)
{
    m_chooseOpenPath = std::move(chooser);
}

void TextDocuments::setSaveChooser(SaveChooser chooser)
{
    m_chooseSavePath = std::move(chooser);
}

void TextDocuments::openDocument()
{
    const QString path = m_chooseOpenPath(m_window, Sys.UFolder);
    if (path.isEmpty())
        return;
    QString error;
    const std::optional<QString> text = ReadDocumentFile(path, &error);
    if (!text) {
        ShowWarning(QStringLiteral("ファイル「%1」を開けませんでした。（%2）")
                        .arg(QDir::toNativeSeparators(path), error),
                    m_window);
        return;
    }
    takeName(path);
    m_area->setPlainText(*text);
    m_area->moveCursor(QTextCursor::End);
}

void TextDocuments::saveDocument()
{
    const QString text = areaText();
    if (IsBlankDocument(text))
        return;
    const QString path = documentPath();
    if (!QFileInfo(path).isFile())
        return;
    if (write(path, text))
        ShowInformation(QStringLiteral("保存しました！"), m_window);
}

void TextDocuments::saveDocumentAs()
{
    LoadInitIme();
    saveAsWithoutLayout();
    LoadGaIme();
}

void TextDocuments::closeDocument(const std::function<void()> &clearAreas)
{
    clearAreas();
    Sys.Ufname.clear();
}

bool TextDocuments::canSave() const
{
    return !Sys.Ufname.isEmpty();
}

// The area's text with a LF between lines. The raw text keeps a no-break space, which the
// plain text would turn into a space; lines are separated by U+2029 and, within a block, by
// U+2028 (Shift+Enter).
QString TextDocuments::areaText() const
{
    QString text = m_area->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

void TextDocuments::saveAsWithoutLayout()
{
    const QString text = areaText();
    if (IsBlankDocument(text)) {
        ShowWarning(QStringLiteral("保存すべき文書がありません。"), m_window);
        return;
    }
    const QString path = m_chooseSavePath(m_window, Sys.UFolder, Sys.Ufname);
    if (!path.isEmpty() && write(path, text))
        takeName(path);
}

// Writes the area's text into `path`; a failure is reported and the text stays in the area.
bool TextDocuments::write(const QString &path, const QString &text)
{
    const QString error = WriteDocumentFile(path, text);
    if (error.isEmpty())
        return true;
    ShowWarning(QStringLiteral("「%1」を保存できませんでした。（%2）")
                    .arg(QDir::toNativeSeparators(path), error),
                m_window);
    return false;
}
