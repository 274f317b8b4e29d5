#include "framecanvas.h"

#include <algorithm>
#include <cstring>

namespace render {

namespace {

constexpr int BandShift = 4;  // rows are grouped in bands of 16 to find the layers reaching them
constexpr std::size_t MostShapes = 4096;  // more than the game ever draws; a bound all the same
constexpr std::size_t MostCalls = 65535;   // layers are numbered in 16 bits

// The colours a call is traced in on the scratch surface, and its blank.
constexpr Colour PenMark = 0x0000FF, BrushMark = 0x00FF00;
const QRgb Blank = qRgb(0, 0, 0);

inline std::uint64_t changesAt(const std::uint64_t* changes, int y)
{
    return changes[y >> 6] >> (y & 63) & 1;
}

} // namespace

std::size_t FrameCanvas::KeyHash::operator()(const std::vector<int>& key) const noexcept
{
    std::size_t hash = 14695981039346656037ull;
    for (const int value : key)
        hash = (hash ^ std::size_t(unsigned(value))) * 1099511628211ull;
    return hash;
}

void FrameCanvas::beginFrame()
{
    if (m_scratch.size() != m_image.size()) {  // shapes are traced with the bitmap's own clipping
        m_shapes.clear();
        m_scratch = QImage(m_image.size(), QImage::Format_RGB32);
        m_scratch.fill(Blank);
    }
    m_inFrame = true;
    m_calls.clear();
    m_points.clear();
}

bool FrameCanvas::endFrame()
{
    m_inFrame = false;
    const bool notXor = std::any_of(m_calls.begin(), m_calls.end(),
                                    [](const Call& call) { return call.pen.mode == PenMode::NotXor; });
    // The very calls of the frame before, drawn in copy mode, would write
    // the very pixels the bitmap already holds: a player standing still.
    const bool same = !notXor && m_calls == m_lastCalls && m_points == m_lastPoints;
    if (same) {
    } else if (notXor || m_calls.size() > MostCalls) {  // the order of not-xor drawing cannot be turned round
        for (const Call& call : m_calls)
            draw(m_direct, call);
    } else {
        settle();
    }
    std::swap(m_calls, m_lastCalls);
    std::swap(m_points, m_lastPoints);
    if (notXor)
        m_lastCalls.clear();  // drawn twice, not-xor would undo itself
    m_calls.clear();
    m_points.clear();
    return !same;
}

void FrameCanvas::rectangle(int x1, int y1, int x2, int y2)
{
    const Point box[] = {{x1, y1}, {x2, y2}};
    add(Kind::Rectangle, box);
}

void FrameCanvas::ellipse(int x1, int y1, int x2, int y2)
{
    const Point box[] = {{x1, y1}, {x2, y2}};
    add(Kind::Ellipse, box);
}

void FrameCanvas::polygon(std::span<const Point> points) { add(Kind::Polygon, points); }

void FrameCanvas::polyline(std::span<const Point> points)
{
    add(Kind::Polyline, points);
    if (!points.empty())
        moveTo(points.back().x, points.back().y);
}

void FrameCanvas::line(Point from, Point to)
{
    const Point ends[] = {from, to};
    add(Kind::Line, ends);
}

void FrameCanvas::add(Kind kind, std::span<const Point> points)
{
    m_calls.push_back({kind, std::uint32_t(m_points.size()), std::uint32_t(points.size()), pen(), brush()});
    m_points.insert(m_points.end(), points.begin(), points.end());
    if (!m_inFrame) {
        draw(m_direct, m_calls.back());
        m_calls.clear();
        m_points.clear();
        forgetLastFrame();  // the bitmap is no longer the last frame
    }
}

void FrameCanvas::forgetLastFrame()
{
    m_lastCalls.clear();
    m_lastPoints.clear();
}

std::span<const Point> FrameCanvas::pointsOf(const Call& call) const
{
    return {m_points.data() + call.first, call.count};
}

void FrameCanvas::draw(ImageCanvas& canvas, const Call& call) const
{
    canvas.setPenColour(call.pen.colour);
    canvas.setPenWidth(call.pen.width);
    canvas.setPenMode(call.pen.mode);
    canvas.setBrush(call.brush);
    const std::span<const Point> points = pointsOf(call);
    switch (call.kind) {
    case Kind::Rectangle: canvas.rectangle(points[0].x, points[0].y, points[1].x, points[1].y); break;
    case Kind::Ellipse: canvas.ellipse(points[0].x, points[0].y, points[1].x, points[1].y); break;
    case Kind::Polygon: canvas.polygon(points); break;
    case Kind::Polyline: canvas.polyline(points); break;
    case Kind::Line:
        canvas.moveTo(points[0].x, points[0].y);
        canvas.lineTo(points[1].x, points[1].y);
        break;
    }
}

// The same figure in the same place paints the same pixels whatever its
// colours, so each is traced once and kept.
const FrameCanvas::Shape& FrameCanvas::shapeOf(const Call& call)
{
    m_key.clear();
    m_key.push_back(int(call.kind));
    m_key.push_back(call.pen.width);
    for (const Point& p : pointsOf(call)) {
        m_key.push_back(p.x);
        m_key.push_back(p.y);
    }
    const auto found = m_shapes.find(m_key);
    if (found != m_shapes.end())
        return found->second;
    return m_shapes.emplace(m_key, trace(call)).first->second;
}

// Draws the call alone on the blank scratch surface, in the immediate
// canvas's own way and with the same clipping, and reads its pixels back.
FrameCanvas::Shape FrameCanvas::trace(const Call& call)
{
    ImageCanvas scratch(m_scratch);
    Call marked = call;
    marked.pen = {PenMark, call.pen.width, PenMode::Copy};
    marked.brush = BrushMark;
    draw(scratch, marked);

    int top = m_image.height(), bottom = -1;
    for (const Point& p : pointsOf(call)) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const int reach = std::max(call.pen.width, 1) + 2;
    top = std::max(top - reach, 0);
    bottom = std::min(bottom + reach, m_image.height() - 1);

    Shape shape;
    std::vector<std::uint32_t> rowStart;  // from the first row looked at
    const QRgb penRgb = toRgb(PenMark);
    for (int y = top; y <= bottom; ++y) {
        auto* row = reinterpret_cast<QRgb*>(m_scratch.scanLine(y));
        const std::size_t runsBefore = shape.runs.size();
        rowStart.push_back(std::uint32_t(runsBefore));
        for (int x = 0; x < m_scratch.width();) {
            const QRgb mark = row[x];
            int end = x + 1;
            while (end < m_scratch.width() && row[end] == mark)
                ++end;
            if (mark != Blank)
                shape.runs.push_back({std::int16_t(x), std::int16_t(end - 1), std::uint8_t(mark == penRgb ? 0 : 1)});
            x = end;
        }
        std::fill(row, row + m_scratch.width(), Blank);
        if (shape.runs.size() > runsBefore) {
            if (shape.top > shape.bottom)
                shape.top = y;
            shape.bottom = y;
        }
    }
    if (shape.top <= shape.bottom) {
        shape.rowStart.assign(rowStart.begin() + (shape.top - top), rowStart.begin() + (shape.bottom - top + 1));
        shape.rowStart.push_back(std::uint32_t(shape.runs.size()));
    }
    markChanges(shape, m_image.height());
    return shape;
}

// The rows where the shape paints otherwise than on the row above: where it
// starts, where its edges move, and the row after its end.
void FrameCanvas::markChanges(Shape& shape, int height)
{
    shape.changes.assign(std::size_t(height + 63) / 64, 0);
    auto mark = [&](int y) {
        if (y < height)
            shape.changes[std::size_t(y) / 64] |= std::uint64_t(1) << (y % 64);
    };
    auto sameRuns = [&](int a, int b) {  // rows a and b of the shape
        const auto* first = shape.runs.data();
        return std::equal(first + shape.rowStart[std::size_t(a)], first + shape.rowStart[std::size_t(a) + 1],
                          first + shape.rowStart[std::size_t(b)], first + shape.rowStart[std::size_t(b) + 1],
                          [](const Shape::Run& p, const Shape::Run& q) {
                              return p.left == q.left && p.right == q.right && p.part == q.part;
                          });
    };
    if (shape.top > shape.bottom)
        return;
    mark(shape.top);
    for (int y = shape.top + 1; y <= shape.bottom; ++y)
        if (!sameRuns(y - shape.top, y - 1 - shape.top))
            mark(y);
    mark(shape.bottom + 1);
}

void FrameCanvas::settle()
{
    if (m_shapes.size() > MostShapes)
        m_shapes.clear();
    const int height = m_image.height();
    m_layers.clear();
    m_changes.assign(std::size_t(height + 63) / 64, 0);
    for (const Call& call : m_calls) {
        const Shape& shape = shapeOf(call);
        for (std::size_t word = 0; word < m_changes.size(); ++word)
            m_changes[word] |= shape.changes[word];
        if (shape.top <= shape.bottom)
            m_layers.push_back({shape.top, shape.bottom, shape.rowStart.data(), shape.runs.data(),
                                shape.changes.data(), {toRgb(call.pen.colour), toRgb(call.brush)}});
    }

    // The layers reaching each band of rows, last call first.
    const int bands = ((height - 1) >> BandShift) + 1;
    m_bandStart.assign(std::size_t(bands) + 1, 0);
    for (const Layer& layer : m_layers)
        for (int band = layer.top >> BandShift; band <= layer.bottom >> BandShift; ++band)
            ++m_bandStart[std::size_t(band) + 1];
    for (int band = 0; band < bands; ++band)
        m_bandStart[std::size_t(band) + 1] += m_bandStart[std::size_t(band)];
    m_bandLayers.resize(m_bandStart.back());
    std::vector<std::uint32_t>& fill = m_bandStart;  // advanced band by band, then put back
    for (std::size_t i = m_layers.size(); i-- > 0;)
        for (int band = m_layers[i].top >> BandShift; band <= m_layers[i].bottom >> BandShift; ++band)
            m_bandLayers[fill[std::size_t(band)]++] = std::uint16_t(i);
    for (int band = bands; band > 0; --band)
        m_bandStart[std::size_t(band)] = m_bandStart[std::size_t(band) - 1];
    m_bandStart[0] = 0;

    // A row that no layer paints otherwise than the row above comes out the
    // same as that row, if that one was covered whole; and the nearer layers
    // that paint a row as the row above leave it as they left that one.
    const int width = m_image.width();
    m_open.resize(std::size_t(width) / 2 + 2);  // open stretches lie at least a column apart
    m_kept.clear();
    m_above.clear();
    bool aboveCovered = false;
    auto* bits = reinterpret_cast<QRgb*>(m_image.bits());
    const std::ptrdiff_t stride = m_image.bytesPerLine() / std::ptrdiff_t(sizeof(QRgb));
    for (int y = 0; y < height; ++y) {
        QRgb* row = bits + y * stride;
        const bool sameBand = (y & ((1 << BandShift) - 1)) != 0;
        if (aboveCovered && changesAt(m_changes.data(), y) == 0) {
            std::memcpy(row, row - stride, std::size_t(width) * sizeof(QRgb));
            if (!sameBand)
                m_above.clear();  // a new band lists other layers
            continue;
        }
        const std::uint16_t* layers = m_bandLayers.data() + m_bandStart[std::size_t(y >> BandShift)];
        const int count = int(m_bandStart[std::size_t(y >> BandShift) + 1] - m_bandStart[std::size_t(y >> BandShift)]);
        int reused = 0;
        if (y > 0 && sameBand)
            while (reused < int(m_above.size()) && changesAt(m_layers[layers[reused]].changes, y) == 0)
                ++reused;
        aboveCovered = settleRow(y, layers, count, reused, row, row - stride);
    }
}

// Paints the columns of left..right that the open stretches hold, from the
// stretch at from on, and takes them out; returns how many stretches are
// left open and leaves from at the first one right of the run.
inline int FrameCanvas::paintOpen(Open* open, int opened, int& from, int left, int right, QRgb rgb, QRgb* row)
{
    int i = from;
    while (i < opened && open[i].right < left)
        ++i;
    while (i < opened && open[i].left <= right) {
        Open& o = open[i];
        const int first = std::max(o.left, left), last = std::min(o.right, right);
        fillRun(row + first, last - first + 1, rgb, PenMode::Copy);
        if (o.left < left && o.right > right) {  // the run splits the stretch in two
            std::copy_backward(open + i + 1, open + opened, open + opened + 1);
            open[i + 1] = {right + 1, o.right};
            o.right = left - 1;
            ++opened;
            ++i;
            break;
        }
        if (o.left < left) {
            o.right = left - 1;
            ++i;
        } else if (o.right > right) {
            o.left = right + 1;
            break;
        } else {
            std::copy(open + i + 1, open + opened, open + i);
            --opened;
        }
    }
    from = i;
    return opened;
}

// One row of the frame: the layers of its band, last call first, each
// painting only the columns still open. The first ones, reused, paint as
// on the row above. Returns whether the row was covered whole.
bool FrameCanvas::settleRow(int y, const std::uint16_t* layers, int count, int reused, QRgb* row, const QRgb* above)
{
    const int width = m_image.width();
    Open* open = m_open.data();
    int opened = 1;
    open[0] = {0, width - 1};
    m_here.assign(m_above.begin(), m_above.begin() + reused);
    if (reused > 0) {
        const Snapshot snapshot = m_here.back();
        for (std::uint32_t k = 0; k < snapshot.count; ++k)
            open[k] = m_kept[snapshot.first + k];
        opened = int(snapshot.count);
        int x = 0;  // the columns the reused layers cover come from the row above
        for (int i = 0; i <= opened; ++i) {
            const int end = i < opened ? open[i].left : width;
            if (end > x)
                std::memcpy(row + x, above + x, std::size_t(end - x) * sizeof(QRgb));
            if (i < opened)
                x = open[i].right + 1;
        }
    }
    for (int position = reused; position < count && opened > 0; ++position) {
        const Layer& layer = m_layers[layers[position]];
        if (y >= layer.top && y <= layer.bottom) {
            const Shape::Run* run = layer.runs + layer.rowStart[y - layer.top];
            const Shape::Run* end = layer.runs + layer.rowStart[y - layer.top + 1];
            int from = 0;  // the runs go left to right: each search goes on from the last
            for (; run != end; ++run)
                opened = paintOpen(open, opened, from, run->left, run->right, layer.rgb[run->part], row);
        }
        m_here.push_back({std::uint32_t(m_kept.size()), std::uint32_t(opened)});
        for (int k = 0; k < opened; ++k)  // a few stretches: no call to the library's copy
            m_kept.push_back(open[k]);
    }
    m_above.swap(m_here);
    return opened == 0;
}

} // namespace render
