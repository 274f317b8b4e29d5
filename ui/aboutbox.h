// The about box: the game's name, version and release date beside a picture
// of the maze by moonlight. Opened by a click on the program icon.
#pragma once

#include <QDialog>

namespace ui {

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

} // namespace ui
