#include "fixeddialog.h"

#include "fonts.h"

#include <QFrame>
#include <QKeyEvent>
#include <QScreen>

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
    colours.setColor(QPalette::WindowText, Qt::black);
    colours.setColor(QPalette::ButtonText, Qt::black);
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

void FixedDialog::showEvent(QShowEvent* event)
{
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
    QDialog::showEvent(event);
}

} // namespace ui
