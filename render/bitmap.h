// A picture the game draws on: width x height pixels of 32 bits, row after
// row with no padding, each pixel's bytes red, green, blue and alpha in
// memory. Any front end shows it as it is: a browser canvas's ImageData
// takes these bytes, and a QImage of Format_RGBX8888 wraps them unchanged.
#pragma once

#include "canvas.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <span>
#include <vector>

namespace render {

// Read as a 32-bit number on a little-endian machine a pixel is
// 0xAABBGGRR: the colours' own layout, with an opaque alpha on top.
static_assert(std::endian::native == std::endian::little, "pixels are laid out for a little-endian machine");
using Pixel = std::uint32_t;

// The one conversion from a colour to a pixel: its low 24 bits, opaque.
constexpr Pixel pixelOf(Colour colour)
{
    return 0xFF000000u | (static_cast<std::uint32_t>(colour) & 0x00FFFFFFu);
}

class Bitmap {
public:
    Bitmap(int width, int height, Colour colour = 0)
        : m_width(width), m_height(height), m_pixels(std::size_t(width) * std::size_t(height), pixelOf(colour))
    {
    }

    int width() const { return m_width; }
    int height() const { return m_height; }
    Pixel* row(int y) { return m_pixels.data() + std::ptrdiff_t(y) * m_width; }
    const Pixel* row(int y) const { return m_pixels.data() + std::ptrdiff_t(y) * m_width; }
    Pixel pixel(int x, int y) const { return row(y)[x]; }
    std::span<const Pixel> pixels() const { return m_pixels; }
    // The pixels as bytes, R, G, B, A each, row after row.
    const std::uint8_t* bytes() const { return reinterpret_cast<const std::uint8_t*>(m_pixels.data()); }
    int bytesPerLine() const { return m_width * int(sizeof(Pixel)); }

    void fill(Colour colour) { std::fill(m_pixels.begin(), m_pixels.end(), pixelOf(colour)); }

    // Counts the drawings made on the bitmap, so that whoever shows it can
    // tell whether it has changed since it last looked.
    std::uint64_t drawings() const { return m_drawings; }
    void drawn() { ++m_drawings; }

    friend bool operator==(const Bitmap& a, const Bitmap& b)
    {
        return a.m_width == b.m_width && a.m_height == b.m_height && a.m_pixels == b.m_pixels;
    }

private:
    int m_width;
    int m_height;
    std::vector<Pixel> m_pixels;
    std::uint64_t m_drawings = 0;
};

} // namespace render
