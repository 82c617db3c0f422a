#include "ChartImage.h"

#include "ImageEncoders.h"
#include "ImagingMessages.h"
#include "market/SafeFile.h"

#include <algorithm>
#include <cctype>
#include <new>

namespace qm {

std::optional<ChartFileFormat> chartFileFormat(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == ".png") return ChartFileFormat::Png;
    if (ext == ".bmp") return ChartFileFormat::Bmp;
    if (ext == ".gif") return ChartFileFormat::Gif;
    if (ext == ".jpg" || ext == ".jpeg") return ChartFileFormat::Jpeg;
    if (ext == ".pdf") return ChartFileFormat::Pdf;
    return std::nullopt;
}

ImageResult encodeChartImage(const QImage& image, ChartFileFormat format, std::string& out) {
    try {
        switch (format) {
        case ChartFileFormat::Png:
            return encodePng(image, out);
        case ChartFileFormat::Bmp:
            return encodeBmp(image, out);
        case ChartFileFormat::Gif:
            return encodeGif(image, out);
        case ChartFileFormat::Jpeg:
            return encodeJpeg(image, out);
        case ChartFileFormat::Pdf:
            break;
        }
    } catch (const std::bad_alloc&) {
        return ImageResult::failure(std::string(imaging_messages::kNoMemory));
    }
    return ImageResult::failure(std::string(imaging_messages::kPdfIsNotAnImage));
}

ImageResult saveChartImage(const QImage& image, const std::filesystem::path& path) {
    const std::optional<ChartFileFormat> format = chartFileFormat(path);
    if (!format) return ImageResult::failure(std::string(imaging_messages::kUnknownExtension));
    std::string bytes;
    if (ImageResult encoded = encodeChartImage(image, *format, bytes); !encoded) return encoded;
    const SaveResult saved = saveFileAtomically(path, bytes);
    if (!saved) return ImageResult::failure(saved.reason);
    return ImageResult::success();
}

} // namespace qm
