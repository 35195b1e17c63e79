#pragma once

#include <QCoreApplication>
#include <QInputMethodQueryEvent>

// What an input method module asks an object (a focused field) before it takes its keys.
inline bool TakesInputMethod(QObject *object)
{
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QCoreApplication::sendEvent(object, &query);
    return query.value(Qt::ImEnabled).toBool();
}
