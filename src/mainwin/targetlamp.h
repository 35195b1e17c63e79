#pragma once

#include <QWidget>

// The transfer panel's target lamp: a circle, white while no transfer target is held and red
// while one is.
class TargetLamp : public QWidget {
    Q_OBJECT

public:
    explicit TargetLamp(QWidget *parent = nullptr);

    void setOn(bool on);
    bool isOn() const { return m_on; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_on = false;
};
