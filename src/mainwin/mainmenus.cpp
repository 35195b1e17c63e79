#include "mainmenus.h"

#include "compositionareas.h"
#include "core/ulib.h"
#include "mainbody.h"
#include "platform/documentviewer.h"
#include "textdocuments.h"
#include "transfer/helpdocument.h"
#include "widgets/mainactions.h"
#include "widgets/messagebox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QTabWidget>
#include <span>

// One menu item: a command of its own, or a shared action of the window. A row without a name
// is a separator. `checkedBy` makes the item checkable: it is checked from the flag when the menu
// opens, and a click toggles the flag before the command runs.
struct MainMenus::ItemRow {
    const char *name;
    const char16_t *text = nullptr;
    void (MainMenus::*command)() = nullptr;
    bool (MainMenus::*enabledWhen)() const = nullptr;
    bool *checkedBy = nullptr;
    QAction *MainActions::*shared = nullptr;
    // The platform's usual shortcut, shown beside the item.
    QKeySequence::StandardKey key = QKeySequence::UnknownKey;
};

struct MainMenus::MenuRow {
    const char *name;
    const char16_t *title;
    std::span<const ItemRow> items;
    bool startsWithTransferModes = false;
};

namespace {

// The standard edit commands act on the focused text field of the window.
class FocusedField {
public:
    FocusedField()
        : m_widget(QApplication::focusWidget())
        , m_line(qobject_cast<QLineEdit *>(m_widget))
        , m_area(qobject_cast<QPlainTextEdit *>(m_widget))
    {}

    bool exists() const { return m_line || m_area; }
    bool canUndo() const
    {
        return m_line ? m_line->isUndoAvailable() : m_area && m_area->document()->isUndoAvailable();
    }
    bool hasSelection() const
    {
        return m_line ? m_line->hasSelectedText() : m_area && m_area->textCursor().hasSelection();
    }
    bool hasText() const
    {
        return m_line ? !m_line->text().isEmpty() : m_area && !m_area->document()->isEmpty();
    }
    void undo() { m_line ? m_line->undo() : m_area->undo(); }
    void cut() { m_line ? m_line->cut() : m_area->cut(); }
    void copy() { m_line ? m_line->copy() : m_area->copy(); }
    void paste() { m_line ? m_line->paste() : m_area->paste(); }
    void selectAll() { m_line ? m_line->selectAll() : m_area->selectAll(); }
    void deleteSelection()
    {
        if (m_line) {
            m_line->del();
            return;
        }
        QTextCursor cursor = m_area->textCursor();
        cursor.removeSelectedText();
        m_area->setTextCursor(cursor);
    }

private:
    QWidget *m_widget;
    QLineEdit *m_line;
    QPlainTextEdit *m_area;
};

// The style the menu bar is drawn with, and Alt alone selects its first menu for the arrow keys,
// as in most desktop programs; not every style says so.
class AltKeyMenuStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return true;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

struct TransferModeRow {
    const char *name;
    const char16_t *text;
};

// Menu items of the transfer modes, TransIndex 1 to 4.
constexpr TransferModeRow kTransferModes[] = {
    {"N29", u"標準　（リッチテキスト）"},
    {"N101", u"数値文字参照　10進"},
    {"N161", u"数値文字参照　16進"},
    {"N30", u"ユニコードテキスト"},
};

} // namespace

// Every menu with its items, in the order of the menu bar. The transfer menu starts with the
// four transfer modes, built from their own table.
std::span<const MainMenus::MenuRow> MainMenus::menuTable()
{
    static const ItemRow kFileItems[] = {
        {.name = "Open1",
         .text = u"開く",
         .command = &MainMenus::openDocument,
         .key = QKeySequence::Open},
        {nullptr},
        {.name = "Save1",
         .text = u"上書き保存",
         .command = &MainMenus::saveDocument,
         .enabledWhen = &MainMenus::canSave,
         .key = QKeySequence::Save},
        {.name = "SaveAs1",
         .text = u"名前を付けて保存",
         .command = &MainMenus::saveDocumentAs,
         .key = QKeySequence::SaveAs},
        {nullptr},
        {.name = "Close1",
         .text = u"閉じる",
         .command = &MainMenus::closeDocument,
         .key = QKeySequence::Close},
        {nullptr},
        {"Exit1", u"終了", &MainMenus::requestExit},
    };

    static const ItemRow kEditItems[] = {
        {"Undo1", u"元に戻す(&U)", &MainMenus::undo, &MainMenus::canUndo},
        {nullptr},
        {"Cut1", u"切り取り(&T)", &MainMenus::cut, &MainMenus::hasSelection},
        {"Copy1", u"コピー(&C)", &MainMenus::copy, &MainMenus::hasSelection},
        {"Paste1", u"貼り付け(&P)", &MainMenus::paste, &MainMenus::canPaste},
        {"Delete1", u"削除(&D)", &MainMenus::deleteSelection, &MainMenus::hasSelection},
        {nullptr},
        {"SelectAll1", u"すべて選択(&A)", &MainMenus::selectAll, &MainMenus::hasText},
        {nullptr},
        {"N63", u"スクロールバーを表示する", &MainMenus::applyScrollBars, nullptr, &Usr.ScrollFlg},
    };

    static const ItemRow kViewItems[] = {
        {"N43", u"アルファベットと記号　一覧表", &MainMenus::applyChart, nullptr, &Usr.AlphabetFlg},
    };

    static const ItemRow kWordBookItems[] = {
        {"NewWB", nullptr, nullptr, nullptr, nullptr, &MainActions::NewWB},
        {"ChangeWBProperty", nullptr, nullptr, nullptr, nullptr, &MainActions::ChangeWBProperty},
        {"DeleteWB", nullptr, nullptr, nullptr, nullptr, &MainActions::DeleteWB},
        {"CloseWB", nullptr, nullptr, nullptr, nullptr, &MainActions::CloseWB},
        {nullptr},
        {"ImportWB", nullptr, nullptr, nullptr, nullptr, &MainActions::ImportWB},
        {"ExportWB", nullptr, nullptr, nullptr, nullptr, &MainActions::ExportWB},
        {"ExportHistory1", u"学習の記録のエクスポート…", &MainMenus::requestHistoryExport},
        {"PrintWB", nullptr, nullptr, nullptr, nullptr, &MainActions::PrintWB},
        {nullptr},
        {"RegWord", nullptr, nullptr, nullptr, nullptr, &MainActions::RegWord},
        {"ModWord", nullptr, nullptr, nullptr, nullptr, &MainActions::ModWord},
        {"MoveWord", nullptr, nullptr, nullptr, nullptr, &MainActions::MoveWord},
        {"DelWord", nullptr, nullptr, nullptr, nullptr, &MainActions::DelWord},
        {nullptr},
        {"ResetInput1", u"リセット入力", nullptr, nullptr, &Usr.ResetInputFlg},
        {"RegClear1", u"登録後クリア", nullptr, nullptr, &Usr.RegClearFlg},
        {"LastVisible1", u"ロード時の最下行表示", nullptr, nullptr, &Usr.LastVisibleFlg},
        {nullptr},
        {"SearchWord", nullptr, nullptr, nullptr, nullptr, &MainActions::SearchWord},
        {nullptr},
        {"Progress1", u"学習の記録", &MainMenus::requestProgress},
    };

    static const ItemRow kTransferItems[] = {
        {nullptr},
        {"N031sec1", u"貼り付けタイミングを遅くする　（0.3 → 1 sec）", nullptr, nullptr,
         &Sys.SlowPasteFlg},
        {"N32", u"転送後クリア", nullptr, nullptr, &Usr.TransClearFlg},
    };

    static const ItemRow kOptionItems[] = {
        {"Setting1", u"設定画面", &MainMenus::requestOptions},
        {nullptr},
        {"FontSize1", u"文字サイズ調整", &MainMenus::requestFontSizeDialog},
        {nullptr},
        {"Keyboard1", u"ロシア語キーボードの変更", &MainMenus::requestKeyboardDialog},
    };

    static const ItemRow kToolItems[] = {
        {"DecChecker1", u"ユニコード10進コード値チェッカ", &MainMenus::showDecimalCodes},
        {"HexChecker1", u"ユニコード16進コード値チェッカ", &MainMenus::showHexadecimalCodes},
        {nullptr},
        {"Counter1", u"文字数カウンタ", &MainMenus::showCharacterCount},
        {nullptr},
        {"RemoveAc1", u"アクセント記号をとる", &MainMenus::removeAccents},
    };

    static const ItemRow kHelpItems[] = {
        {"Help2", u"ヘルプ", &MainMenus::openHelp},
        {"Version1", u"バージョン情報", &MainMenus::requestVersion},
    };

    static const MenuRow kMenus[] = {
        {"File1", u"ファイル", kFileItems},
        {"EditMenu", u"編集", kEditItems},
        {"View1", u"表示", kViewItems},
        {"WordBook1", u"単語帳", kWordBookItems},
        {"N5", u"転送モード", kTransferItems, true},
        {"Option1", u"オプション", kOptionItems},
        {"Tool1", u"ツール", kToolItems},
        {"Help1", u"ヘルプ", kHelpItems},
    };
    return kMenus;
}

MainMenus::MainMenus(QMenuBar *bar, MainActions *actions, CompositionAreas *areas,
                     TextDocuments *documents, MainBody *body)
    : QObject(bar)
    , m_actions(actions)
    , m_areas(areas)
    , m_documents(documents)
    , m_body(body)
    , m_helpViewer(new DocumentViewer(this))
{
    setObjectName(QStringLiteral("MainMenus"));
    connect(m_helpViewer, &DocumentViewer::cannotShow, this, &MainMenus::sayHelpCannotBeShown);
    auto *style = new AltKeyMenuStyle;
    style->setParent(bar);
    bar->setStyle(style);
    for (const MenuRow &row : menuTable())
        buildMenu(bar, row);
}

void MainMenus::buildMenu(QMenuBar *bar, const MenuRow &row)
{
    QMenu *menu = bar->addMenu(QString::fromUtf16(row.title));
    menu->setObjectName(QLatin1StringView(row.name));
    if (row.startsWithTransferModes) {
        m_transferMenu = menu;
        addTransferModes(menu);
    }
    for (const ItemRow &item : row.items)
        addItem(menu, item);
}

void MainMenus::addItem(QMenu *menu, const ItemRow &row)
{
    if (!row.name) {
        menu->addSeparator();
        return;
    }
    if (row.shared) {
        menu->addAction(m_actions->*row.shared);
        return;
    }
    QAction *action = menu->addAction(QString::fromUtf16(row.text));
    action->setObjectName(QLatin1StringView(row.name));
    if (bool *flag = row.checkedBy) {
        action->setCheckable(true);
        connect(menu, &QMenu::aboutToShow, action, [action, flag] { action->setChecked(*flag); });
        connect(action, &QAction::triggered, this, [action, flag] {
            *flag = !*flag;
            action->setChecked(*flag);
        });
    }
    if (row.key != QKeySequence::UnknownKey)
        action->setShortcuts(row.key);
    if (const auto enabledWhen = row.enabledWhen) {
        const auto refresh = [this, action, enabledWhen] {
            action->setEnabled((this->*enabledWhen)());
        };
        connect(menu, &QMenu::aboutToShow, action, refresh);
        // A shortcut acts without the menu: "上書き保存" follows the document at once.
        connect(m_documents, &TextDocuments::nameChanged, action, refresh);
    }
    if (const auto command = row.command)
        connect(action, &QAction::triggered, this, [this, command] { (this->*command)(); });
}

void MainMenus::addTransferModes(QMenu *menu)
{
    int index = 1;
    for (const TransferModeRow &row : kTransferModes) {
        QAction *action = menu->addAction(QString::fromUtf16(row.text));
        action->setObjectName(QLatin1StringView(row.name));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, index] {
            Usr.TransIndex = index;
            Q_EMIT transferModeChanged(index);
        });
        ++index;
    }
    connect(menu, &QMenu::aboutToShow, this, &MainMenus::refreshTransferModes);
}

void MainMenus::refreshTransferModes()
{
    const QList<QAction *> actions = m_transferMenu->actions();
    for (int i = 0; i < int(std::size(kTransferModes)); ++i)
        actions.at(i)->setChecked(Usr.TransIndex == i + 1);
}

void MainMenus::openDocument()
{
    m_documents->openDocument();
}

void MainMenus::saveDocument()
{
    m_documents->saveDocument();
}

void MainMenus::saveDocumentAs()
{
    m_documents->saveDocumentAs();
}

void MainMenus::closeDocument()
{
    m_documents->closeDocument([this] { m_areas->clearAreas(); });
}

void MainMenus::requestExit()
{
    Q_EMIT exitRequested();
}

void MainMenus::undo()
{
    if (FocusedField field; field.exists())
        field.undo();
}

void MainMenus::cut()
{
    if (FocusedField field; field.exists())
        field.cut();
}

void MainMenus::copy()
{
    if (FocusedField field; field.exists())
        field.copy();
}

void MainMenus::paste()
{
    if (FocusedField field; field.exists())
        field.paste();
}

void MainMenus::deleteSelection()
{
    if (FocusedField field; field.exists())
        field.deleteSelection();
}

void MainMenus::selectAll()
{
    if (FocusedField field; field.exists())
        field.selectAll();
}

void MainMenus::applyScrollBars()
{
    m_areas->applyScrollBars();
}

// The chart is built when switched on and destroyed when switched off.
void MainMenus::applyChart()
{
    if (!Usr.AlphabetFlg) {
        m_body->removeChart();
        return;
    }
    m_body->MakeCompo();
    m_body->pageControl()->setCurrentIndex(1);
}

void MainMenus::showDecimalCodes()
{
    m_areas->showCodes(false);
}

void MainMenus::showHexadecimalCodes()
{
    m_areas->showCodes(true);
}

void MainMenus::showCharacterCount()
{
    m_areas->showCharacterCount();
}

void MainMenus::removeAccents()
{
    m_areas->RemoveAc();
}

// The help document opens in the system's viewer; from then on the transfer passes over the
// viewer's window, which would otherwise become the target. Whether a program could show it is
// known only later; the menu does not wait for it.
void MainMenus::openHelp()
{
    const QString path = QDir(Dirs.HelpFolder).filePath(HelpFileName());
    if (!QFileInfo(path).isFile()) {
        ShowWarning(QStringLiteral("ヘルプ「%1」が見つかりません。\n"
                                   "Kalvo をインストールし直してください。")
                        .arg(QDir::toNativeSeparators(path)),
                    m_body->window());
        return;
    }
    Sys.HelpOpenFlg = true;
    m_helpViewer->open(path);
}

void MainMenus::sayHelpCannotBeShown(const QString &path)
{
    ShowWarning(QStringLiteral("PDF を表示できるプログラムが見つかりません。"
                               "PDF ビューアーをインストールしてください。\n"
                               "ヘルプのファイル: %1")
                    .arg(QDir::toNativeSeparators(path)),
                m_body->window());
}

void MainMenus::requestOptions()
{
    Q_EMIT optionsRequested();
}

void MainMenus::requestFontSizeDialog()
{
    Q_EMIT fontSizeDialogRequested();
}

void MainMenus::requestKeyboardDialog()
{
    Q_EMIT keyboardDialogRequested();
}

void MainMenus::requestVersion()
{
    Q_EMIT versionRequested();
}

void MainMenus::requestProgress()
{
    Q_EMIT progressRequested();
}

void MainMenus::requestHistoryExport()
{
    Q_EMIT historyExportRequested();
}

bool MainMenus::canSave() const
{
    return m_documents->canSave();
}

bool MainMenus::canUndo() const
{
    return FocusedField().canUndo();
}

bool MainMenus::hasSelection() const
{
    return FocusedField().hasSelection();
}

bool MainMenus::canPaste() const
{
    return FocusedField().exists() && !QApplication::clipboard()->text().isEmpty();
}

bool MainMenus::hasText() const
{
    return FocusedField().hasText();
}
