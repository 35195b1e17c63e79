#include "inputmethodgate.h"

#include "imeswitch.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodQueryEvent>
#include <QWidget>

InputMethodGate *InputMethodGate::install(QWidget *field, std::function<bool()> typesItself)
{
    return new InputMethodGate(field, std::move(typesItself));
}

InputMethodGate::InputMethodGate(QWidget *field, std::function<bool()> typesItself)
    : QObject(field)
    , m_field(field)
    , m_typesItself(std::move(typesItself))
    , m_closed(m_typesItself())
{
    field->installEventFilter(this);
    m_listener = AddLayoutListener([this] { refresh(); });
}

InputMethodGate::~InputMethodGate()
{
    RemoveLayoutListener(m_listener);
}

// A composition under way (Japanese typed before the switch) is committed first, so nothing
// typed is lost when the input method lets go of the field.
void InputMethodGate::refresh()
{
    const bool closed = m_typesItself();
    if (closed == m_closed)
        return;
    m_closed = closed;
    if (!m_field->hasFocus())
        return;
    QInputMethod *inputMethod = QGuiApplication::inputMethod();
    if (closed)
        inputMethod->commit();
    inputMethod->update(Qt::ImEnabled);
}

bool InputMethodGate::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_field)
        return false;
    if (event->type() == QEvent::FocusIn)
        refresh();
    else if (event->type() == QEvent::InputMethodQuery)
        return answerQuery(event);
    return false;
}

// The field answers every query as usual; only its answer to Qt::ImEnabled is overruled.
bool InputMethodGate::answerQuery(QEvent *event)
{
    auto *query = static_cast<QInputMethodQueryEvent *>(event);
    if (!(query->queries() & Qt::ImEnabled) || !m_typesItself())
        return false;
    static_cast<QObject *>(m_field)->event(query);
    query->setValue(Qt::ImEnabled, false);
    return true;
}
