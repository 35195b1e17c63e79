#include "messagebox.h"

#include "core/placement.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace {

QString titleOf(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Warning:
        return QStringLiteral("警告");
    case MsgKind::Information:
        return QStringLiteral("情報");
    case MsgKind::Confirmation:
        break;
    }
    return QStringLiteral("確認");
}

QMessageBox::Icon iconOf(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Warning:
        return QMessageBox::Warning;
    case MsgKind::Information:
        return QMessageBox::Information;
    case MsgKind::Confirmation:
        break;
    }
    return QMessageBox::Question;
}

// The window the box is centred on: the owner's top-level window, else the active window,
// else the primary screen.
QRect ownerFrame(QWidget *owner)
{
    QWidget *window = owner ? owner->window() : QApplication::activeWindow();
    if (window && window->isVisible())
        return window->frameGeometry();
    return QGuiApplication::primaryScreen()->geometry();
}

} // namespace

bool MessageDlg(MsgKind kind, const QString &text, bool withNo, QWidget *owner, bool noByDefault)
{
    QMessageBox box(iconOf(kind), titleOf(kind), QString(), QMessageBox::NoButton,
                    owner ? owner->window() : QApplication::activeWindow());
    // The texts name titles and files as they are written; none is markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    QPushButton *yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    box.setDefaultButton(yes);
    if (withNo) {
        QPushButton *no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        box.setEscapeButton(no);
        if (noByDefault)
            box.setDefaultButton(no);
    } else {
        box.setEscapeButton(yes);
    }
    box.move(GetMessageDlgPos(ownerFrame(owner)));
    box.exec();
    return box.clickedButton() == yes;
}
