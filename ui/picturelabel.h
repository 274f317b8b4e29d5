// A picture or caption of the main window that answers the mouse: the
// "?", the program icon and "Exit".
#pragma once

#include <QLabel>

namespace ui {

class PictureLabel final : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void pressed(Qt::MouseButton button);
    // Any button let go after a press on the label; inside: over the label.
    void released(Qt::MouseButton button, bool inside);
    // The left button let go over the label.
    void clicked();

protected:
    bool event(QEvent* event) override;
};

} // namespace ui
