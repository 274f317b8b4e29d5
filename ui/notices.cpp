#include "notices.h"

namespace ui {

QString noticeText(game::Notice notice)
{
    switch (notice) {
    case game::Notice::None: break;
    case game::Notice::Sunset: return QStringLiteral("日が沈んだ");
    case game::Notice::Dusk: return QStringLiteral("ずいぶん暗くなってきた");
    case game::Notice::MoonGone: return QStringLiteral("  もう月も見えない");
    case game::Notice::SunGone: return QStringLiteral("  もう日は沈んだ");
    case game::Notice::Splash: return QStringLiteral("ボチャ");
    }
    return QString();
}

} // namespace ui
