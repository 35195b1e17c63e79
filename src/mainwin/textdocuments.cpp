#include "textdocuments.h"

#include "core/textdocument.h"
#include "core/ulib.h"
#include "input/imeswitch.h"
#include "widgets/exactfields.h"
#include "widgets/messagebox.h"

#include <QAbstractFileIconProvider>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QMimeDatabase>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeView>

namespace {

// The dialog shows "(ユニコードテキスト) *.txt"; the pattern in parentheses is what it filters
// by.
const QString Filter = QStringLiteral("(ユニコードテキスト) *.txt (*.txt)");

// The widest texts of the size, type and date columns: the largest size before the next unit,
// a folder and a text file, a date and time with wide digits.
QStringList ColumnSamples(const QFileDialog &dialog, int column)
{
    const QLocale locale = QLocale::system();
    switch (column) {
    case 1:
        return {locale.formattedDataSize(qint64(1023.99 * 1024 * 1024))};
    case 2:
        return {dialog.iconProvider()->type(QFileInfo(dialog.directory().absolutePath())),
                QMimeDatabase().mimeTypeForName(QStringLiteral("text/plain")).comment()};
    default:
        return {locale.toString(QDateTime(QDate(2000, 12, 28), QTime(20, 58, 58)),
                                QLocale::ShortFormat)};
    }
}

// The width a cell of `view` needs to show `text` whole, as its delegate measures it.
int CellWidth(const QTreeView &view, const QString &text)
{
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = text;
    return view.style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), &view).width();
}

// Qt sizes the size, type and date columns for short English samples, which the localised
// texts outgrow; each is widened to its widest text, never narrowed below what the user chose.
void WidenColumns(const QFileDialog &dialog, QTreeView &view)
{
    QHeaderView *header = view.header();
    for (int column = 1; column < header->count(); ++column) {
        int width = qMax(header->sectionSize(column), header->sectionSizeHint(column));
        for (const QString &sample : ColumnSamples(dialog, column))
            width = qMax(width, CellWidth(view, sample));
        header->resizeSection(column, width);
    }
}

// Makes the dialog wide enough for every column and a vertical scroll bar, within the screen's
// available area. Only the size: QDialog places the dialog after this, by its new size.
void FitToColumns(QFileDialog &dialog, const QTreeView &view)
{
    const int scrollBar = view.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &view);
    const int missing = view.header()->length() + scrollBar - view.viewport()->width();
    const QSize wanted(dialog.width() + qMax(0, missing), dialog.height());
    dialog.resize(wanted.boundedTo(dialog.screen()->availableGeometry().size()));
}

// Fits Qt's own dialog to its detail view when it is shown, once its parts are laid out; a
// dialog of the desktop has no such view and is left alone.
class ColumnFitter : public QObject {
public:
    explicit ColumnFitter(QFileDialog *dialog)
        : QObject(dialog)
    {
        dialog->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        auto *dialog = static_cast<QFileDialog *>(watched);
        if (auto *view = dialog->findChild<QTreeView *>(QStringLiteral("treeView"))) {
            WidenColumns(*dialog, *view);
            FitToColumns(*dialog, *view);
        }
        return false;
    }
};

QString chooseWith(QFileDialog &dialog)
{
    new ColumnFitter(&dialog);
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
    Q_EMIT nameChanged();
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
    Q_EMIT nameChanged();
}

bool TextDocuments::canSave() const
{
    return !Sys.Ufname.isEmpty();
}

QString TextDocuments::areaText() const
{
    return ExactPlainText(m_area);
}

void TextDocuments::saveAsWithoutLayout()
{
    const QString text = areaText();
    if (IsBlankDocument(text)) {
        ShowWarning(QStringLiteral("保存すべき文書がありません。"), m_window);
        return;
    }
    const QString path = m_chooseSavePath(m_window, Sys.UFolder, Sys.Ufname);
    if (path.isEmpty() || !write(path, text))
        return;
    takeName(path);
    Q_EMIT nameChanged();
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
