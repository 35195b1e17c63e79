#pragma once

#include <QObject>
#include <span>

class CompositionAreas;
class DocumentViewer;
class MainActions;
class MainBody;
class QMenu;
class QMenuBar;
class TextDocuments;

// The main window's menu bar. Items are tables walked by one builder; every menu refreshes its
// check marks and enabling when it opens. Commands owned by other windows leave as signals.
class MainMenus : public QObject {
    Q_OBJECT

public:
    MainMenus(QMenuBar *bar, MainActions *actions, CompositionAreas *areas,
              TextDocuments *documents, MainBody *body);

Q_SIGNALS:
    void exitRequested();
    void transferModeChanged(int transIndex);
    void optionsRequested();
    void fontSizeDialogRequested();
    void keyboardDialogRequested();
    void versionRequested();
    void progressRequested();
    void historyExportRequested();

private:
    struct ItemRow;
    struct MenuRow;

    static std::span<const MenuRow> menuTable();

    void buildMenu(QMenuBar *bar, const MenuRow &row);
    void addItem(QMenu *menu, const ItemRow &row);
    void addTransferModes(QMenu *menu);
    void refreshTransferModes();

    // Commands.
    void openDocument();
    void saveDocument();
    void saveDocumentAs();
    void closeDocument();
    void requestExit();
    void undo();
    void cut();
    void copy();
    void paste();
    void deleteSelection();
    void selectAll();
    void applyScrollBars();
    void applyChart();
    void showDecimalCodes();
    void showHexadecimalCodes();
    void showCharacterCount();
    void removeAccents();
    void openHelp();
    void sayHelpCannotBeShown(const QString &path);
    void requestOptions();
    void requestFontSizeDialog();
    void requestKeyboardDialog();
    void requestVersion();
    void requestProgress();
    void requestHistoryExport();

    // Enabling rules, checked when a menu opens.
    bool canSave() const;
    bool canUndo() const;
    bool hasSelection() const;
    bool canPaste() const;
    bool hasText() const;

    MainActions *m_actions;
    CompositionAreas *m_areas;
    TextDocuments *m_documents;
    MainBody *m_body;
    DocumentViewer *m_helpViewer;
    QMenu *m_transferMenu = nullptr;
};
