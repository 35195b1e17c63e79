#include "dialogstyle.h"

#include "ipa/ipafonts.h"

#include <QDialog>

namespace {

constexpr int kWindowFontPixels = 15;

} // namespace

void SetOptionWindowFont(QWidget *window)
{
    QFont font = JapaneseFont(QStringLiteral("Yu Gothic UI"));
    font.setPixelSize(kWindowFontPixels);
    window->setFont(font);
}

void PrepareOptionDialog(QDialog *dialog, QSize size)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setFixedSize(size);
    SetOptionWindowFont(dialog);
}
