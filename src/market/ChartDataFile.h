#pragma once
// Chart data files: flat files of PriceBar records (no header, no padding) in the temporary
// folder. The price file reader and the interval converter write them once; the chart window
// reads them by record number on every window fill.

#include "PriceBar.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

namespace qm {

// Every chart data file name takes the next value of one process-wide counter. Start-up seeds
// it with randomChartFileSeed() so that two runs seldom start on the same names.
void seedChartFileCounter(std::uint32_t value);
std::uint32_t randomChartFileSeed(); // below 10000
std::uint32_t nextChartFileNumber();

// "~TEM" + eight upper-case hexadecimal digits + ".QLM": files written by the reader.
std::filesystem::path chartDataFileName(const std::filesystem::path& folder, std::uint32_t number);
// "%%TEM" + at least four upper-case hexadecimal digits + ".TMP": weekly and monthly files.
std::filesystem::path convertedFileName(const std::filesystem::path& folder, std::uint32_t number);

// Deletes every "~TEM*.QLM" file in the folder (at start-up and shut-down) and returns how
// many went. Converted files are left alone: their chart windows delete them.
std::size_t removeChartDataFiles(const std::filesystem::path& folder);

// Writes a new chart data file through a large buffer. A file that was not finished is
// deleted when the writer goes, so a failed read or conversion leaves nothing behind.
// Errors are errno values; 0 means success.
class BarFileWriter {
public:
    enum class Naming { Chart, Converted };

    BarFileWriter();
    ~BarFileWriter();
    BarFileWriter(const BarFileWriter&) = delete;
    BarFileWriter& operator=(const BarFileWriter&) = delete;

    // Creates the file under the next free counter name. A name already taken (another run's
    // live chart, or a leftover) is skipped, never deleted or opened.
    int create(const std::filesystem::path& folder, Naming naming);

    bool append(const PriceBar& bar) {
        if (used_ == kBufferBars && !flush()) return false;
        buffer_[used_++] = bar;
        ++count_;
        return true;
    }
    // Appends `n` bars at once, written straight from where they are.
    bool append(const PriceBar* bars, std::size_t n);
    // Writes what is buffered, closes the file and keeps it.
    int finish();
    // As finish, with the records put in the reverse of the order appended: a file read newest
    // first is written as read and turned round in place, where the pages it already has are
    // overwritten, cheaper than holding its bars in fresh memory until the end.
    int finishReversed();
    // Closes and deletes the file.
    void discard();

    int error() const { return error_; }
    const std::filesystem::path& path() const { return path_; }
    std::int64_t count() const { return count_; }

private:
    static constexpr std::size_t kBufferBars = 8192; // 256 KB per write
    bool flush();
    bool writeOut(const PriceBar* bars, std::size_t n);
    void reverseRecords();
    bool transfer(bool writing, PriceBar* bars, std::size_t n, std::int64_t record);

    std::unique_ptr<PriceBar[]> buffer_;
    std::size_t used_ = 0;
    std::int64_t count_ = 0;
    int fd_ = -1;
    int error_ = 0;
    std::filesystem::path path_;
};

// Random access to the records of a chart data file. Errors are errno values; EIO stands for
// a record that is not in the file.
class BarFileReader {
public:
    BarFileReader() = default;
    ~BarFileReader();
    BarFileReader(const BarFileReader&) = delete;
    BarFileReader& operator=(const BarFileReader&) = delete;

    int open(const std::filesystem::path& file);
    // Whole records only: a cut-off tail does not count.
    std::int64_t recordCount() const { return count_; }
    // Reads `n` records from record `first` on into `out`.
    int read(std::int64_t first, std::size_t n, PriceBar* out) const;

private:
    int fd_ = -1;
    std::int64_t count_ = 0;
};

} // namespace qm
