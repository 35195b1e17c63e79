#pragma once

#include <QWidget>
#include <array>

class QLineEdit;
class TKeyButton;

// The IPA pad: a row of ten candidate buttons that shows the process-wide candidate slots
// (Sys.arrIPA, Sys.SeleIndex), a keyboard of 35 keys in the three letter rows of a JIS
// keyboard whose clicks open a key's candidates, and an information line naming the selected
// symbol. The pad keeps no state of its own; its host inserts the picked candidates.
class TIPAPad : public QWidget {
    Q_OBJECT

public:
    static constexpr int CandCount = 10;
    static constexpr int KeyCount = 35;

    explicit TIPAPad(QWidget *parent = nullptr);

    // Places and resets every control for the current size; runs on every resize, and the
    // dialogs call it when they are shown. Empties the candidate row and the information
    // line on screen, not the slots.
    void AdjustPosSize();

    // Redraws the candidate row and the information line from the slots and the selection.
    void DispArrIPA();

    // Shows the candidates of the clicked key; candidate mode is left as it is.
    void KeyButton1Click(TKeyButton *sender);

    // Slot 1 to 10, key 1 to 35.
    TKeyButton *candButton(int slot) const { return m_candBtns[slot - 1]; }
    TKeyButton *keyButton(int index) const { return m_keyBtns[index - 1]; }

Q_SIGNALS:
    // A filled candidate button was clicked. Sys.SeleIndex already names its slot; the host
    // inserts `symbol` at the caret of its IPA field (OutputIPAString), and the pad redraws
    // itself afterwards. The slots stay filled, so the next candidate can follow at once.
    void candidateClicked(const QString &symbol);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();
    void layoutCandButtons(int width, int height);
    void layoutKeyButtons(int width, int height, int firstRowTop);
    void layoutInfoEdit(int width, int height);
    void showSlot(int slot);
    void CandBtnClick(int slot);

    QWidget *m_panel = nullptr;
    std::array<TKeyButton *, CandCount> m_candBtns{};
    std::array<TKeyButton *, KeyCount> m_keyBtns{};
    QLineEdit *m_infoEdit = nullptr;
};
