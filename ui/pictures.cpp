#include "pictures.h"

#include "decorations.h"
#include "fonts.h"

#include "play/layout.h"

#include "render/corridor.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QStringList>

#include <algorithm>
#include <cstdlib>

namespace ui::pictures {

namespace {

using namespace render;  // the colour names

constexpr int GlyphSize = 16;

// A glyph shape: whether pixel (x, y) of the 16 x 16 image is inked.
using Shape = bool (*)(int x, int y);

bool inGlyph(int x, int y)
{
    return x >= 0 && y >= 0 && x < GlyphSize && y < GlyphSize;
}

// Left arrow: 15 rows, the middle one reaching the left edge, each row
// 2 px shorter than its neighbour nearer the middle, all ending on the right.
bool leftTriangle(int x, int y)
{
    return inGlyph(x, y) && y <= 14 && x >= 2 * std::abs(y - 7);
}

bool rightTriangle(int x, int y)
{
    return leftTriangle(GlyphSize - 1 - x, y);
}

// Up arrow: one pixel wide at the top, 2 px wider every second row, down to
// a 15 px base on the bottom row; centred on column 8 so that the
// bottom-left pixel keeps the transparent colour.
bool upTriangle(int x, int y)
{
    return inGlyph(x, y) && std::abs(x - 8) <= y / 2;
}

bool onEdge(Shape inside, int x, int y)
{
    return inside(x, y) &&
           (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1));
}

// The normal image on the left; on the right the disabled look: the shape's
// outline in grey, lit by a white copy one pixel down and right where that
// copy falls outside the shape, as if pressed into the button face.
QImage glyphPair(Shape inside, Colour ink)
{
    QImage image(2 * GlyphSize, GlyphSize, QImage::Format_RGB32);
    image.fill(qColour(Olive));
    for (int y = 0; y < GlyphSize; ++y) {
        for (int x = 0; x < GlyphSize; ++x) {
            if (inside(x, y))
                image.setPixelColor(x, y, qColour(ink));
            else if (onEdge(inside, x - 1, y - 1))
                image.setPixelColor(GlyphSize + x, y, qColour(White));
        }
    }
    for (int y = 0; y < GlyphSize; ++y)
        for (int x = 0; x < GlyphSize; ++x)
            if (onEdge(inside, x, y))
                image.setPixelColor(GlyphSize + x, y, qColour(Grey));
    return image;
}

} // namespace

QImage leftGlyph()
{
    return glyphPair(leftTriangle, Navy);
}

QImage maeGlyph()
{
    return glyphPair(upTriangle, Red);
}

QImage rightGlyph()
{
    return glyphPair(rightTriangle, Navy);
}

QPixmap buttonGlyph(const QImage& glyph)
{
    QImage image = glyph.copy(0, 0, GlyphSize, GlyphSize).convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, GlyphSize - 1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == transparent)
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
    return QPixmap::fromImage(image);
}

QImage northArrow()
{
    QImage image(32, 16, QImage::Format_RGB32);
    image.fill(qColour(Silver));
    QPainter p(&image);
    // Head: rows 0 to 13, 1 px wide at the tip, 2 px wider every second row.
    for (int y = 0; y < 14; ++y)
        p.fillRect(8 - y / 2, y, 2 * (y / 2) + 1, 1, qColour(Red));
    p.fillRect(6, 14, 5, 2, qColour(Red));  // the stem
    return image;
}

namespace {

constexpr int IconGrid = 32;  // the icon's design units: its stored size
constexpr qreal IconLineWidth = 4;

// The icon's red line, on its 32-unit grid, one stroke outside in: down the
// left side, round the bottom, up the right side, back over the top and
// inward into a curl at the centre.
QPainterPath iconLine()
{
    QPainterPath line(QPointF(4, 5));
    line.lineTo(4, 17);
    line.cubicTo(4, 29.4, 28, 29.4, 28, 17);
    line.lineTo(28, 12);
    line.cubicTo(28, 1, 12, 1, 12, 12);
    line.cubicTo(12, 21, 21, 21, 21, 14);
    line.cubicTo(21, 10, 16, 10, 16.5, 14);
    return line;
}

// The line starts in a point at the top left: a stem reaching up from the
// line's first unit, where the two overlap so that no seam shows between
// them when they are drawn smooth.
QPolygonF iconStem()
{
    return QPolygonF({QPointF(3.5, -1), QPointF(2, 5), QPointF(2, 6), QPointF(6, 6), QPointF(6, 5)});
}

} // namespace

namespace {

// The spiral on black in a picture `size` pixels square, its grid drawn
// `side` pixels square in the middle.
QImage spiral(int size, qreal side)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(qColour(Black));
    QPainter p(&image);
    // Every size is drawn, not resampled: the small ones pixel-exact, the
    // large ones smooth.
    const bool smooth = side >= SmoothIconSize;
    p.setRenderHint(QPainter::Antialiasing, smooth);
    p.translate((size - side) / 2, (size - side) / 2);
    p.scale(side / IconGrid, side / IconGrid);
    QPainterPathStroker stroker;
    stroker.setWidth(IconLineWidth);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    const QPainterPath outline = stroker.createStroke(iconLine());
    p.setPen(Qt::NoPen);
    p.setBrush(qColour(Red));
    // Small: filled as one simplified outline rather than stroked piece by
    // piece, so that no pinholes open where the pieces meet. Large: the
    // outline keeps its curves, which simplifying would cut into straight
    // pieces.
    p.drawPath(smooth ? outline : outline.simplified());
    p.drawPolygon(iconStem());
    return image;
}

} // namespace

QImage programIcon(int size)
{
    return spiral(size, size);
}

// A launcher may cut the picture to any shape that holds the circle of four
// fifths of its width in its middle; the stem's tip, the spiral's farthest
// point from the middle, stands 0.66 of the grid's width from it, so the
// grid at 0.56 of the picture keeps the whole spiral inside that circle.
QImage maskableIcon(int size)
{
    return spiral(size, size * 0.56);
}

namespace {

// The icon drawn at whatever size is asked for, once each: a window system
// asks in its own pixels, so on a screen scaled by 2 it takes each of
// IconSizes twice as large, and those are drawn too rather than resampled.
class IconEngine final : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        auto drawn = m_drawn.constFind(side);
        if (drawn == m_drawn.constEnd())
            drawn = m_drawn.insert(side, QPixmap::fromImage(programIcon(side)));
        return *drawn;
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size() * painter->device()->devicePixelRatio(), mode, state));
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int size : IconSizes)
            sizes << QSize(size, size);
        return sizes;
    }
    QIconEngine* clone() const override { return new IconEngine(*this); }

private:
    QHash<int, QPixmap> m_drawn;
};

} // namespace

QIcon programIconSet()
{
    return QIcon(new IconEngine);
}

QString programIconSvg()
{
    const auto number = [](qreal value) { return QString::number(value, 'g', 6); };
    const auto point = [&](const QPointF& at) { return number(at.x()) + QLatin1Char(' ') + number(at.y()); };
    const QPainterPath line = iconLine();
    QString path;
    for (int i = 0; i < line.elementCount(); ++i) {
        const QPainterPath::Element e = line.elementAt(i);
        if (e.isMoveTo())
            path += QStringLiteral("M ") + point(e);
        else if (e.isLineTo())
            path += QStringLiteral(" L ") + point(e);
        else if (e.isCurveTo()) {  // the two elements after it hold the rest of the curve
            path += QStringLiteral(" C ") + point(e) + QLatin1Char(' ') + point(line.elementAt(i + 1)) +
                    QLatin1Char(' ') + point(line.elementAt(i + 2));
            i += 2;
        }
    }
    QStringList stem;
    for (const QPointF& corner : iconStem())
        stem << number(corner.x()) + QLatin1Char(',') + number(corner.y());
    const QString red = qColour(Red).name();
    return QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n"
                          "  <rect width=\"%1\" height=\"%1\" fill=\"%2\"/>\n"
                          "  <path d=\"%3\" fill=\"none\" stroke=\"%4\" stroke-width=\"%5\" stroke-linejoin=\"round\"/>\n"
                          "  <polygon points=\"%6\" fill=\"%4\"/>\n"
                          "</svg>\n")
        .arg(IconGrid)
        .arg(qColour(Black).name(), path, red, number(IconLineWidth), stem.join(QLatin1Char(' ')));
}

namespace {

// One flying bird, head to the left: a slim body, a long neck stretched
// forward, trailing legs and two wings, one raised and one lowered.
void drawBird(QPainter& p, QPointF at)
{
    p.save();
    p.translate(at);
    p.setPen(QPen(qColour(Black), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-4, -1), QPointF(-14, -6));   // neck
    p.drawLine(QPointF(-16, -6), QPointF(-20, -5));  // beak
    p.drawLine(QPointF(4, 0), QPointF(13, 3));       // legs
    p.setPen(Qt::NoPen);
    p.setBrush(qColour(Black));
    p.drawEllipse(QPointF(0, 0), 6.5, 3);              // body
    p.drawEllipse(QPointF(-15, -6), 2.2, 1.8);         // head
    p.drawPolygon(QPolygonF({QPointF(-4, -1), QPointF(4, -1), QPointF(9, -13), QPointF(2, -10)}));
    p.drawPolygon(QPolygonF({QPointF(-3, 1), QPointF(3, 1), QPointF(-1, 11), QPointF(-5, 8)}));
    p.restore();
}

} // namespace

QImage strip()
{
    constexpr int Width = 56;
    constexpr int Height = 54;
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(qColour(Navy));
    QPainter p(&image);
    // Each bird is drawn again one tile over in every direction, so a bird
    // cut by an edge comes back on the opposite edge and the pattern tiles.
    const QPointF birds[] = {{22, 13}, {49, 26}, {21, 40}, {48, 52}};
    for (const QPointF& bird : birds)
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                drawBird(p, bird + QPointF(dx * Width, dy * Height));
    return image;
}

namespace {

// The corridor by moonlight, in the game's colour layout.
constexpr Colour MoonlitWall = 0x7F7F7F;
constexpr Colour MoonlitEdge = 0xC8C8C8;
constexpr Colour MoonlitFloor = 0x7F0000;  // dark blue
constexpr Colour MoonlitGrid = 0x300000;

QRectF rectOf(const render::corridor::Box& box)
{
    return QRectF(box.left, box.top, box.right - box.left, box.bottom - box.top);
}

QPolygonF polygonOf(const render::corridor::SideFace& side)
{
    QPolygonF polygon;
    for (const render::Point& corner : side.corners)
        polygon << QPointF(corner.x, corner.y);
    return polygon;
}

// The about picture: a corridor in the lines of the game's own view (its
// floor grid and wall faces on the 330 x 330 bitmap), scaled to the stored
// picture's size. Far to near, as the game draws; the centre lane stays
// open to the far end, and on the left a side opening shows a wall further
// back. No view of a real maze looks so (its near fronts are missing), so
// the faces are chosen here rather than by the view's corridor stage.
void drawCorridor(QPainter& p)
{
    using namespace render::corridor;
    p.fillRect(QRectF(0, 198, 330, 132), qColour(MoonlitFloor));
    p.setPen(QPen(qColour(MoonlitGrid), 0));
    for (const auto& line : GridLines)
        p.drawLine(QLineF(line[0].x, line[0].y, line[1].x, line[1].y));

    p.setPen(QPen(qColour(MoonlitEdge), 0));
    p.setBrush(qColour(MoonlitWall));
    p.drawRect(rectOf(frontsAt(4).face(1)));
    p.drawRect(rectOf(frontsAt(4).face(3)));
    for (const auto& [lane, depth] : {std::pair{1, 3}, {3, 3}, {1, 2}, {3, 2}})
        p.drawPolygon(polygonOf(sideAt(lane, depth)));
    p.drawRect(rectOf(frontsAt(2).face(1)));  // the wall seen through the opening
    for (const auto& [lane, depth] : {std::pair{3, 1}, {1, 0}, {3, 0}})
        p.drawPolygon(polygonOf(sideAt(lane, depth)));
}

} // namespace

QImage aboutPicture()
{
    QImage image(354, 355, QImage::Format_RGB32);
    image.fill(qColour(Black));
    QPainter p(&image);
    p.scale(354.0 / 330.0, 355.0 / 330.0);
    // The moon first, so that the walls stand in front of it; 54 design
    // pixels make a disc of about 58 in the stored picture.
    p.setPen(Qt::NoPen);
    p.setBrush(qColour(Yellow));
    p.drawEllipse(QPointF(236, 40), 27, 27);
    drawCorridor(p);
    return image;
}

QImage helpLogo()
{
    constexpr Colour Violet = 0xFF0040;
    constexpr Colour Pink = 0x8000FF;
    QImage image(44, 53, QImage::Format_RGB32);
    image.fill(qColour(Black));
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(gameFont(TimesFace, 40, false, true));
    p.setPen(qColour(Violet));
    p.drawText(QPointF(2, 31), QStringLiteral("V"));
    p.setFont(gameFont(TimesFace, 24, false, true));
    p.setPen(qColour(Pink));
    p.drawText(QPointF(27, 31), QStringLiteral("e"));
    p.setFont(gameFont(TimesFace, 15, true, true));
    p.setPen(qColour(Yellow));
    p.drawText(QPointF(1, 48), QStringLiteral("SMOR"));
    return image;
}

QImage shownNorthArrow()
{
    return northArrow().copy(0, 0, 17, 16);
}

// Pixel for pixel, as the rest of the window's decorations.
QImage shownStrip()
{
    return strip().scaled(15, 115, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// Scaled to the control that shows it.
QImage shownAboutPicture()
{
    const play::Rect shown = play::control(play::AboutBox.controls, "ProgramIcon").place;
    return aboutPicture().scaled(shown.width, shown.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage shownHelpLogo()
{
    const play::Rect shown = play::control(play::HelpDialog.controls, "Image1").place;
    return helpLogo().scaled(shown.width, shown.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage shownDecorations()
{
    QImage image(ClientWidth, ClientHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    paintDecorations(painter);
    return image;
}

const Shown ShownPictures[9] = {
    {"left.png", [] { return buttonGlyph(leftGlyph()).toImage(); }},
    {"forward.png", [] { return buttonGlyph(maeGlyph()).toImage(); }},
    {"right.png", [] { return buttonGlyph(rightGlyph()).toImage(); }},
    {"north.png", shownNorthArrow},
    {"strip.png", shownStrip},
    {"icon.png", [] { return programIcon(); }},
    {"about.png", shownAboutPicture},
    {"logo.png", shownHelpLogo},
    {"decorations.png", shownDecorations},
};

} // namespace ui::pictures
