#include "aboutbox.h"

#include "fonts.h"
#include "palette.h"
#include "pictures.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

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

TAboutBox::TAboutBox(QWidget* parent) : FixedDialog(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"), QSize(294, 214), parent)
{
    QFrame* panel = sunkenFrame("Panel1", {8, 8, 277, 158});

    auto* picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    const QImage shown = pictures::shownAboutPicture();  // scaled down to the control
    picture->setGeometry(QRect(QPoint(5, 4), shown.size()));
    picture->setAccessibleName(QStringLiteral("Vesmor"));
    picture->setPixmap(QPixmap::fromImage(shown));

    QLabel* name = textLabel(panel, "Label1", QStringLiteral("Vesmor"), {176, 20});
    name->setFont(gameFont(PGothicFace, 20, true, true));
    QPalette navy = name->palette();
    navy.setColor(QPalette::WindowText, qColour(render::Navy));
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

} // namespace ui
