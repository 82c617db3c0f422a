#pragma once
// Decoding of gzip and deflate compressed answers, with bounds: a small answer must not be
// able to unfold into gigabytes.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qm::download {

enum class ContentEncoding { Identity, Gzip, Deflate, Unsupported };

// The coding named by a Content-Encoding header value ("gzip", "x-gzip", "deflate",
// "identity" or none; any case, blanks around).
ContentEncoding contentEncodingOf(std::string_view headerValue);

struct InflateLimits {
    std::size_t maxDecodedBytes = 64u << 20;
    // Decoded bytes per compressed byte read so far, checked once the decoded text has passed
    // ratioFloorBytes (small texts may expand a lot legitimately).
    std::size_t maxExpansionRatio = 100;
    std::size_t ratioFloorBytes = 1u << 20;
};

class DecodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The decoded answer. Throws DecodeError on a damaged or truncated stream, an unsupported
// coding, or when a limit is passed.
std::string decodeContent(std::string_view body, ContentEncoding encoding,
                          const InflateLimits& limits);

} // namespace qm::download
