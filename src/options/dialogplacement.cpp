#include "dialogplacement.h"

#include "ipa/ipafonts.h"

#include <QDialog>

namespace {

constexpr int kWindowFontPixels = 15;

} // namespace

void PrepareOptionDialog(QDialog *dialog, QSize size)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setFixedSize(size);
    QFont font(JapaneseFontFamily(QStringLiteral("Yu Gothic UI")));
    font.setPixelSize(kWindowFontPixels);
    dialog->setFont(font);
}

void CentreOnWindow(QDialog *dialog, const QWidget *window)
{
    if (!window)
        return;
    const QRect frame = window->frameGeometry();
    dialog->move(frame.left() + (frame.width() - dialog->width()) / 2,
                 frame.top() + (frame.height() - dialog->height()) / 2);
}
