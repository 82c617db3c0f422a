#pragma once
// The encoders of chart images into file formats. Each appends the file's bytes to `out`, or
// fails with a reason; after a failure `out` holds nothing usable.

#include "imaging/ImageResult.h"

#include <QImage>
#include <string>

namespace qm {

// Windows bitmap: 24 bits per pixel, rows bottom-up, each padded to a multiple of 4 bytes.
ImageResult encodeBmp(const QImage& image, std::string& out);

// JPEG through libjpeg: colour, baseline, quality 90.
ImageResult encodeJpeg(const QImage& image, std::string& out);

// PNG, 8-bit truecolour (any alpha dropped), fast rather than smallest: see PngEncoder.cpp.
ImageResult encodePng(const QImage& image, std::string& out);

// GIF87a with a 256-entry colour table (see IndexedColours.h for how colours are kept).
ImageResult encodeGif(const QImage& image, std::string& out);

} // namespace qm
