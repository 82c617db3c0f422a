#include "ImageEncoders.h"
#include "ImagingMessages.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>
#include <jpeglib.h>
#include <memory>

namespace qm {
namespace {

constexpr int kQuality = 90;

// libjpeg reports errors by calling error_exit, which must not return; it jumps back to
// compress() with the library's message.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void onError(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, errors->message);
    std::longjmp(errors->jump, 1);
}

void ignoreWarning(j_common_ptr) {}

// Compresses RGB888 rows into a buffer that libjpeg allocates with malloc and hands back
// through `buffer` (also on failure). Nothing here has a destructor, so the error jump skips
// none.
bool compress(const QImage& rgb888, unsigned char** buffer, unsigned long* size,
              ErrorManager& errors) {
    jpeg_compress_struct cinfo;
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.output_message = ignoreWarning;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, buffer, size);
    cinfo.image_width = static_cast<JDIMENSION>(rgb888.width());
    cinfo.image_height = static_cast<JDIMENSION>(rgb888.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, kQuality, TRUE); // TRUE: quantisation tables fit baseline
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        // libjpeg only reads the rows, whatever its prototype says.
        JSAMPROW row =
            const_cast<JSAMPROW>(rgb888.constScanLine(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

} // namespace

ImageResult encodeJpeg(const QImage& image, std::string& out) {
    namespace text = imaging_messages;
    if (image.isNull()) return ImageResult::failure(std::string(text::kNoPixels));
    const QImage rgb888 = image.convertToFormat(QImage::Format_RGB888);
    if (rgb888.isNull()) return ImageResult::failure(std::string(text::kNoPixels));

    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    ErrorManager errors{};
    const bool ok = compress(rgb888, &buffer, &size, errors);
    const std::unique_ptr<unsigned char, decltype(&std::free)> owned(buffer, &std::free);
    if (!ok) return ImageResult::failure(errors.message);
    out.append(reinterpret_cast<const char*>(buffer), size);
    return ImageResult::success();
}

} // namespace qm
