// PNG, 8-bit truecolour, written for speed on chart images: every row takes the Up filter and
// the rows are compressed in one piece by libdeflate at a low level. A chart is mostly rows
// that repeat the row above except where a line crosses them, so Up leaves long runs of zeros
// that compress about as well as the adaptive filters do, at a fraction of the time
// (docs/PERFORMANCE.md has the measurements).

#include "ImageEncoders.h"
#include "ImagingMessages.h"

#include <cstdint>
#include <libdeflate.h>
#include <memory>
#include <vector>

namespace qm {
namespace {

constexpr unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kCompressionLevel = 3;
constexpr unsigned char kFilterUp = 2;
constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFF;

void putBig32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(v >> shift));
}

void putBig32At(std::string& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>(v >> (24 - 8 * i));
}

// The chunk whose length field starts at `at` and whose data runs to the end of `out`: its
// length is filled in and its CRC appended.
void finishChunk(std::string& out, std::size_t at) {
    const std::size_t dataLength = out.size() - at - 8;
    putBig32At(out, at, static_cast<std::uint32_t>(dataLength));
    putBig32(out,
             static_cast<std::uint32_t>(libdeflate_crc32(0, out.data() + at + 4, dataLength + 4)));
}

std::size_t beginChunk(std::string& out, const char (&type)[5]) {
    const std::size_t at = out.size();
    putBig32(out, 0);
    out.append(type, 4);
    return at;
}

// Each row as filter type Up followed by its red, green and blue differences from the row
// above (the row above the first counts as zeros). Every byte is written, so the buffer is
// not cleared first.
std::unique_ptr<unsigned char[]> upFilteredRows(const QImage& rgb32, std::size_t size) {
    auto rows = std::make_unique_for_overwrite<unsigned char[]>(size);
    const auto width = static_cast<std::size_t>(rgb32.width());
    const std::vector<QRgb> zeros(width, 0);
    const QRgb* above = zeros.data();
    unsigned char* out = rows.get();
    for (int y = 0; y < rgb32.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
        *out++ = kFilterUp;
        for (std::size_t x = 0; x < width; ++x) {
            const QRgb now = line[x];
            const QRgb before = above[x];
            out[0] = static_cast<unsigned char>(qRed(now) - qRed(before));
            out[1] = static_cast<unsigned char>(qGreen(now) - qGreen(before));
            out[2] = static_cast<unsigned char>(qBlue(now) - qBlue(before));
            out += 3;
        }
        above = line;
    }
    return rows;
}

} // namespace

ImageResult encodePng(const QImage& image, std::string& out) {
    namespace text = imaging_messages;
    if (image.isNull()) return ImageResult::failure(std::string(text::kNoPixels));
    const QImage rgb32 = image.convertToFormat(QImage::Format_RGB32);
    if (rgb32.isNull()) return ImageResult::failure(std::string(text::kNoPixels));

    const std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)> compressor(
        libdeflate_alloc_compressor(kCompressionLevel), &libdeflate_free_compressor);
    if (!compressor) return ImageResult::failure(std::string(text::kNoMemory));
    const std::size_t rowsSize = (1 + 3 * static_cast<std::size_t>(rgb32.width())) *
                                 static_cast<std::size_t>(rgb32.height());
    const std::size_t bound = libdeflate_zlib_compress_bound(compressor.get(), rowsSize);
    if (bound > kMaxChunkLength) return ImageResult::failure(std::string(text::kTooLargeForPng));
    const auto rows = upFilteredRows(rgb32, rowsSize);
    // Only the pages the compressed rows fill are ever touched.
    const auto compressed = std::make_unique_for_overwrite<unsigned char[]>(bound);
    const std::size_t compressedSize =
        libdeflate_zlib_compress(compressor.get(), rows.get(), rowsSize, compressed.get(), bound);
    if (compressedSize == 0) return ImageResult::failure(std::string(text::kNoMemory));

    out.append(reinterpret_cast<const char*>(kSignature), sizeof kSignature);
    const std::size_t header = beginChunk(out, "IHDR");
    putBig32(out, static_cast<std::uint32_t>(rgb32.width()));
    putBig32(out, static_cast<std::uint32_t>(rgb32.height()));
    out.push_back(8); // bits per sample
    out.push_back(2); // truecolour
    out.push_back(0); // deflate
    out.push_back(0); // adaptive filtering, one filter type per row
    out.push_back(0); // not interlaced
    finishChunk(out, header);

    const std::size_t data = beginChunk(out, "IDAT");
    out.append(reinterpret_cast<const char*>(compressed.get()), compressedSize);
    finishChunk(out, data);

    finishChunk(out, beginChunk(out, "IEND"));
    return ImageResult::success();
}

} // namespace qm
