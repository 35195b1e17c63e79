#include "dialogcentring.h"

#include "platform/platformservices.h"
#include "platform/windowframes.h"

#include <QDialog>
#include <QEvent>

bool DialogCentring::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto *dialog = qobject_cast<QDialog *>(watched);
    // A dialog placed before showing keeps its place; one placed on showing moves after this.
    if (!dialog || !dialog->isWindow() || !dialog->parentWidget() ||
        dialog->testAttribute(Qt::WA_Moved))
        return false;
    const QRect over = dialog->parentWidget()->window()->frameGeometry();
    const QMargins frame =
        PlatformServices::windowFrames().frameExtents(dialog->winId()).value_or(QMargins());
    QRect outer(QPoint(), dialog->size().grownBy(frame));
    outer.moveCenter(over.center());
    dialog->setGeometry(outer.marginsRemoved(frame));
    return false;
}
