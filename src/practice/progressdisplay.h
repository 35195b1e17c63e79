#pragma once

#include "reactions.h"

#include <QWidget>

// The progress of the current game: a black frame with the track, the fill for the questions
// shown of ten, and the yellow scale labels "0", the number shown and "10" over the bar.
class ProgressDisplay : public QWidget {
    Q_OBJECT

public:
    explicit ProgressDisplay(QWidget *parent = nullptr);

    // n questions shown; green bars for a book of at least ten entries, else blue.
    void DrawProgress(int shown, bool enough);
    // The middle label's text, empty while it is hidden (at 0 and 10).
    QString middleLabel() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void drawLabel(QPainter &painter, const QString &text, int centreX);

    int m_shown = 0;
    bool m_enough = true;
    ProgressBars m_bars;
};
