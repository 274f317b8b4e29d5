#include "notices.h"

#include "play/texts.h"

namespace ui {

QString noticeText(game::Notice notice)
{
    return QString::fromUtf8(play::noticeText(notice));
}

} // namespace ui
