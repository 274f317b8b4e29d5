// The main window's two kinds of push button. Both paint their own face,
// whatever the platform style and desktop: flat silver with the classic
// raised edge, sunk while held down, so the white "Redo" stays readable.
#pragma once

#include <QPixmap>
#include <QPushButton>

class QMenu;

namespace ui {

// A movement button: a glyph on the button face, never taking the keyboard
// focus, so Enter stays with Start or Redo.
class GlyphButton final : public QPushButton {
    Q_OBJECT

public:
    GlyphButton(const QImage& glyph, QWidget* parent);

signals:
    // Any button let go after a press on it; inside: over the button. Comes
    // before clicked().
    void mouseReleased(Qt::MouseButton button, bool inside);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_glyph;
};

// Start and Redo: the only stops of the Tab key. Only Tab and a left press
// give them the focus; a right click opens the button's menu and leaves
// both the focus and the button alone, so Enter after choosing from the
// menu still presses the button it pressed before.
class MenuButton final : public QPushButton {
    Q_OBJECT

public:
    MenuButton(const QString& caption, QWidget* parent);
    void setPopupMenu(QMenu* menu);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ui
