#include "LineReader.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {
namespace {

// The first `c` in the `n` bytes from `p`, or null. The first bytes, where a price line's end
// lies, are searched a word at a time without a call; the seven bytes after the n must be
// readable.
const char* findByte(const char* p, std::size_t n, char c) {
    constexpr std::uint64_t kEachByte = 0x0101010101010101;
    constexpr std::size_t kQuick = 64;
    for (std::size_t at = 0; at < kQuick && at < n; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, p + at, sizeof word);
        const std::uint64_t x = word ^ (static_cast<unsigned char>(c) * kEachByte);
        // The lowest byte flagged is the first byte equal to c; flags above it may be wrong.
        const std::uint64_t zero = (x - kEachByte) & ~x & 0x80 * kEachByte;
        if (zero != 0) {
            const std::size_t found = at + static_cast<std::size_t>(std::countr_zero(zero)) / 8;
            return found < n ? p + found : nullptr;
        }
    }
    if (n <= kQuick) return nullptr;
    return static_cast<const char*>(std::memchr(p + kQuick, c, n - kQuick));
}

// Whether a CR in the bytes ends a line by itself, not followed by an LF. A CR at the end
// counts, as what follows it is unknown.
bool hasLoneCarriageReturn(const char* p, std::size_t n) {
    const char* const end = p + n;
    while (const void* hit = std::memchr(p, '\r', static_cast<std::size_t>(end - p))) {
        p = static_cast<const char*>(hit) + 1;
        if (p == end || *p != '\n') return true;
    }
    return false;
}

// The first CR or LF in the `n` bytes from `p`, or null.
const char* findCrOrLf(const char* p, std::size_t n) {
    for (const char* const end = p + n; p < end; ++p)
        if (*p == '\n' || *p == '\r') return p;
    return nullptr;
}

// UTF-16 bytes read at a time, and the most UTF-8 bytes one character of them becomes.
constexpr std::size_t kRawSize = 1 << 16;
constexpr std::size_t kLongestCharacter = 4;

} // namespace

LineReader::LineReader()
    : buffer_(std::make_unique_for_overwrite<char[]>(kBufferSize + kReadableAfter)),
      longLine_(std::make_unique<char[]>(kMaxLineLength + kReadableAfter)) {}

LineReader::~LineReader() {
    if (fd_ >= 0) ::close(fd_);
}

int LineReader::open(const std::filesystem::path& file) {
    if (fd_ >= 0) ::close(fd_);
    // Non-blocking so that opening a named pipe cannot wait for a writer.
    fd_ = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) return error_ = errno;
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return error_ = errno;
    if (!S_ISREG(info.st_mode)) return error_ = EINVAL;
    endKnown_ = false;
    unsigned char mark[2];
    const ssize_t got = ::pread(fd_, mark, sizeof mark, 0);
    if (got < 0) return error_ = errno;
    utf16_ = utf16OrderOfMark(mark, static_cast<std::size_t>(got));
    if (utf16_ && !raw_) raw_ = std::make_unique_for_overwrite<unsigned char[]>(kRawSize);
    return rewind();
}

int LineReader::rewind() {
    if (fd_ < 0) return error_ = EBADF;
    begin_ = end_ = 0;
    eof_ = false;
    atStart_ = true;
    lineNumber_ = 0;
    error_ = 0;
    rawBegin_ = rawEnd_ = 0;
    rawEof_ = false;
    // The text of a UTF-16 file begins after its byte order mark.
    if (::lseek(fd_, utf16_ ? 2 : 0, SEEK_SET) < 0) error_ = errno;
    return error_;
}

long LineReader::readText(char* into, std::size_t room) {
    if (utf16_) return readUtf16(into, room);
    return ::read(fd_, into, room);
}

long LineReader::readUtf16(char* into, std::size_t room) {
    for (;;) {
        if (rawBegin_ < rawEnd_ || rawEof_) {
            std::size_t used = 0;
            const std::size_t written = utf16ToUtf8(raw_.get() + rawBegin_, rawEnd_ - rawBegin_,
                                                    *utf16_, rawEof_, into, room, used);
            rawBegin_ += used;
            if (written > 0 || rawEof_) return static_cast<long>(written);
        }
        std::memmove(raw_.get(), raw_.get() + rawBegin_, rawEnd_ - rawBegin_);
        rawEnd_ -= rawBegin_;
        rawBegin_ = 0;
        const ssize_t got = ::read(fd_, raw_.get() + rawEnd_, kRawSize - rawEnd_);
        if (got < 0) return -1;
        if (got == 0) rawEof_ = true;
        rawEnd_ += static_cast<std::size_t>(got);
    }
}

// Moves the unread rest to the front and reads more behind it; false at the end or on error.
bool LineReader::fill() {
    if (eof_ || error_ != 0) return false;
    if (begin_ > 0) {
        std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
        // The moved text is followed by NULs even when nothing more is read.
        std::memset(buffer_.get() + end_, 0, kReadableAfter);
    }
    for (;;) {
        const long got = readText(buffer_.get() + end_, kBufferSize - end_);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            error_ = errno;
            return false;
        }
        if (got == 0) {
            eof_ = true;
            return false;
        }
        if (!endKnown_) {
            // A file with CR but no LF in its first block uses CR alone to end lines.
            const char* p = buffer_.get() + end_;
            const auto n = static_cast<std::size_t>(got);
            const bool lf = std::memchr(p, '\n', n) != nullptr;
            lineEnd_ = !lf && std::memchr(p, '\r', n) ? '\r' : '\n';
            // A file joined from parts of both kinds ends its lines with either.
            mixedEnds_ = lf && hasLoneCarriageReturn(p, n);
            endKnown_ = true;
        }
        end_ += static_cast<std::size_t>(got);
        std::memset(buffer_.get() + end_, 0, kReadableAfter);
        // Spreadsheets often begin a text file with a UTF-8 byte order mark; it is no text.
        if (atStart_ && end_ >= 3 && std::memcmp(buffer_.get(), "\xEF\xBB\xBF", 3) == 0) begin_ = 3;
        atStart_ = false;
        return true;
    }
}

// Drops buffered and unread text up to and including the next line end.
bool LineReader::skipRestOfLine() {
    for (;;) {
        const char* start = buffer_.get() + begin_;
        const std::size_t avail = end_ - begin_;
        if (const char* hit = mixedEnds_
                                  ? findCrOrLf(start, avail)
                                  : static_cast<const char*>(std::memchr(start, lineEnd_, avail))) {
            begin_ += static_cast<std::size_t>(hit - start) + 1;
            return true;
        }
        begin_ = end_;
        if (!fill()) return error_ == 0;
    }
}

bool LineReader::next(Line& line) {
    if (fd_ < 0) return false;
    return mixedEnds_ ? nextLine<true>(line) : nextLine<false>(line);
}

// The common file's lines are found apart from those of a file of mixed line ends, so that
// finding its line ends costs nothing more.
template <bool MixedEnds> bool LineReader::nextLine(Line& line) {
    std::size_t scanned = 0; // bytes of the current line known to hold no line end
    for (;;) {
        const char* start = buffer_.get() + begin_;
        const std::size_t avail = end_ - begin_;
        const char* hit = MixedEnds ? findCrOrLf(start + scanned, avail - scanned)
                                    : findByte(start + scanned, avail - scanned, lineEnd_);
        if (MixedEnds && hit && *hit == '\r' && hit + 1 == start + avail && !eof_ &&
            kBufferSize - avail >= kLongestCharacter) {
            // Whether an LF follows the CR is in the next read.
            scanned = static_cast<std::size_t>(hit - start);
            hit = nullptr;
            if (!fill() && error_ != 0) return false;
            continue;
        }
        if (hit || (eof_ && avail > 0)) {
            std::size_t length = hit ? static_cast<std::size_t>(hit - start) : avail;
            begin_ += hit ? length + 1 : length;
            if (MixedEnds && hit && *hit == '\r' && hit[1] == '\n') ++begin_;
            if (lineEnd_ == '\n' && length > 0 && start[length - 1] == '\r') --length;
            line.cut = length > kMaxLineLength;
            line.text = {start, line.cut ? kMaxLineLength : length};
            line.number = ++lineNumber_;
            return true;
        }
        scanned = avail;
        if (kBufferSize - avail < kLongestCharacter) {
            // The line fills the whole buffer: keep its start and pass over the rest.
            std::memcpy(longLine_.get(), start, kMaxLineLength);
            begin_ = end_;
            if (!skipRestOfLine()) return false;
            line.text = {longLine_.get(), kMaxLineLength};
            line.cut = true;
            line.number = ++lineNumber_;
            return true;
        }
        if (!fill()) {
            if (error_ != 0) return false;
            if (end_ == begin_) return false;
        }
        // fill() moved the rest to the front; `scanned` still counts from the line start.
    }
}

} // namespace qm
