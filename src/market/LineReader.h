#pragma once
// Reading a text file line by line through one large buffer. Lines end with LF, CR LF, or a
// lone CR when the file uses no LF at all, or with any of them when its first block mixes
// lone CRs with LFs; a UTF-8 byte order mark at the start is skipped, and
// a file that begins with a UTF-16 byte order mark is read as UTF-8 text. A line
// longer than kMaxLineLength is returned cut to that length and marked, so a file of one endless
// line costs bounded memory.

#include "Utf16Text.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

namespace qm {

class LineReader {
public:
    // No valid price line comes near this.
    static constexpr std::size_t kMaxLineLength = 4096;
    // The text of a line that was not cut is followed in memory by this many readable bytes,
    // the first of them its line end or NUL, so that a line may be read a word at a time.
    static constexpr std::size_t kReadableAfter = 128;

    struct Line {
        std::string_view text;   // valid until the next call
        bool cut = false;        // the line went on beyond `text`
        std::int64_t number = 0; // 1 for the file's first line
    };

    LineReader();
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Opens a regular file; anything else (a folder, a pipe, a device) is refused with EINVAL
    // rather than read, as it could block or never end. Returns 0 or an errno value.
    int open(const std::filesystem::path& file);
    // Starts again at the first line.
    int rewind();
    // The next line, or false at the end of the file or on a read error (see error()).
    bool next(Line& line);
    int error() const { return error_; }

private:
    static constexpr std::size_t kBufferSize = 1 << 20;
    template <bool MixedEnds> bool nextLine(Line& line);
    bool fill();
    // Reads more text to `into`, as ::read does: bytes read, 0 at the end, -1 with errno set.
    long readText(char* into, std::size_t room);
    long readUtf16(char* into, std::size_t room);
    bool skipRestOfLine();

    std::unique_ptr<char[]> buffer_;
    std::unique_ptr<char[]> longLine_; // the kept start of an overlong line
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    bool atStart_ = true;   // nothing read since the file's start
    bool endKnown_ = false; // whether the line end character has been chosen
    char lineEnd_ = '\n';
    bool mixedEnds_ = false; // lines end with CR, LF or CR LF alike
    int fd_ = -1;
    // A UTF-16 file's bytes, read ahead of their turning into UTF-8.
    std::optional<Utf16Order> utf16_;
    std::unique_ptr<unsigned char[]> raw_;
    std::size_t rawBegin_ = 0;
    std::size_t rawEnd_ = 0;
    bool rawEof_ = false;
    int error_ = 0;
    std::int64_t lineNumber_ = 0; // of the line returned last
};

} // namespace qm
