#include "decorations.h"

#include "palette.h"
#include "pictures.h"

#include <QPainter>

namespace ui {

namespace {

using namespace palette;

// A sunken one-pixel box: dark edges top and left, light bottom and right.
void bevel(QPainter& p, int x, int y, int w, int h)
{
    p.fillRect(x, y, w, 1, Grey);
    p.fillRect(x, y, 1, h, Grey);
    p.fillRect(x, y + h - 1, w, 1, Qt::white);
    p.fillRect(x + w - 1, y, 1, h, Qt::white);
}

// A filled rectangle with an outline of the given width inside its bounds.
void shape(QPainter& p, int x, int y, int w, int h, const QColor& fill, const QColor& outline, int penWidth)
{
    p.fillRect(x, y, w, h, outline);
    p.fillRect(x + penWidth, y + penWidth, w - 2 * penWidth, h - 2 * penWidth, fill);
}

void disc(QPainter& p, int x, int y)
{
    p.setPen(Yellow);
    p.setBrush(Yellow);
    p.drawEllipse(QRect(x, y, 9, 9));  // covers the 10 x 10 box
}

} // namespace

QImage paintDecorations()
{
    QImage image(ClientWidth, ClientHeight, QImage::Format_RGB32);
    image.fill(Silver);
    QPainter p(&image);

    bevel(p, 424, 8, 69, 116);                         // around the icon box
    shape(p, 426, 10, 65, 112, Qt::black, Silver, 3);  // the icon box
    bevel(p, 8, 396, 183, 50);                         // around the movement buttons
    shape(p, 14, 401, 172, 40, Navy, Teal, 2);
    bevel(p, 8, 8, 377, 377);                          // around the view
    bevel(p, 216, 396, 169, 50);                       // around Redo and Start
    shape(p, 222, 401, 157, 40, Navy, Teal, 2);

    p.fillRect(11, 10, 372, 5, Teal);  // the view's teal frame
    p.fillRect(10, 378, 372, 5, Teal);
    p.fillRect(378, 10, 5, 373, Teal);
    p.fillRect(10, 10, 5, 373, Teal);

    const QImage strip = pictures::strip().scaled(15, 115, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    p.drawImage(404, 8, strip);
    p.drawImage(497, 8, strip);
    for (const QPoint& at : {QPoint(406, 11), QPoint(499, 10), QPoint(406, 111), QPoint(499, 111), QPoint(406, 61),
                             QPoint(499, 61)})
        disc(p, at.x(), at.y());

    p.fillRect(392, 8, 2, 438, Qt::white);  // etched lines of the right column
    p.fillRect(522, 8, 2, 438, Qt::white);
    p.fillRect(391, 7, 1, 438, Grey);
    p.fillRect(521, 7, 1, 438, Grey);
    return image;
}

} // namespace ui
