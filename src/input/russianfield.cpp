#include "russianfield.h"

#include "imeswitch.h"
#include "inputmethodgate.h"
#include "platform/platformservices.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

RussianField *RussianField::install(QWidget *field)
{
    return new RussianField(field);
}

RussianField::RussianField(QWidget *field)
    : QObject(field)
    , m_field(field)
{
    field->installEventFilter(this);
    // The system input method would compose Japanese from the same keys.
    InputMethodGate::install(field, [] { return ActiveRussianLayout() != 0; });
    m_listener = AddLayoutListener([this] { flushPending(); });
}

RussianField::~RussianField()
{
    RemoveLayoutListener(m_listener);
}

bool RussianField::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_field || m_delivering)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return handleKeyPress(static_cast<QKeyEvent *>(event));
    case QEvent::FocusOut:
        flushPending();
        break;
    default:
        break;
    }
    return false;
}

bool RussianField::handleKeyPress(QKeyEvent *event)
{
    m_engine.setLayout(ActiveRussianLayout());
    if (m_engine.layout() == 0 && !m_engine.hasPending())
        return false;
    const LayoutEngine::Result result = m_engine.keyPress(LayoutEngine::keyOf(
        event->nativeScanCode(), event->key(), event->modifiers(), GetKeyLock(20, event)));
    deliver(result.text);
    return result.consumed;
}

// Each character arrives as a key press of its own, as if the keyboard had typed it.
void RussianField::deliver(const QString &text)
{
    m_delivering = true;
    for (QChar c : text) {
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(m_field, &typed);
    }
    m_delivering = false;
}

void RussianField::flushPending()
{
    deliver(m_engine.flush());
}
