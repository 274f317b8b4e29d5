// The words of the notices under the view.
#pragma once

#include "game/game.h"

#include <QString>

namespace ui {

QString noticeText(game::Notice notice);

} // namespace ui
