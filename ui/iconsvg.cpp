#include "iconsvg.h"

#include <QColor>

namespace ui {

namespace {

QString rect(int x, int y, int width, int height, QRgb colour)
{
    return QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"/>\n")
        .arg(x).arg(y).arg(width).arg(height).arg(QColor(colour).name());
}

} // namespace

QString crispSvg(const QImage& image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    const QRgb background = pixels.pixel(0, 0);
    QString svg = QStringLiteral(
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" viewBox=\"0 0 %1 %2\""
                      " shape-rendering=\"crispEdges\">\n")
                      .arg(pixels.width()).arg(pixels.height());
    svg += rect(0, 0, pixels.width(), pixels.height(), background);
    for (int y = 0; y < pixels.height(); ++y) {
        int x = 0;
        while (x < pixels.width()) {
            const QRgb colour = pixels.pixel(x, y);
            int end = x + 1;
            while (end < pixels.width() && pixels.pixel(end, y) == colour)
                ++end;
            if (colour != background)
                svg += rect(x, y, end - x, 1, colour);
            x = end;
        }
    }
    return svg + QStringLiteral("</svg>\n");
}

} // namespace ui
