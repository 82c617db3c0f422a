#include "IndexedColours.h"

#include "ImagingMessages.h"
#include "MedianCut.h"

#include <unordered_map>

namespace qm {
namespace {

RgbColour toRgb(QRgb c) {
    return {static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
            static_cast<std::uint8_t>(qBlue(c))};
}

// Indexes the image with a table of its own colours; false when it has more than 256.
bool indexExactly(const QImage& rgb32, IndexedBitmap& out) {
    std::unordered_map<QRgb, std::uint8_t> indexOf;
    indexOf.reserve(512);
    std::size_t used = 0;
    std::uint8_t* pixel = out.pixels.data();
    for (int y = 0; y < rgb32.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
        // Charts are mostly long runs of one colour, so the last colour is checked first.
        QRgb last = 0;
        std::uint8_t lastIndex = 0;
        bool haveLast = false;
        for (int x = 0; x < rgb32.width(); ++x) {
            const QRgb c = line[x] & RGB_MASK;
            if (!haveLast || c != last) {
                auto [it, inserted] = indexOf.try_emplace(c, static_cast<std::uint8_t>(used));
                if (inserted) {
                    if (used == out.colours.size()) return false;
                    out.colours[used++] = toRgb(c);
                }
                last = c;
                lastIndex = it->second;
                haveLast = true;
            }
            *pixel++ = lastIndex;
        }
    }
    return true;
}

} // namespace

ImageResult toIndexedBitmap(const QImage& image, IndexedBitmap& out) {
    namespace text = imaging_messages;
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return ImageResult::failure(std::string(text::kNoPixels));
    const QImage rgb32 = image.convertToFormat(QImage::Format_RGB32);
    if (rgb32.isNull()) return ImageResult::failure(std::string(text::kNoPixels));

    out.width = rgb32.width();
    out.height = rgb32.height();
    out.pixels.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height),
                      0);
    out.colours.fill({});
    if (!indexExactly(rgb32, out)) {
        out.colours.fill({});
        indexByMedianCut(rgb32, out);
    }
    return ImageResult::success();
}

} // namespace qm
