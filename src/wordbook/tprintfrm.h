#pragma once

#include "bookprinting.h"

#include <QDialog>

class QComboBox;
class QRadioButton;

// "単語帳の印刷": to a PDF file or to a printer, and which column to leave empty.
class TPrintFrm : public QDialog {
    Q_OBJECT

public:
    explicit TPrintFrm(QWidget *mainWindow);

    bool toPdf() const;
    BlankColumn blankColumn() const;

    QComboBox *blankBox() const { return m_blank; }

private:
    QRadioButton *m_pdf = nullptr;
    QComboBox *m_blank = nullptr;
};
