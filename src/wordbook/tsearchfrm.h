#pragma once

#include <QDialog>

class InputMethodGate;
class IpaCandidateFilter;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class ReportModel;
class ReportView;
class TIPAPad;
class TRusPad;

// The word book search window: finds the entries of every book of one book folder of one
// class by one field, and hands a hit to its owner, either to be typed into the Russian area
// (inputRequested, after which the window closes) or to be opened in the modify dialog
// (editRequested; the owner closes the window when that dialog is done). Reads the books
// only; its class, folder and field are the settings SClassRoom, SFIndex and SColumn.
class TSearchFrm : public QDialog {
    Q_OBJECT

public:
    explicit TSearchFrm(QWidget *mainWindow);

    // Searches with the field's text as typed and shows the result page.
    void SearchMain2();
    // Pad insertion into the search field.
    void OutputString(const QString &text);
    void OutputIPAString(const QString &text);

Q_SIGNALS:
    void inputRequested(const QString &russian);
    void editRequested(int classRoom, int bookFolder, const QString &title, int index);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLayout *buildTopBar();
    QWidget *buildPages();
    QLayout *buildBottomBar();
    QPushButton *addButton(QLayout *bar, const QString &text, void (TSearchFrm::*action)());
    void installKeyRules();
    void placeOnMainWindow(QWidget *mainWindow);
    void applyMode(int mode);
    void attachKeyRules(int mode);
    void folderClicked(int folder);
    QString searchFolder() const;
    void fitColumns();
    int selectedHit() const;
    void updateResultButtons();
    void clearField();
    void SpeedButton1Click();
    void SpeedButton2Click();

    QComboBox *m_fieldBox = nullptr;
    QLineEdit *m_field = nullptr;
    QComboBox *m_classBox = nullptr;
    QButtonGroup *m_folders = nullptr;
    QTabWidget *m_pages = nullptr;
    ReportModel *m_model = nullptr;
    ReportView *m_list = nullptr;
    TRusPad *m_rusPad = nullptr;
    TIPAPad *m_ipaPad = nullptr;
    QPushButton *m_inputButton = nullptr;
    QPushButton *m_editButton = nullptr;
    QObject *m_accentKeys = nullptr;
    QObject *m_russianField = nullptr;
    QObject *m_ipaFilter = nullptr;
    InputMethodGate *m_ipaGate = nullptr;
    bool m_shown = false;
};
