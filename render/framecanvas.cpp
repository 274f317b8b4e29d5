#include "framecanvas.h"

namespace render {

Canvas& FrameCanvas::beginFrame()
{
    m_frame.clear();
    return m_frame;
}

bool FrameCanvas::endFrame()
{
    // Drawn again, a not-xor call would undo itself rather than leave the
    // pixels alone: such a frame is always drawn, and never kept.
    const bool notXor = m_frame.hasNotXor();
    Bitmap& bitmap = m_canvas.bitmap();
    if (!notXor && m_frame == m_last && bitmap.drawings() == m_lastDrawings)
        return false;
    m_frame.drawOn(m_canvas);
    m_lastDrawings = bitmap.drawings();
    if (notXor)
        m_last.clear();
    else
        m_last = m_frame;  // m_frame keeps its pen and brush for the next frame
    return true;
}

} // namespace render
