#include "fixeddialog.h"

#include "fonts.h"
#include "palette.h"

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
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    colours.setColor(QPalette::WindowText, qColour(render::Black));
    colours.setColor(QPalette::ButtonText, qColour(render::Black));
    setPalette(colours);
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
