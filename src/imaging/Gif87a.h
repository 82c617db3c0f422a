#pragma once
// The GIF87a encoder: one image of 8-bit palette indices with a 256-entry colour table, its
// pixels compressed with variable-length LZW codes of 9 to 12 bits.

#include "imaging/ImageResult.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qm {

struct RgbColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const RgbColour&, const RgbColour&) = default;
};

// An image as palette indices: `width` bytes per row, top row first, each an index into
// `colours`.
struct IndexedBitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
    std::array<RgbColour, 256> colours{};
};

// Appends the GIF87a file of `bitmap` to `out`. A bitmap without pixels, one wider or taller
// than 65,535 pixels, or one whose pixel buffer does not hold width x height indices is
// refused, and `out` is left as it was.
ImageResult SaveBitmapAsGif87a(const IndexedBitmap& bitmap, std::string& out);

} // namespace qm
