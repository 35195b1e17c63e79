#pragma once

#include <QMainWindow>

#include <memory>

class MainActions;
class MainBody;
class MainMenus;
class MainToolBar;
class QLabel;
class ReviewHistory;
class TextDocuments;
class TransferController;
class EntryEditing;
class WordBookCommands;

// The main window: the hub that owns the composition areas, the pads, the transfer, the word
// book page and the menus. Its creation reads the settings and installs the shipped data; its
// close writes the settings back.
class TMainFrm : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainFrm(QWidget *parent = nullptr);
    ~TMainFrm() override;

    // The shutdown step of every exit path: window geometry into the settings, the settings
    // file written while RngSaveFlg holds, the Japanese layout active again. Runs once.
    void MainClose();

    // A second start's request: this window, or the modal window over it, comes forward.
    void bringForward();

    // Status bar panels.
    void SetStatusText(int panel, const QString &text);
    void ShowF3Hint();

    MainBody *body() const { return m_body; }

    // The first showing runs FormShow; the window is placed before it is mapped, so the
    // window manager puts the frame where the settings say.
    void setVisible(bool visible) override;

protected:
    // The window previews every key before the focused control (the function keys).
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // The window manager's frame, where it could not be asked before mapping, is learnt from
    // the first move Qt reports once the window is framed.
    void moveEvent(QMoveEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void placeWindow();
    void fitInsideFrame(const QMargins &frame);
    void readSettings();
    void installNewVersion();
    void DefineCompo();
    void SubFunction();
    void MakeCompo();
    void AdjustSmallPC();
    void SetInit();
    void buildMenus();
    void buildStatusBar();
    void connectActions();
    void connectToolBar();
    void connectTransfer();
    void connectWordBookPage();
    void startPractice();
    void showPractice();
    ReviewHistory *reviewHistory();
    void showProgress();
    void exportHistory();
    void showFontSizeDialog();
    void showOptions();
    void showKeyboardDialog();
    void showVersion();
    void redrawWordList();
    void keepOnScreen(QWidget *window);
    void ComboBox1Change();
    void ComboBox2Change();
    void focusRussianArea();
    void CheckBox3Click(bool checked);
    bool FormKeyDown(int key);
    void ValuesSet();
    void writeSettings();

    MainBody *m_body = nullptr;
    MainActions *m_actions = nullptr;
    MainMenus *m_menus = nullptr;
    MainToolBar *m_toolBar = nullptr;
    TransferController *m_transfer = nullptr;
    TextDocuments *m_documents = nullptr;
    WordBookCommands *m_wordBooks = nullptr;
    EntryEditing *m_editing = nullptr;
    // Opened the first time it is needed, held to the end so that no second program writes it.
    std::unique_ptr<ReviewHistory> m_history;
    QLabel *m_statusPanel1 = nullptr;
    QLabel *m_statusPanel2 = nullptr;
    // The place of the whole window, frame included; the frame is known once the window
    // manager has said how wide it is.
    QRect m_placed;
    bool m_frameKnown = false;
    bool m_shown = false;
    bool m_closed = false;
};
