#include "helpdlg.h"

#include "fonts.h"
#include "helptext.h"
#include "palette.h"
#include "pictures.h"
#include "tables.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>

namespace ui {

namespace {

const play::Control& item(const char* name)
{
    return play::control(play::HelpDialog.controls, name);
}

QPlainTextEdit* helpMemo(QWidget* parent)
{
    const play::Control& c = item("Memo1");
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setGeometry(qRect(c.place));
    memo->setFont(gameFont(c.font));
    QPalette colours = memo->palette();
    colours.setColor(QPalette::Base, qColour(c.ground));
    colours.setColor(QPalette::Text, qColour(c.ink));
    memo->setPalette(colours);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setReadOnly(true);
    // The lines are laid out by hand: never wrapped, and all narrow enough
    // that only the vertical scroll bar is needed.
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setFocusPolicy(Qt::NoFocus);  // Tab goes straight to OK
    memo->viewport()->setCursor(Qt::ArrowCursor);
    memo->setPlainText(helpText());
    return memo;
}

} // namespace

THelpDlg::THelpDlg(QWidget* parent)
    : FixedDialog(qString(play::HelpDialog.title), QSize(play::HelpDialog.width, play::HelpDialog.height), parent)
{
    sunkenFrame("Bevel1", qRect(item("Bevel1").place));
    helpMemo(this);
    okButton(item("OKBtn"));

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setGeometry(qRect(item("Image1").place));
    logo->setPixmap(QPixmap::fromImage(pictures::shownHelpLogo()));  // scaled to the control
    logo->setAccessibleName(qString(item("Image1").spoken));
}

} // namespace ui
