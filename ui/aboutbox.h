// The about box: the game's name, version and release date beside a picture
// of the maze by moonlight. Opened by a click on the program icon.
#pragma once

#include "fixeddialog.h"

namespace ui {

class TAboutBox : public FixedDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

} // namespace ui
