#include "Inflate.h"

#include "TextRules.h"

#include <array>
#include <zlib.h>

namespace qm::download {
namespace {

// Each call of inflate() may produce at most this much, so a limit is checked at least this
// often.
constexpr std::size_t kChunk = 64 * 1024;

bool hasZlibHeader(std::string_view body) {
    if (body.size() < 2) return false;
    const auto b0 = static_cast<unsigned char>(body[0]);
    const auto b1 = static_cast<unsigned char>(body[1]);
    return (b0 & 0x0f) == Z_DEFLATED && (b0 * 256u + b1) % 31 == 0;
}

bool hasGzipMagic(const unsigned char* p, std::size_t n) {
    return n >= 2 && p[0] == 0x1f && p[1] == 0x8b;
}

class Inflater {
public:
    explicit Inflater(int windowBits) {
        if (inflateInit2(&z_, windowBits) != Z_OK) throw DecodeError("cannot start decoding");
    }
    ~Inflater() { inflateEnd(&z_); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;
    z_stream& stream() { return z_; }

private:
    z_stream z_{};
};

} // namespace

ContentEncoding contentEncodingOf(std::string_view headerValue) {
    const std::string value = toLower(trimBlanks(headerValue));
    if (value.empty() || value == "identity") return ContentEncoding::Identity;
    if (value == "gzip" || value == "x-gzip") return ContentEncoding::Gzip;
    if (value == "deflate") return ContentEncoding::Deflate;
    return ContentEncoding::Unsupported;
}

std::string decodeContent(std::string_view body, ContentEncoding encoding,
                          const InflateLimits& limits) {
    switch (encoding) {
    case ContentEncoding::Identity:
        if (body.size() > limits.maxDecodedBytes) throw DecodeError("answer too large");
        return std::string(body);
    case ContentEncoding::Unsupported:
        throw DecodeError("unsupported content encoding");
    case ContentEncoding::Gzip:
    case ContentEncoding::Deflate:
        break;
    }

    const bool gzip = encoding == ContentEncoding::Gzip;
    // Servers send "deflate" both with and without the zlib wrapper.
    Inflater inflater(gzip ? 15 + 16 : (hasZlibHeader(body) ? 15 : -15));
    z_stream& z = inflater.stream();
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(body.data()));
    z.avail_in = static_cast<uInt>(body.size());

    std::string out;
    std::array<unsigned char, kChunk> chunk;
    for (;;) {
        z.next_out = chunk.data();
        z.avail_out = static_cast<uInt>(chunk.size());
        const int rc = inflate(&z, Z_NO_FLUSH);
        const std::size_t produced = chunk.size() - z.avail_out;
        out.append(reinterpret_cast<const char*>(chunk.data()), produced);

        if (out.size() > limits.maxDecodedBytes) throw DecodeError("decoded answer too large");
        const std::size_t consumed = body.size() - z.avail_in;
        if (out.size() > limits.ratioFloorBytes && out.size() / limits.maxExpansionRatio > consumed)
            throw DecodeError("answer expands too much");

        if (rc == Z_STREAM_END) {
            // A gzip answer may hold several members one after the other; anything else after
            // the end is ignored.
            if (gzip && hasGzipMagic(z.next_in, z.avail_in)) {
                if (inflateReset(&z) != Z_OK) throw DecodeError("damaged compressed answer");
                continue;
            }
            return out;
        }
        if (rc == Z_BUF_ERROR && z.avail_in == 0) throw DecodeError("truncated compressed answer");
        if (rc != Z_OK) throw DecodeError("damaged compressed answer");
    }
}

} // namespace qm::download
