#pragma once

#include <QDialog>
#include <QPoint>
#include <array>

class QLabel;
class QSlider;
class QTabWidget;

// "文字サイズ調整": four sliders for the font sizes of the word list (Russian, IPA, Japanese)
// and of the character chart. Every move takes effect at once and is kept; there is no cancel.
// A tool window above the main window, not modal; closing it destroys it.
class TFSizeFrm : public QDialog {
    Q_OBJECT

public:
    static constexpr QSize kSize{460, 360};

    // `chartPageFirst` opens on the chart's page; `topLeft` is the inner window's corner.
    TFSizeFrm(QWidget *mainWindow, bool chartPageFirst, QPoint topLeft);

public Q_SLOTS:
    // Hides the note asking for a word book (a book was opened while the dialog is open).
    void hideBookNote();

Q_SIGNALS:
    // A word list size changed; the list must be drawn again.
    void wordListChanged();
    // The chart size changed; the chart must be drawn again.
    void chartChanged();

private:
    static constexpr int kGroupCount = 4;

    QTabWidget *buildPages();
    QWidget *buildGroup(int group);
    QWidget *buildBottomBar();
    // Takes the slider's value into the group's setting and asks for a redraw.
    void applySize(int group, int value);
    // "初期化": the group's default, applied even when the slider already stands there.
    void resetSize(int group);
    void showValue(int group, int value);

    std::array<QSlider *, kGroupCount> m_sliders{};
    std::array<QLabel *, kGroupCount> m_values{};
    QLabel *m_bookNote = nullptr;
};
