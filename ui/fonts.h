// The game names its fonts as a Japanese desktop would ("ＭＳ Ｐゴシック",
// "Times New Roman", ...). These helpers map those names onto the faces
// installed here, so every window can ask for its fonts by their own names.
#pragma once

#include "play/layout.h"

#include <QFont>
#include <QString>

namespace ui {

// The face names used by the windows, spelled exactly as the game shows them
// (full-width letters and the full-width space are part of the name).
inline const QString PGothicFace = QString::fromUtf8(play::PGothicFace);
inline const QString GothicFace = QString::fromUtf8(play::GothicFace);
inline const QString MsSerifFace = QString::fromUtf8(play::MsSerifFace);
inline const QString TimesFace = QString::fromUtf8(play::TimesFace);

// Call once, after the application object exists and before any widget.
void installFontSubstitutions();

// When no installed font has Japanese letters, every text of the game would
// be empty boxes: says so once on standard error, naming the package that
// brings one, and lets the game go on. Call after the application exists.
void warnWithoutJapaneseFont();

// A font of the given face and character height in pixels.
QFont gameFont(const QString& face, int pixelSize, bool bold = false, bool italic = false);

} // namespace ui
