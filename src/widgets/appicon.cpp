#include "appicon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The icon is a resource of a static library. Outside any namespace: the macro declares the
// registration function extern.
static void RegisterApplicationIcon()
{
    Q_INIT_RESOURCE(appicon);
}

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

} // namespace

QIcon ApplicationIcon()
{
    RegisterApplicationIcon();
    QSvgRenderer renderer(QStringLiteral(":/icons/kalvo.svg"));
    QIcon icon;
    for (int size : kSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
