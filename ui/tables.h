// The game's shared tables and words (play/layout.h, play/texts.h) in the
// toolkit's own types.
#pragma once

#include "fonts.h"

#include "play/layout.h"

#include <QRect>
#include <QString>

#include <string_view>

namespace ui {

inline QString qString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

inline QRect qRect(const play::Rect& r)
{
    return QRect(r.x, r.y, r.width, r.height);
}

inline QFont gameFont(const play::Font& font)
{
    return gameFont(qString(font.face), font.pixelSize, font.bold, font.italic);
}

} // namespace ui
