// The help dialog: how to play, in a scrolling text box. It is created once
// and kept, so the text stays scrolled where the player left it.
#pragma once

#include "fixeddialog.h"

namespace ui {

class THelpDlg : public FixedDialog {
    Q_OBJECT

public:
    explicit THelpDlg(QWidget* parent = nullptr);
};

} // namespace ui
