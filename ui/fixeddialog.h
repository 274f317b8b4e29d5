// What the game's two dialogs share: a fixed frame centred on the screen,
// the window font in black on the classic silver button face, whatever the
// platform style, and an "OK" of that face as the only way out (Escape does
// nothing; the close box still closes).
#pragma once

#include "play/layout.h"

#include <QDialog>

class QFrame;
class QPushButton;

namespace ui {

// Puts a top-level window in the middle of its screen's free area, and never
// partly off it: a window larger than the area keeps its title bar on screen.
void centreOnScreen(QWidget& window);

class FixedDialog : public QDialog {
    Q_OBJECT

public:
    FixedDialog(const QString& title, QSize clientSize, QWidget* parent);

protected:
    // A flat area with a sunken one-pixel edge, named after its control.
    QFrame* sunkenFrame(const char* name, QRect geometry);
    // The dialog's "OK": the default button, which holds the focus and
    // closes the dialog with the result "OK".
    QPushButton* okButton(const play::Control& c);

    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

} // namespace ui
