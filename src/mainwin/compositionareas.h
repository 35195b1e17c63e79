#pragma once

#include "transfer/transferareas.h"

#include <QObject>

class AccentKeys;
class InputMethodGate;
class QKeyEvent;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QWidget;
class RussianField;
class TIPAPad;
class TRusPad;

// The main window's two composition areas: the Russian area (Memo1) with the layout engine and
// the accent keys, and the IPA line (Edit1) with the candidate rules. The area entered last is
// the active one (TransMainFlg); it decides the pad page and the keyboard layout.
class CompositionAreas : public QObject, public TransferAreas {
    Q_OBJECT

public:
    explicit CompositionAreas(QWidget *parent);

    QPlainTextEdit *russianArea() const override { return m_memo; }
    QLineEdit *ipaLine() const override { return m_edit; }

    // The pads and the pad page control whose pages (0 Russian, 1 IPA) follow the active area.
    void attachPads(TRusPad *rusPad, TIPAPad *ipaPad, QTabWidget *padPages);

    // Replace the area's selection by `s`, focus the area and put the caret after `s`.
    void OutputString(const QString &s);
    void OutputIPAString(const QString &s);

    // A word list entry taken into the areas: the IPA line gets `ipaText` with its caret at
    // the start; a non-empty `russian` replaces the Russian area's whole text (ResetInputFlg,
    // caret at the end) or its selection, and the Russian area takes the focus.
    void takeEntry(const QString &russian, const QString &ipaText);
    // Fonts of both areas from the settings (the IPA line's by kana mode).
    void applyFonts();
    // Kana mode of the IPA line: its font and KanaFlg; the line is emptied either way.
    void setKanaMode(bool on);
    // F3: alphanumeric mode on or off, with the area's background and the layout.
    void ImePauseExecute();
    // Empties the IPA line, then the Russian area.
    void completePendingInput() override;
    void clearAreas() override;
    // Both scroll bars of the Russian area, or none.
    void applyScrollBars();
    // The commands on the composed text, with their message boxes.
    void RemoveAc();
    void showCharacterCount();
    void showCodes(bool hexadecimal);

Q_SIGNALS:
    // The active area changed (true: the Russian area), for the transfer's object label.
    void activeAreaChanged(bool russianArea);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

public:
    // The Russian area becomes the active area: the Russian pad page, the Russian layout, the
    // transfer's object; the focus is not moved.
    void Memo1Enter();

private:
    void Edit1Enter();
    void showImeNumResponse();
    bool moveFocusOnTab(const QKeyEvent *key);
    QString activeText() const;

    QPlainTextEdit *m_memo;
    QLineEdit *m_edit;
    AccentKeys *m_accentKeys = nullptr;
    RussianField *m_russianField = nullptr;
    InputMethodGate *m_ipaGate = nullptr;
    TIPAPad *m_ipaPad = nullptr;
    QTabWidget *m_padPages = nullptr;
};
