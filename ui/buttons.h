// The main window's two kinds of push button, both on the window's silver
// face whatever the platform style (so the white "Redo" stays readable; the
// style still draws them raised and pressed).
#pragma once

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
};

} // namespace ui
