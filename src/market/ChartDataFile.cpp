#include "ChartDataFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {
namespace {

std::atomic<std::uint32_t> chartFileCounter{randomChartFileSeed()};

// A chart data file belongs to this user alone; the name is never followed if it is a link.
// Read as well as written, so that a finished file can be turned round in place.
constexpr int kCreateFlags = O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
// Names tried before giving up when the folder is crowded with taken names.
constexpr int kNameAttempts = 1000;

std::filesystem::path numberedName(const std::filesystem::path& folder, const char* format,
                                   std::uint32_t number) {
    char name[32];
    std::snprintf(name, sizeof name, format, static_cast<unsigned>(number));
    return folder / name;
}

} // namespace

void seedChartFileCounter(std::uint32_t value) {
    chartFileCounter.store(value);
}

std::uint32_t randomChartFileSeed() {
    std::random_device device;
    return device() % 10000;
}

std::uint32_t nextChartFileNumber() {
    return chartFileCounter.fetch_add(1) + 1;
}

std::filesystem::path chartDataFileName(const std::filesystem::path& folder, std::uint32_t number) {
    return numberedName(folder, "~TEM%08X.QLM", number);
}

std::filesystem::path convertedFileName(const std::filesystem::path& folder, std::uint32_t number) {
    return numberedName(folder, "%%%%TEM%04X.TMP", number);
}

std::size_t removeChartDataFiles(const std::filesystem::path& folder) {
    std::size_t removed = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() < 8 || !name.starts_with("~TEM") || !name.ends_with(".QLM")) continue;
        std::error_code typeError;
        if (it->is_directory(typeError)) continue;
        if (::unlink(it->path().c_str()) == 0) ++removed;
    }
    return removed;
}

BarFileWriter::BarFileWriter() : buffer_(std::make_unique<PriceBar[]>(kBufferBars)) {}

BarFileWriter::~BarFileWriter() {
    discard();
}

int BarFileWriter::create(const std::filesystem::path& folder, Naming naming) {
    discard();
    error_ = EEXIST;
    for (int attempt = 0; attempt < kNameAttempts && error_ == EEXIST; ++attempt) {
        const std::uint32_t number = nextChartFileNumber();
        path_ = naming == Naming::Chart ? chartDataFileName(folder, number)
                                        : convertedFileName(folder, number);
        fd_ = ::open(path_.c_str(), kCreateFlags, 0600);
        error_ = fd_ >= 0 ? 0 : errno;
    }
    if (error_ != 0) path_.clear();
    return error_;
}

bool BarFileWriter::flush() {
    if (!writeOut(buffer_.get(), used_)) return false;
    used_ = 0;
    return true;
}

bool BarFileWriter::append(const PriceBar* bars, std::size_t n) {
    if (!flush() || !writeOut(bars, n)) return false;
    count_ += static_cast<std::int64_t>(n);
    return true;
}

bool BarFileWriter::writeOut(const PriceBar* bars, std::size_t n) {
    if (error_ != 0) return false;
    const char* data = reinterpret_cast<const char*>(bars);
    std::size_t left = n * sizeof(PriceBar);
    while (left > 0) {
        const ssize_t written = ::write(fd_, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            error_ = errno;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

int BarFileWriter::finish() {
    if (fd_ < 0) return error_ != 0 ? error_ : EBADF;
    flush();
    if (::close(fd_) != 0 && error_ == 0) error_ = errno;
    fd_ = -1;
    if (error_ != 0) {
        ::unlink(path_.c_str());
        path_.clear();
    }
    return error_;
}

int BarFileWriter::finishReversed() {
    if (fd_ >= 0 && flush()) reverseRecords();
    return finish();
}

// Swaps blocks from the two ends inwards, each block reversed, through the write buffer's two
// halves. A failure is kept in error_, which finish() reports.
void BarFileWriter::reverseRecords() {
    constexpr std::size_t kHalf = kBufferBars / 2;
    PriceBar* const front = buffer_.get();
    PriceBar* const back = front + kHalf;
    for (std::int64_t lo = 0, hi = count_; hi - lo >= 2;) {
        const auto n = std::min(kHalf, static_cast<std::size_t>((hi - lo) / 2));
        const std::int64_t backStart = hi - static_cast<std::int64_t>(n);
        if (!transfer(false, front, n, lo) || !transfer(false, back, n, backStart)) return;
        std::reverse(front, front + n);
        std::reverse(back, back + n);
        if (!transfer(true, back, n, lo) || !transfer(true, front, n, backStart)) return;
        lo += static_cast<std::int64_t>(n);
        hi = backStart;
    }
}

// Reads or writes `n` records at record number `record`; false (with the error kept) when the
// system call fails or the file is shorter than it should be.
bool BarFileWriter::transfer(bool writing, PriceBar* bars, std::size_t n, std::int64_t record) {
    char* data = reinterpret_cast<char*>(bars);
    std::size_t left = n * sizeof(PriceBar);
    off_t at = static_cast<off_t>(record) * static_cast<off_t>(sizeof(PriceBar));
    while (left > 0) {
        const ssize_t done = writing ? ::pwrite(fd_, data, left, at) : ::pread(fd_, data, left, at);
        if (done <= 0) {
            if (done < 0 && errno == EINTR) continue;
            error_ = done < 0 ? errno : EIO;
            return false;
        }
        data += done;
        at += done;
        left -= static_cast<std::size_t>(done);
    }
    return true;
}

void BarFileWriter::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
        ::unlink(path_.c_str());
    }
    used_ = 0;
    count_ = 0;
}

BarFileReader::~BarFileReader() {
    if (fd_ >= 0) ::close(fd_);
}

int BarFileReader::open(const std::filesystem::path& file) {
    if (fd_ >= 0) ::close(fd_);
    count_ = 0;
    fd_ = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return errno;
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return errno;
    if (!S_ISREG(info.st_mode)) return EIO;
    count_ = static_cast<std::int64_t>(info.st_size) / static_cast<std::int64_t>(sizeof(PriceBar));
    return 0;
}

int BarFileReader::read(std::int64_t first, std::size_t n, PriceBar* out) const {
    if (fd_ < 0) return EBADF;
    if (first < 0 || first > count_ || static_cast<std::int64_t>(n) > count_ - first) return EIO;
    char* data = reinterpret_cast<char*>(out);
    std::size_t left = n * sizeof(PriceBar);
    off_t at = static_cast<off_t>(first) * static_cast<off_t>(sizeof(PriceBar));
    while (left > 0) {
        const ssize_t got = ::pread(fd_, data, left, at);
        if (got < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (got == 0) return EIO; // the file shrank under us
        data += got;
        at += got;
        left -= static_cast<std::size_t>(got);
    }
    return 0;
}

} // namespace qm
