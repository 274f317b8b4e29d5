// A picture as a scalable SVG that keeps its pixels square at any size.
#pragma once

#include <QImage>
#include <QString>

namespace ui {

// The image's top-left colour fills the background; every horizontal run of
// any other colour becomes one rectangle, drawn with crisp edges, on a
// viewBox of the image's size.
QString crispSvg(const QImage& image);

} // namespace ui
