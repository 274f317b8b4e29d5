#include "decorations.h"

#include "palette.h"
#include "pictures.h"

#include <QPainter>

namespace ui {

namespace {

using namespace render;  // the colour names

void fill(QPainter& p, int x, int y, int w, int h, Colour colour)
{
    p.fillRect(x, y, w, h, qColour(colour));
}

// A sunken one-pixel box: dark edges top and left, light bottom and right.
void bevel(QPainter& p, int x, int y, int w, int h)
{
    fill(p, x, y, w, 1, Grey);
    fill(p, x, y, 1, h, Grey);
    fill(p, x, y + h - 1, w, 1, White);
    fill(p, x + w - 1, y, 1, h, White);
}

// A filled rectangle with an outline of the given width inside its bounds.
void shape(QPainter& p, int x, int y, int w, int h, Colour inside, Colour outline, int penWidth)
{
    fill(p, x, y, w, h, outline);
    fill(p, x + penWidth, y + penWidth, w - 2 * penWidth, h - 2 * penWidth, inside);
}

// Drawn once as a picture, so that on a scaled screen it grows pixel for
// pixel like the rest of the decorations.
void disc(QPainter& p, int x, int y)
{
    static const QImage picture = [] {
        QImage image(10, 10, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setPen(qColour(Yellow));
        painter.setBrush(qColour(Yellow));
        painter.drawEllipse(QRect(0, 0, 9, 9));  // covers the 10 x 10 box
        return image;
    }();
    p.drawImage(x, y, picture);
}

} // namespace

void paintDecorations(QPainter& p)
{
    fill(p, 0, 0, ClientWidth, ClientHeight, Silver);

    bevel(p, 424, 8, 69, 116);                     // around the icon box
    shape(p, 426, 10, 65, 112, Black, Silver, 3);  // the icon box
    bevel(p, 8, 396, 183, 50);                     // around the movement buttons
    shape(p, 14, 401, 172, 40, Navy, Teal, 2);
    bevel(p, 8, 8, 377, 377);                      // around the view
    bevel(p, 216, 396, 169, 50);                   // around Redo and Start
    shape(p, 222, 401, 157, 40, Navy, Teal, 2);

    fill(p, 11, 10, 372, 5, Teal);  // the view's teal frame
    fill(p, 10, 378, 372, 5, Teal);
    fill(p, 378, 10, 5, 373, Teal);
    fill(p, 10, 10, 5, 373, Teal);

    static const QImage strip = pictures::shownStrip();
    p.drawImage(404, 8, strip);
    p.drawImage(497, 8, strip);
    for (const QPoint& at : {QPoint(406, 11), QPoint(499, 10), QPoint(406, 111), QPoint(499, 111), QPoint(406, 61),
                             QPoint(499, 61)})
        disc(p, at.x(), at.y());

    fill(p, 392, 8, 2, 438, White);  // etched lines of the right column
    fill(p, 522, 8, 2, 438, White);
    fill(p, 391, 7, 1, 438, Grey);
    fill(p, 521, 7, 1, 438, Grey);
}

} // namespace ui
