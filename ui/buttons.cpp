#include "buttons.h"

#include "palette.h"
#include "pictures.h"

#include <QMenu>
#include <QMouseEvent>

namespace ui {

namespace {

void wearSilver(QPushButton& button)
{
    QPalette palette = button.palette();
    palette.setColor(QPalette::Button, qColour(render::Silver));
    button.setPalette(palette);
}

} // namespace

GlyphButton::GlyphButton(const QImage& glyph, QWidget* parent) : QPushButton(parent)
{
    wearSilver(*this);
    setIcon(pictures::buttonGlyph(glyph));
    setIconSize(QSize(16, 16));
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

MenuButton::MenuButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    wearSilver(*this);
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
