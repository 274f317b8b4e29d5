#include "buttons.h"

#include "palette.h"
#include "pictures.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace ui {

namespace {

// One ring of a button's edge: `light` along the top and left, `dark` along
// the bottom and right, which own the two corners where they meet.
void ring(QPainter& p, const QRect& r, render::Colour light, render::Colour dark)
{
    p.fillRect(r.x(), r.y(), r.width() - 1, 1, qColour(light));
    p.fillRect(r.x(), r.y(), 1, r.height() - 1, qColour(light));
    p.fillRect(r.x(), r.bottom(), r.width(), 1, qColour(dark));
    p.fillRect(r.right(), r.y(), 1, r.height(), qColour(dark));
}

// The face of both kinds of button: silver inside a two-pixel edge, white
// then light grey at the top and left, black then dark grey at the bottom
// and right; held down, the edge turns over so the face looks sunken.
// Returns where the caption or glyph goes: the middle of the face, one
// pixel down and right while the button is held down.
QRect paintFace(QPainter& p, const QPushButton& button)
{
    using namespace render;
    const QRect r = button.rect();
    const bool down = button.isDown();
    p.fillRect(r, qColour(Silver));
    ring(p, r, down ? Black : White, down ? White : Black);
    ring(p, r.adjusted(1, 1, -1, -1), down ? Grey : LightGrey, down ? LightGrey : Grey);
    return down ? r.translated(1, 1) : r;
}

// The keyboard focus: a black dotted ring inside the edge, one dot in two.
void paintFocusMark(QPainter& p, const QRect& r)
{
    const QColor ink = qColour(render::Black);
    const QRect mark = r.adjusted(4, 4, -5, -5);
    for (int x = mark.left(); x <= mark.right(); x += 2) {
        p.fillRect(x, mark.top(), 1, 1, ink);
        p.fillRect(x, mark.bottom(), 1, 1, ink);
    }
    for (int y = mark.top(); y <= mark.bottom(); y += 2) {
        p.fillRect(mark.left(), y, 1, 1, ink);
        p.fillRect(mark.right(), y, 1, 1, ink);
    }
}

} // namespace

GlyphButton::GlyphButton(const QImage& glyph, QWidget* parent)
    : QPushButton(parent), m_glyph(pictures::buttonGlyph(glyph))
{
    setFocusPolicy(Qt::NoFocus);
    setAutoDefault(false);
}

bool GlyphButton::event(QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        emit mouseReleased(mouse->button(), rect().contains(mouse->position().toPoint()));
    }
    return QPushButton::event(event);
}

// The glyph at its own size, centred; on a scaled screen it grows pixel
// for pixel.
void GlyphButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect middle = paintFace(p, *this);
    p.drawPixmap(middle.x() + (middle.width() - m_glyph.width()) / 2,
                 middle.y() + (middle.height() - m_glyph.height()) / 2, m_glyph);
}

CaptionButton::CaptionButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

// The caption in the button's text colour (white for Redo, the system's
// for Start, black for OK), centred on the face.
void CaptionButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect middle = paintFace(p, *this);
    p.setPen(palette().color(QPalette::ButtonText));
    p.drawText(middle, Qt::AlignCenter, text());
    if (hasFocus())
        paintFocusMark(p, middle);
}

MenuButton::MenuButton(const QString& caption, QWidget* parent) : CaptionButton(caption, parent)
{
    setAutoDefault(true);
    setFocusPolicy(Qt::TabFocus);
}

void MenuButton::setPopupMenu(QMenu* menu)
{
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this, menu](const QPoint& at) {
        menu->exec(mapToGlobal(at));
    });
}

// The focus moves before the button handles the press.
bool MenuButton::event(QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        setFocus(Qt::MouseFocusReason);
    return QPushButton::event(event);
}

} // namespace ui
