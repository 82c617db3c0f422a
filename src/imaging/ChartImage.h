#pragma once
// Saving a chart as a file, in the format its name's extension asks for.

#include "imaging/ImageResult.h"

#include <QImage>
#include <filesystem>
#include <optional>
#include <string>

namespace qm {

enum class ChartFileFormat { Png, Bmp, Gif, Jpeg, Pdf };

// The format named by the extension of `path`, in any case: .png, .bmp, .gif, .jpg or .jpeg,
// and .pdf; nothing for any other extension.
std::optional<ChartFileFormat> chartFileFormat(const std::filesystem::path& path);

// Encodes the image in one of the image formats. A PDF is not made from a finished image but
// by drawing the chart anew on a page, so Pdf is refused here.
ImageResult encodeChartImage(const QImage& image, ChartFileFormat format, std::string& out);

// Writes the image to `path` in the format of its extension. The file is replaced atomically:
// after a failure there is no new file and an old one is untouched.
ImageResult saveChartImage(const QImage& image, const std::filesystem::path& path);

} // namespace qm
