#pragma once

#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QTabWidget;
class TKeyButton;

// The on-screen Russian keyboard: a page without Shift ("Lower") and one with Shift ("Upper")
// that show what each key of the JIS keyboard types in the layout of Usr.RusImeIndex, and the
// "AC" check box that switches the stress-accent keys on and off (Usr.AccentFlg). A clicked
// key is reported as keyText; the host decides where the text goes.
class TRusPad : public QWidget {
    Q_OBJECT

public:
    static constexpr int KeysPerPage = 52;

    explicit TRusPad(QWidget *parent = nullptr);

    // Lays both pages out for the current layout and the size of the page area; runs on every
    // resize of the pages. Hosts call it after the user picked another layout.
    void AdjustPosSize();
    // The same for a page area of `pageSize`.
    void AdjustPosSize(QSize pageSize);

    // The accent check box shows Usr.AccentFlg; hosts other than the main window disable it.
    void syncAccentCheck();
    void setAccentCheckEnabled(bool enabled);

    // Shift follows the keyboard: called from a Russian field's key-down (shiftDown true) and
    // key-up (false) of the Shift key. The pages follow only while Caps Lock is off and the
    // alphanumeric mode (Sys.ImeNumFlg) is off.
    void followShift(bool shiftDown, bool capsLockOn);
    void showLowerPage();

Q_SIGNALS:
    // The text a clicked key types: its caption, or a combining accent for the slash and
    // backslash keys while Usr.AccentFlg is on.
    void keyText(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum Page { Lower = 0, Upper = 1 };

    QWidget *buildPage(Page page, const QString &name);
    void buildAccentControls(QWidget *lowerPage);
    void layoutPage(Page page, QSize pageSize);
    void placeAccentControls(int x0, int y0, int kh);
    void KeyButton1Click(TKeyButton *key);
    void KeyButton53Click(TKeyButton *key);
    void sendCaption(const QString &caption);
    void CheckBox1Click(bool checked);

    QTabWidget *m_tabs = nullptr;
    std::array<QWidget *, 2> m_pages{};
    std::array<std::array<TKeyButton *, KeysPerPage>, 2> m_keys{};
    QCheckBox *m_accentCheck = nullptr;
    QLabel *m_accentLabel = nullptr;
};
