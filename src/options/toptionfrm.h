#pragma once

#include <QDialog>

#include <functional>

class QComboBox;
class QTabWidget;

// "オプション設定": the Japanese and IPA fonts and the IPA size, the reset of every setting,
// the refresh of Class0's sample word books, and the small or the standard arrangement. The
// font page applies at once; the reset and the arrangements take effect at the next start,
// so their buttons end the program.
class TOptionFrm : public QDialog {
    Q_OBJECT

public:
    explicit TOptionFrm(QWidget *mainWindow);

    // A button asked to end the program; the main window closes once the dialog has.
    bool endRequested() const { return m_endRequested; }

    // Asked before the samples are copied: whether the open book may be closed.
    void setBookRelease(std::function<bool()> release) { m_releaseBook = std::move(release); }

Q_SIGNALS:
    // The fonts or the IPA size changed; the word list's fitted sizes are reset.
    void fontsApplied();
    // Class0's sample books were copied again; the shelf should be listed anew.
    void samplesRefreshed();

private:
    QWidget *buildFontPage();
    QWidget *buildSystemPage();
    QWidget *buildScreenPage();
    QComboBox *fontBox(const QString &current, const char *name);
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    bool releaseBook();
    void endProgram();

    QWidget *m_mainWindow;
    QTabWidget *m_pages = nullptr;
    QComboBox *m_jpFont = nullptr;
    QComboBox *m_ipaFont = nullptr;
    QComboBox *m_ipaSize = nullptr;
    bool m_endRequested = false;
    std::function<bool()> m_releaseBook;
};
