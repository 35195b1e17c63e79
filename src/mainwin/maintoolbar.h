#pragma once

#include <QWidget>

class MainActions;
class QAbstractButton;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QToolButton;
class TargetLamp;

// The main window's tool bar (ToolBar1): four groups of fixed geometry. The command group
// (CommandGroup: SpeedButton1 to SpeedButton7), the transfer panel (TransferPanel: the target
// lamp Shape1, the automatic paste check box CheckBox1, the transfer button SpeedButton8, the
// object label Label1 and the mode box Label2), the font group (FontGroup: the narrowing check
// box CheckBox2, the font box ComboBox1 and the size box ComboBox2) and the exit group
// (ExitGroup: the label Label3, the check box CheckBox3 and the exit button SpeedButton9).
//
// The buttons take no focus and the check boxes take it only by Tab, so a click leaves the
// focus in the composition area. The signals
// of buttons and check boxes follow the user's clicks only; setting a state in code emits
// nothing, so the owner runs its own routine after applySettings().
class MainToolBar : public QWidget {
    Q_OBJECT

public:
    explicit MainToolBar(QWidget *parent = nullptr);

    // The button triggers the action and is enabled exactly while the action is; the button
    // keeps its own two-line caption.
    static void bindAction(QAbstractButton *button, QAction *action);
    // 登録, 編集, 検索 and 転送 to RegWord, ModWord, SearchWord and Transfer.
    void bindActions(const MainActions &actions);

    // First display: the check boxes and the kana button from the settings, the font list
    // narrowed as NarrowFontsFlg says, the mode box from TransIndex.
    void applySettings();
    // The compact arrangement for small screens.
    void AdjustSmallPC();
    // The font box and the size box show UsrMainFont and MainFontSize (after a change made
    // elsewhere, for example in the font size dialog).
    void showMainFont();

    // Transfer panel: the target lamp, the object label (DispTransObject) and the mode box
    // (DispTransMode; an index outside 1 to 4 leaves the box as it is).
    void setLampOn(bool on);
    void setObjectLabel(bool russian);
    void setTransferMode(int index);

    QToolButton *kanaButton() const { return m_kanaButton; }
    QToolButton *transferButton() const { return m_transferButton; }
    QCheckBox *autoPasteCheck() const { return m_autoPasteCheck; }
    QCheckBox *narrowFontsCheck() const { return m_narrowCheck; }
    QCheckBox *underStretchCheck() const { return m_underStretchCheck; }
    QComboBox *fontBox() const { return m_fontBox; }
    QComboBox *sizeBox() const { return m_sizeBox; }
    TargetLamp *lamp() const { return m_lamp; }
    QLabel *objectLabel() const { return m_objectLabel; }
    QLabel *modeBox() const { return m_modeBox; }

    QSize sizeHint() const override;

Q_SIGNALS:
    void practiceClicked();
    void clearClicked();
    void kanaToggled(bool down);
    void removeAccentsClicked();
    void exitClicked();
    void underStretchToggled(bool checked);
    void autoPasteToggled(bool checked);
    // A committed font name that differs from UsrMainFont; UsrMainFont already holds it.
    void fontChanged(const QString &family);
    // After every commit of the font box, changed or not: the Russian area takes the focus.
    void fontBoxCommitted();
    // After every commit of the size box; MainFontSize already holds the size (unchanged
    // when the text was not a size).
    void fontSizeChanged(int size);

protected:
    // Enter in the font box or the size box commits its text.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildCommandGroup();
    void buildTransferPanel();
    void buildFontGroup();
    void buildExitGroup();
    QWidget *group(const char *name, const QRect &geometry);
    QToolButton *button(QWidget *group, const char *name, const QString &caption, int x);
    QCheckBox *plainCheck(QWidget *group, const char *name, QPoint pos);
    QComboBox *fontGroupBox(QWidget *group, const char *name);
    void arrange(bool compact);
    QComboBox *committingBox(QObject *watched) const;
    void CheckBox2Click();
    void ComboBox1Change(const QString &text);
    void ComboBox2Change(const QString &text);

    QToolButton *m_kanaButton = nullptr;
    QToolButton *m_transferButton = nullptr;
    QCheckBox *m_autoPasteCheck = nullptr;
    QCheckBox *m_narrowCheck = nullptr;
    QCheckBox *m_underStretchCheck = nullptr;
    QComboBox *m_fontBox = nullptr;
    QComboBox *m_sizeBox = nullptr;
    TargetLamp *m_lamp = nullptr;
    QLabel *m_objectLabel = nullptr;
    QLabel *m_modeBox = nullptr;
};
