// Pixels named by their red, green and blue, for the tests' expectations.
#pragma once

#include "render/bitmap.h"

constexpr render::Pixel rgb(int red, int green, int blue)
{
    return render::pixelOf(render::Colour(red | green << 8 | blue << 16));
}
