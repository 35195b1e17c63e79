#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <functional>

// Answers the next modal message box: records its title, text and place, then presses the
// button whose text is `button`. Polls, since the box opens inside a nested event loop.
struct ModalRecord {
    QString title;
    QString text;
    QPoint pos;
    QStringList buttons;
    int count = 0;
};

// `then` answers the boxes that follow, one button each, in turn.
inline void AnswerNextBox(ModalRecord *record, const QString &button, int attempts = 200,
                          QStringList then = {})
{
    QTimer::singleShot(10, qApp, [=]() mutable {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            if (attempts > 0)
                AnswerNextBox(record, button, attempts - 1, then);
            return;
        }
        record->title = box->windowTitle();
        record->text = box->text();
        record->pos = box->pos();
        record->buttons.clear();
        ++record->count;
        QAbstractButton *target = nullptr;
        for (QAbstractButton *b : box->buttons()) {
            record->buttons.append(b->text());
            if (b->text() == button)
                target = b;
        }
        if (target)
            target->click();
        else
            box->reject();
        if (!then.isEmpty()) {
            const QString next = then.takeFirst();
            AnswerNextBox(record, next, 200, then);
        }
    });
}

// Runs `inside` on the next modal dialog of type T once it shows, as the active window (the
// offscreen platform leaves the main window active under it, and window shortcuts such as F8
// follow the active window). A dialog still open afterwards is cancelled, so a failure cannot
// leave the test waiting.
template <class T> void inDialog(std::function<void(T *)> inside, int attempts = 200)
{
    QTimer::singleShot(10, qApp, [=] {
        auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialog) {
            if (attempts > 0)
                inDialog<T>(inside, attempts - 1);
            return;
        }
        QApplication::setActiveWindow(dialog);
        inside(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}
