#pragma once

#include <QDialog>

#include <array>

class QRadioButton;

// "ロシア語キーボードの変更": picks which of the three Russian layouts the program types and
// the Russian pad shows (RusImeIndex 1 standard, 2 typewriter, 3 mnemonic).
class TKeyboardFrm : public QDialog {
    Q_OBJECT

public:
    explicit TKeyboardFrm(QWidget *mainWindow);

    // The layout of the picked item, 1 to 3.
    int chosenLayout() const;

private:
    std::array<QRadioButton *, 3> m_items{};
};
