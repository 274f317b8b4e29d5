#include "picturelabel.h"

#include <QMouseEvent>

namespace ui {

// Only true presses count: the second press of a double click arrives as a
// double-click event, and a label does nothing with it.
bool PictureLabel::event(QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        emit pressed(static_cast<QMouseEvent*>(event)->button());
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool inside = rect().contains(mouse->position().toPoint());
        emit released(mouse->button(), inside);
        if (inside && mouse->button() == Qt::LeftButton)
            emit clicked();
    }
    return QLabel::event(event);
}

} // namespace ui
