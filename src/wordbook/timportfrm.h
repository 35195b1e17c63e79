#pragma once

#include "tableimport.h"
#include "wordbookfile.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;

// "単語帳のインポート": the first rows of a table, a choice per column of the entry field it
// fills (or "使わない"), whether the first row is a header, and the new book's title, group and
// question type. The count of entries and of rows left out follows every choice. Columns past
// kMostTableColumns and undecodable characters are named above the preview.
class TImportFrm : public QDialog {
    Q_OBJECT

public:
    // Only the preview's rows are read from `table` until the user confirms.
    TImportFrm(const TableText &table, const QString &title, QWidget *mainWindow);

    // The book as chosen; its entries are every row's, read on confirming, up to
    // kMostTableRows.
    WordBook book() const;
    int leftOut() const { return m_imported.leftOut; }
    // Rows past kMostTableRows were left out.
    bool rowsCut() const { return m_rowsCut; }

    QComboBox *columnBox(int column) const { return m_columnBoxes.at(column); }
    QCheckBox *headerCheck() const { return m_header; }

private:
    QWidget *buildColumnChoices();
    QWidget *buildPreview();
    QLayout *buildHeaderFields(const QString &title);
    QString leftOutNotice(int replaced) const;
    void fillColumnBoxes();
    void columnChosen(int column);
    void typeChosen();
    void refresh();
    ColumnMap columns() const;
    QuestionType type() const;
    void commit();

    QString m_text;
    QChar m_separator;
    Table m_shown;
    int m_columnCount = 0;
    QList<QComboBox *> m_columnBoxes;
    QStandardItemModel *m_preview = nullptr;
    QCheckBox *m_header = nullptr;
    QLineEdit *m_title = nullptr;
    QLineEdit *m_group = nullptr;
    QComboBox *m_type = nullptr;
    QLabel *m_summary = nullptr;
    QPushButton *m_commit = nullptr;
    ImportedEntries m_imported;
    bool m_rowsCut = false;
};
