// The help dialog: how to play, in a scrolling text box. It is created once
// and kept, so the text stays scrolled where the player left it.
#pragma once

#include <QDialog>

namespace ui {

class THelpDlg : public QDialog {
    Q_OBJECT

public:
    explicit THelpDlg(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

} // namespace ui
