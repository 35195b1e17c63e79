#pragma once

#include <QDialog>

class QPlainTextEdit;

// The remarks window "備考": the remarks of the judged entry, beside the practice window and
// above it, without blocking it. Closing it destroys it.
class TBikoFrm : public QDialog {
    Q_OBJECT

public:
    explicit TBikoFrm(QWidget *practiceWindow);

    void setRemarks(const QString &text);
    QString remarks() const;

private:
    void placeOn(const QWidget *practiceWindow);

    QPlainTextEdit *m_text;
};
