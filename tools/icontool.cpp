// Build-time helper: renders the application icon's SVG into the PNG sizes of the hicolor
// icon theme, as <out>/<N>x<N>/apps/kalvo.png.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool renderSize(QSvgRenderer &renderer, int size, const QString &outDir)
{
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(size);
    if (!QDir().mkpath(folder))
        return false;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    return image.save(folder + QStringLiteral("/kalvo.png"));
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: kalvo_icontool <icon.svg> <output folder>\n");
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "kalvo_icontool: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int size : kSizes) {
        if (!renderSize(renderer, size, QString::fromLocal8Bit(argv[2]))) {
            std::fprintf(stderr, "kalvo_icontool: cannot write the %d pixel icon\n", size);
            return 1;
        }
    }
    return 0;
}
