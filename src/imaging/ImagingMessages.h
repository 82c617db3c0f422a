#pragma once
// The reasons the image encoders and writers give for a failure, in one place.

#include <string_view>

namespace qm::imaging_messages {

inline constexpr std::string_view kNoPixels = "The image has no pixels.";
inline constexpr std::string_view kPixelBufferMismatch =
    "The image's pixels do not match its width and height.";
inline constexpr std::string_view kTooLargeForGif =
    "A GIF image can be at most 65535 pixels wide and 65535 pixels high.";
inline constexpr std::string_view kTooLargeForBmp = "The image is too large for a bitmap file.";
inline constexpr std::string_view kTooLargeForPng = "The image is too large for a PNG file.";
inline constexpr std::string_view kNoMemory = "There is not enough memory to encode the image.";
inline constexpr std::string_view kUnknownExtension =
    "Unknown image file type; use .png, .bmp, .gif, .jpg or .jpeg.";
inline constexpr std::string_view kPdfIsNotAnImage =
    "PDF files are drawn anew at page size, not written from a chart image.";

} // namespace qm::imaging_messages
