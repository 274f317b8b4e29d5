#include "aboutbox.h"

#include "fonts.h"
#include "palette.h"
#include "pictures.h"
#include "tables.h"

#include <QFrame>
#include <QLabel>

namespace ui {

namespace {

const play::Control& item(const char* name)
{
    return play::control(play::AboutBox.controls, name);
}

QLabel* textLabel(QWidget* parent, const char* name)
{
    const play::Control& c = item(name);
    auto* label = new QLabel(qString(c.text), parent);
    label->setObjectName(QLatin1String(name));
    label->move(c.place.x, c.place.y);
    if (!c.font.face.empty())
        label->setFont(gameFont(c.font));
    if (c.ink != play::NoColour) {
        QPalette ink = label->palette();
        ink.setColor(QPalette::WindowText, qColour(c.ink));
        label->setPalette(ink);
    }
    label->adjustSize();
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : FixedDialog(qString(play::AboutBox.title), QSize(play::AboutBox.width, play::AboutBox.height), parent)
{
    QFrame* panel = sunkenFrame("Panel1", qRect(item("Panel1").place));

    auto* picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    picture->setGeometry(qRect(item("ProgramIcon").place));
    picture->setAccessibleName(qString(item("ProgramIcon").spoken));
    picture->setPixmap(QPixmap::fromImage(pictures::shownAboutPicture()));  // scaled down to the control

    textLabel(panel, "Label1");
    textLabel(panel, "Label2");
    textLabel(panel, "Label3");
    okButton(item("OKButton"));
}

} // namespace ui
