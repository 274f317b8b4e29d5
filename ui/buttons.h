// The game's push buttons: the main window's two kinds and the dialogs'
// "OK". All paint their own face, whatever the platform style and desktop:
// flat silver with the classic raised edge, sunk while held down, so the
// white "Redo" stays readable and the dialogs look as the window does.
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

// A caption on the face, in the button's text colour, with a dotted mark
// inside the edge while the button has the focus: the dialogs' "OK".
class CaptionButton : public QPushButton {
    Q_OBJECT

public:
    CaptionButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Start and Redo: the only stops of the Tab key. Only Tab and a left press
// give them the focus; a right click opens the button's menu and leaves
// both the focus and the button alone, so Enter after choosing from the
// menu still presses the button it pressed before.
class MenuButton final : public CaptionButton {
    Q_OBJECT

public:
    MenuButton(const QString& caption, QWidget* parent);
    void setPopupMenu(QMenu* menu);

protected:
    bool event(QEvent* event) override;
};

} // namespace ui
