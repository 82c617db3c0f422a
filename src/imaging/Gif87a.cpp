#include "Gif87a.h"

#include "GifStringTable.h"
#include "ImagingMessages.h"

#include <memory>

namespace qm {
namespace {

constexpr std::uint16_t kClearCode = 256;
constexpr std::uint16_t kEndCode = 257;
constexpr std::uint16_t kFirstFreeCode = 258;
constexpr int kInitialCodeWidth = 9;
constexpr int kMaxCodeWidth = 12;
constexpr std::uint16_t kLastCode = 4095;
constexpr int kMaxSide = 65535;
constexpr std::size_t kSubBlockSize = 255;

void putByte(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
}

void putWord(std::string& out, unsigned value) {
    putByte(out, value);
    putByte(out, value >> 8);
}

void writeHeader(const IndexedBitmap& bitmap, std::string& out) {
    out += "GIF87a";
    putWord(out, static_cast<unsigned>(bitmap.width));
    putWord(out, static_cast<unsigned>(bitmap.height));
    // Global colour table, colour resolution 8 bits, not sorted, 256 entries.
    putByte(out, 0xF7);
    putByte(out, 0); // background colour index
    putByte(out, 0); // pixel aspect ratio: none given
    for (const RgbColour& c : bitmap.colours) {
        putByte(out, c.red);
        putByte(out, c.green);
        putByte(out, c.blue);
    }
    putByte(out, 0x2C); // image separator
    putWord(out, 0);    // left
    putWord(out, 0);    // top
    putWord(out, static_cast<unsigned>(bitmap.width));
    putWord(out, static_cast<unsigned>(bitmap.height));
    putByte(out, 0); // no local colour table, not interlaced
    putByte(out, 8); // LZW minimum code size
}

// Packs codes least significant bit first into bytes, and the bytes into data sub-blocks of
// 255 bytes (the last one shorter).
class CodeWriter {
public:
    explicit CodeWriter(std::string& out) : out_(out) {}

    void write(std::uint16_t code, int width) {
        bits_ |= static_cast<std::uint32_t>(code) << bitCount_;
        bitCount_ += width;
        while (bitCount_ >= 8) {
            appendByte(static_cast<char>(bits_ & 0xFF));
            bits_ >>= 8;
            bitCount_ -= 8;
        }
    }

    // Writes the partly filled last byte (high bits zero) and the last sub-block.
    void flush() {
        if (bitCount_ > 0) appendByte(static_cast<char>(bits_ & 0xFF));
        bits_ = 0;
        bitCount_ = 0;
        if (fill_ > 0) writeBlock();
    }

private:
    void appendByte(char byte) {
        block_[fill_++] = byte;
        if (fill_ == kSubBlockSize) writeBlock();
    }

    void writeBlock() {
        putByte(out_, static_cast<unsigned>(fill_));
        out_.append(block_.data(), fill_);
        fill_ = 0;
    }

    std::string& out_;
    std::array<char, kSubBlockSize> block_{};
    std::size_t fill_ = 0;
    std::uint32_t bits_ = 0;
    int bitCount_ = 0;
};

// The LZW compressor: the whole image is one stream of width x height indices in reading
// order.
class Compressor {
public:
    explicit Compressor(std::string& out)
        : writer_(out), table_(std::make_unique<GifStringTable>()) {}

    void compress(const std::vector<std::uint8_t>& pixels) {
        writer_.write(kClearCode, width_);
        std::uint16_t prefix = pixels.front();
        for (std::size_t i = 1; i < pixels.size(); ++i) {
            const std::uint8_t byte = pixels[i];
            const int slot = table_->find(prefix, byte);
            if (!table_->isFree(slot)) {
                prefix = table_->code(slot);
                continue;
            }
            table_->store(slot, nextCode_, prefix, byte);
            writer_.write(prefix, width_);
            prefix = byte;
            if (++nextCode_ > codeLimit_) grow();
        }
        writer_.write(prefix, width_);
        writer_.write(kEndCode, width_);
        writer_.flush();
    }

private:
    // Called once the code just assigned is the current limit (512, 1024, 2048, 4095): the
    // width grows by one bit, and after code 4095 the table starts again, announced by a clear
    // code in 12 bits.
    void grow() {
        if (width_ == kMaxCodeWidth) {
            writer_.write(kClearCode, width_);
            reset();
            return;
        }
        ++width_;
        codeLimit_ =
            width_ == kMaxCodeWidth ? kLastCode : static_cast<std::uint16_t>(codeLimit_ * 2);
    }

    void reset() {
        table_->clear();
        width_ = kInitialCodeWidth;
        nextCode_ = kFirstFreeCode;
        codeLimit_ = 1u << kInitialCodeWidth;
    }

    CodeWriter writer_;
    std::unique_ptr<GifStringTable> table_; // about 100 KB, too big for the stack
    int width_ = kInitialCodeWidth;
    std::uint16_t nextCode_ = kFirstFreeCode;
    std::uint16_t codeLimit_ = 1u << kInitialCodeWidth;
};

} // namespace

ImageResult SaveBitmapAsGif87a(const IndexedBitmap& bitmap, std::string& out) {
    namespace text = imaging_messages;
    if (bitmap.width <= 0 || bitmap.height <= 0)
        return ImageResult::failure(std::string(text::kNoPixels));
    if (bitmap.width > kMaxSide || bitmap.height > kMaxSide)
        return ImageResult::failure(std::string(text::kTooLargeForGif));
    if (bitmap.pixels.size() !=
        static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height))
        return ImageResult::failure(std::string(text::kPixelBufferMismatch));

    writeHeader(bitmap, out);
    Compressor(out).compress(bitmap.pixels);
    putByte(out, 0x00); // block terminator
    putByte(out, 0x3B); // trailer
    return ImageResult::success();
}

} // namespace qm
