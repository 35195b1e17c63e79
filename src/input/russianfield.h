#pragma once

#include "layoutengine.h"

#include <QObject>

class QKeyEvent;
class QWidget;

// Makes a text field type the active Russian layout itself. While a Russian layout is active
// (LoadGaIme), each key press is mapped by its physical key and the layout's character reaches
// the field as a key press of its own, so the field's own key rules (the accent keys) see
// Russian characters. With the Japanese layout active the field is left alone and the system
// input method serves it. Owned by the field.
class RussianField : public QObject {
    Q_OBJECT

public:
    static RussianField *install(QWidget *field);
    ~RussianField() override;

    // Types the pending dead key letter now (the field lost the focus or the layout changed).
    void flushPending();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit RussianField(QWidget *field);
    bool handleKeyPress(QKeyEvent *event);
    void deliver(const QString &text);

    QWidget *m_field;
    LayoutEngine m_engine;
    int m_listener = 0;
    bool m_delivering = false;
};
