#pragma once

#include "regmoddialog.h"

class QComboBox;

// "単語登録": a new entry appended to the open book ("追加 (F8)") or inserted above the entry
// picked in the position selector ("挿入"). It starts with the main window's composed texts:
// the Russian area's text (its line breaks as "#$0D") and, for a vocabulary book, the IPA line.
class TRegFrm : public RegModDialog {
    Q_OBJECT

public:
    TRegFrm(WordBookCommands *commands, const QString &russianArea, const QString &ipaLine);

    void RegisterWord();
    void Button3Click();

Q_SIGNALS:
    // An entry was put into the word list (and written, or the failure was reported).
    void registered();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildBottomBar();
    void fillPositions();
    void takeComposedTexts(const QString &russianArea, const QString &ipaLine);
    void focusFirstEmptyField(bool ipaLineTaken);
    void finishRegistration();

    QComboBox *m_positions = nullptr;
    QPushButton *m_insert = nullptr;
    bool m_ipaLineTaken = false;
};
