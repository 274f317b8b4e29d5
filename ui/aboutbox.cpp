#include "aboutbox.h"

#include "fonts.h"
#include "pictures.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace ui {

namespace {

QLabel* textLabel(QWidget* parent, const char* name, const QString& text, QPoint at)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(at);
    label->adjustSize();
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setFixedSize(294, 214);
    setFont(gameFont(PGothicFace, 12));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    colours.setColor(QPalette::WindowText, Qt::black);
    colours.setColor(QPalette::ButtonText, Qt::black);
    setPalette(colours);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setGeometry(8, 8, 277, 158);

    auto* picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    picture->setGeometry(5, 4, 150, 150);
    picture->setAccessibleName(QStringLiteral("Vesmor"));
    picture->setPixmap(QPixmap::fromImage(
        pictures::aboutPicture().scaled(picture->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));

    QLabel* name = textLabel(panel, "Label1", QStringLiteral("Vesmor"), {176, 20});
    name->setFont(gameFont(PGothicFace, 20, true, true));
    QPalette navy = name->palette();
    navy.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    name->setPalette(navy);
    name->adjustSize();
    textLabel(panel, "Label2", QStringLiteral("ver 1.1"), {199, 41});
    textLabel(panel, "Label3", QStringLiteral("2026/05/16"), {186, 92});  // the release date

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setAccessibleDescription(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報を閉じます"));
    ok->setFont(gameFont(TimesFace, 12, true));
    ok->setGeometry(118, 175, 64, 33);
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

// There is no cancel button, so Escape does nothing; the close box still
// closes the box through the close event.
void TAboutBox::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cancel))
        event->accept();
    else
        QDialog::keyPressEvent(event);
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
    QDialog::showEvent(event);
}

} // namespace ui
