// The view's canvas. A frame is drawn on a list of calls first; when it
// ends, the calls are drawn on the bitmap, unless they are those of the
// frame before: then every pixel already is as they would make it, and the
// bitmap is left alone. A player standing still costs next to nothing, and
// the window repaints the view only when it changed.
#pragma once

#include "bitmap.h"
#include "drawlist.h"
#include "imagecanvas.h"

namespace render {

class FrameCanvas {
public:
    explicit FrameCanvas(Bitmap& bitmap) : m_canvas(bitmap) {}

    // The canvas a frame is drawn on, between beginFrame() and endFrame().
    // Its pen and brush carry over from one frame to the next.
    Canvas& beginFrame();
    // Returns whether the bitmap changed.
    bool endFrame();
    // The next frame is written whole, even with the same calls. (A drawing
    // on the bitmap by other hands does the same.)
    void forgetLastFrame() { m_last.clear(); }

private:
    ImageCanvas m_canvas;
    DrawList m_frame;
    DrawList m_last;  // the frame before, to tell an unchanged one
    std::uint64_t m_lastDrawings = 0;  // the bitmap's count of drawings once it was written
};

} // namespace render
