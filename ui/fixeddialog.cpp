#include "fixeddialog.h"

#include "buttons.h"
#include "fonts.h"
#include "palette.h"
#include "tables.h"

#include <QFrame>
#include <QKeyEvent>
#include <QScreen>

#include <algorithm>

namespace ui {

FixedDialog::FixedDialog(const QString& title, QSize clientSize, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(title);
    setFixedSize(clientSize);
    setFont(gameFont(PGothicFace, 12));
    // The classic face: silver, lit white and light grey, shaded grey and
    // black, as the main window's buttons are; the sunken edges take it too.
    using namespace render;
    QPalette colours = palette();
    for (const auto& [role, colour] : {std::pair{QPalette::Window, Silver}, {QPalette::Button, Silver},
                                      {QPalette::Light, White}, {QPalette::Midlight, LightGrey},
                                      {QPalette::Dark, Grey}, {QPalette::Shadow, Black},
                                      {QPalette::WindowText, Black}, {QPalette::ButtonText, Black}})
        colours.setColor(role, qColour(colour));
    setPalette(colours);
}

QPushButton* FixedDialog::okButton(const play::Control& c)
{
    auto* ok = new CaptionButton(qString(c.text), this);
    ok->setObjectName(qString(c.name));
    ok->setAccessibleName(qString(c.text));
    ok->setAccessibleDescription(qString(c.described));
    ok->setFont(gameFont(c.font));
    ok->setGeometry(qRect(c.place));
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    return ok;
}

QFrame* FixedDialog::sunkenFrame(const char* name, QRect geometry)
{
    auto* frame = new QFrame(this);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(1);
    frame->setGeometry(geometry);
    return frame;
}

// There is no cancel button, so Escape does nothing; the close box still
// closes the dialog through the close event.
void FixedDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cancel))
        event->accept();
    else
        QDialog::keyPressEvent(event);
}

void centreOnScreen(QWidget& window)
{
    const QRect area = window.screen()->availableGeometry();
    QRect frame = window.frameGeometry();
    frame.moveCenter(area.center());
    frame.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() - frame.width() + 1)));
    frame.moveTop(std::max(area.top(), std::min(frame.top(), area.bottom() - frame.height() + 1)));
    window.move(frame.topLeft());
}

void FixedDialog::showEvent(QShowEvent* event)
{
    centreOnScreen(*this);
    QDialog::showEvent(event);
}

} // namespace ui
