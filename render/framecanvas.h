// The view's canvas. Between beginFrame() and endFrame() it keeps a frame's
// drawing calls, then writes each pixel of the bitmap once: in copy mode a
// pixel ends up with the colour of the last call that covers it, so the
// calls are settled from the last back to the first, row by row, each one
// painting only the columns that no later call has covered (the way a
// corridor renderer clips far walls against the near ones already drawn).
// A row that comes out as the row above is copied from it, and so are the
// columns of the nearest calls that paint a row as they painted the one
// above. Outside a frame, and for a frame with a not-xor call in it, it draws call
// by call like ImageCanvas, with the same pixels.
#pragma once

#include "canvas.h"
#include "imagecanvas.h"

#include <QImage>

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace render {

class FrameCanvas final : public Canvas {
public:
    explicit FrameCanvas(QImage& image) : m_image(image), m_direct(image) {}

    QImage& image() { return m_image; }

    void beginFrame();
    // Returns whether the bitmap changed: false when the frame's calls were
    // those of the frame before, which leaves every pixel as it was.
    bool endFrame();
    // The bitmap no longer holds the last frame, written over by other
    // hands: the next frame is written whole, even with the same calls.
    void forgetLastFrame();

    void rectangle(int x1, int y1, int x2, int y2) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void polygon(std::span<const Point> points) override;
    void polyline(std::span<const Point> points) override;
    using Canvas::polygon;
    using Canvas::polyline;

protected:
    void line(Point from, Point to) override;

private:
    enum class Kind : std::uint8_t { Rectangle, Ellipse, Polygon, Polyline, Line };
    struct Call {
        Kind kind;
        std::uint32_t first, count;  // its points in m_points
        Pen pen;
        Colour brush;
        friend bool operator==(const Call&, const Call&) = default;
    };
    // The pixels one call covers, row by row, each run marked as the pen's
    // or the brush's: what the call paints, whatever its colours.
    struct Shape {
        struct Run {
            std::int16_t left, right;  // columns, inclusive
            std::uint8_t part;         // 0 pen, 1 brush
        };
        int top = 0, bottom = -1;
        std::vector<std::uint32_t> rowStart;  // per row from top, and one past the last
        std::vector<Run> runs;
        std::vector<std::uint64_t> changes;  // a bit per row of the image: not as the row above
    };
    struct Layer {  // a call's shape and colours, laid out for the settling
        int top, bottom;
        const std::uint32_t* rowStart;
        const Shape::Run* runs;
        const std::uint64_t* changes;
        QRgb rgb[2];  // pen, brush
    };
    struct Open {  // columns of a row that no call has covered yet, inclusive
        int left, right;
    };
    struct Snapshot {  // the open stretches of a row after a layer, in m_kept
        std::uint32_t first, count;
    };
    struct KeyHash {
        std::size_t operator()(const std::vector<int>& key) const noexcept;
    };

    void add(Kind kind, std::span<const Point> points);
    std::span<const Point> pointsOf(const Call& call) const;
    void draw(ImageCanvas& canvas, const Call& call) const;
    const Shape& shapeOf(const Call& call);
    Shape trace(const Call& call);
    static void markChanges(Shape& shape, int height);
    void settle();
    static int paintOpen(Open* open, int opened, int& from, int left, int right, QRgb rgb, QRgb* row);
    bool settleRow(int y, const std::uint16_t* layers, int count, int reused, QRgb* row, const QRgb* above);

    QImage& m_image;
    ImageCanvas m_direct;
    bool m_inFrame = false;
    std::vector<Call> m_calls;
    std::vector<Point> m_points;
    std::vector<Call> m_lastCalls;  // the frame before, to tell an unchanged one
    std::vector<Point> m_lastPoints;

    QImage m_scratch;  // where a new shape is traced, kept blank
    std::unordered_map<std::vector<int>, Shape, KeyHash> m_shapes;
    std::vector<int> m_key;

    std::vector<Layer> m_layers;
    std::vector<std::uint32_t> m_bandStart;  // per band of rows, into m_bandLayers
    std::vector<std::uint16_t> m_bandLayers;  // the layers reaching each band, last first
    std::vector<Open> m_open;        // the row being settled
    std::vector<Open> m_kept;        // every snapshot of the frame
    std::vector<Snapshot> m_above;   // after each layer of the band, on the row above
    std::vector<Snapshot> m_here;    // the same on this row
    std::vector<std::uint64_t> m_changes;  // rows where some layer is not as the row above
};

} // namespace render
