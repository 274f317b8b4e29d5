#include "helpdlg.h"

#include "fonts.h"
#include "helptext.h"
#include "palette.h"
#include "pictures.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace ui {

namespace {

QPlainTextEdit* helpMemo(QWidget* parent)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setGeometry(12, 16, 384, 231);
    memo->setFont(gameFont(PGothicFace, 12));
    QPalette colours = memo->palette();
    colours.setColor(QPalette::Base, qColour(render::Navy));
    colours.setColor(QPalette::Text, qColour(render::Silver));
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

THelpDlg::THelpDlg(QWidget* parent) : FixedDialog(QStringLiteral("Help"), QSize(404, 310), parent)
{
    sunkenFrame("Bevel1", {4, 8, 396, 247});
    helpMemo(this);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setAccessibleDescription(QStringLiteral("ヘルプを閉じます"));
    ok->setFont(gameFont(MsSerifFace, 16, true, true));
    ok->setGeometry(41, 268, 145, 31);
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Image1"));
    const QImage shown = pictures::shownHelpLogo();  // scaled to the control
    logo->setGeometry(QRect(QPoint(315, 258), shown.size()));
    logo->setPixmap(QPixmap::fromImage(shown));
    logo->setAccessibleName(QStringLiteral("Vesmor"));
}

} // namespace ui
