#pragma once

#include <QObject>

// Centres every dialog that opens over a window, and that the program does not place itself,
// frame on frame. Qt's own placement guesses the title bar and leaves a dialog whose frame is
// not yet known too high by its title bar.
class DialogCentring : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override;
};
