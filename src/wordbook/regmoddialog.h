#pragma once

#include "wordentry.h"

#include <QDialog>

#include <optional>

class QHBoxLayout;
class QPushButton;
class QTabWidget;
class TFrame6;
class TIPAPad;
class TRusPad;
class WordBookCommands;

// What the register and the modify dialog share: the entry editor at the top, below it a page
// control with its tabs on the left holding the Russian pad ("ロシア語") and the IPA pad
// ("発音記号"), and a bottom bar for the dialog's buttons. F8 presses the dialog's main
// button. Both dialogs reappear where either was last closed (RegModLeft, RegModTop,
// RegModWidth, RegModHeight), centred on the main window the first time; closing them in any
// way activates the Russian layout.
class RegModDialog : public QDialog {
    Q_OBJECT

public:
    RegModDialog(WordBookCommands *commands, const QString &caption);

    TFrame6 *frame() const { return m_frame; }
    TRusPad *rusPad() const { return m_rusPad; }
    TIPAPad *ipaPad() const { return m_ipaPad; }
    QTabWidget *padPages() const { return m_padPages; }

    void done(int result) override;

protected:
    // The bar below the pads; the dialogs add their buttons.
    QHBoxLayout *bottomBar() const { return m_bottomBar; }
    // F8 and the dialog's main button run this.
    void setMainButton(QPushButton *button);
    // The typed entry, or none after the warning that the Russian or the Japanese is missing.
    std::optional<WordEntry> validatedEntry();

    WordBookCommands *commands() const { return m_commands; }

    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildPadPages();
    void placeWindow();
    void storeGeometry();

    WordBookCommands *m_commands;
    TFrame6 *m_frame = nullptr;
    TRusPad *m_rusPad = nullptr;
    TIPAPad *m_ipaPad = nullptr;
    QTabWidget *m_padPages = nullptr;
    QHBoxLayout *m_bottomBar = nullptr;
    bool m_placed = false;
};
