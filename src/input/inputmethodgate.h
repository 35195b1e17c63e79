#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Keeps the system input method (fcitx5, IBus, a Wayland text input) away from a field while
// the field types its own layout. Input method modules ask the focused field whether it takes
// input method text (Qt::ImEnabled) before they look at its keys; text fields answer true
// whatever Qt::WA_InputMethodEnabled says, so the gate answers the question itself. While the
// field types itself the framework never sees its keys, not even its own hot keys (半角/全角).
// Several gates may guard one field: the input method is off while any of them says so.
// Owned by the field.
class InputMethodGate : public QObject {
    Q_OBJECT

public:
    // `typesItself` tells whether the field types its own layout right now; it is asked at
    // every query, and the gate re-asks the input method after each layout change and focus-in.
    static InputMethodGate *install(QWidget *field, std::function<bool()> typesItself);

    // Tells the input method to ask again; call after what `typesItself` depends on changed.
    void refresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    InputMethodGate(QWidget *field, std::function<bool()> typesItself);
    ~InputMethodGate() override;
    bool answerQuery(QEvent *event);

    QWidget *m_field;
    std::function<bool()> m_typesItself;
    int m_listener = 0;
    // The answer the input method was last given, so a change is announced once.
    bool m_closed = false;
};
