#pragma once

#include <QFrame>
#include <QTimer>

class QPushButton;

// The curtain over the question area while no game runs: the four rules of the quiz and
// START. START slides it open from the top down, 20 pixels every 20 ms, its lower edge
// staying put.
class Curtain : public QFrame {
    Q_OBJECT

public:
    explicit Curtain(QWidget *area);

    // Covers the question area and stops a running opening.
    void cover();
    void startOpening();
    bool isOpening() const { return m_timer.isActive(); }
    // One step of the opening.
    void OpenTimerTimer();
    QPushButton *startButton() const { return m_start; }
    // START keeps the left of "加筆する", given in the question area's coordinates.
    void setStartLeft(int left);

Q_SIGNALS:
    void opened();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *m_area;
    QPushButton *m_start;
    QTimer m_timer;
    // The curtain's height as the opening counts it; it falls below zero at the last step.
    int m_height = 0;
    // Closed: the curtain follows the question area's size.
    bool m_closed = false;
};
