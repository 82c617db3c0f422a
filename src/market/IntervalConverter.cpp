#include "IntervalConverter.h"

#include "Calendar.h"
#include "ChartDataFile.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <system_error>

namespace qm {
namespace {

constexpr std::size_t kChunkBars = 8192;

// Whether the month looks complete when its last daily bar falls on this day: any day after
// the 27th in February, the 30th in the thirty-day months, the 31st in the others.
bool endsMonth(const CivilDate& date) {
    if (date.day <= 27) return false;
    switch (date.month) {
    case 2:
        return true;
    case 4:
    case 6:
    case 9:
    case 11:
        return date.day == 30;
    default:
        return date.day == 31;
    }
}

[[noreturn]] void fail(int error, const char* what) {
    throw std::system_error(error, std::generic_category(), what);
}

} // namespace

std::filesystem::path convertInterval(const std::filesystem::path& dailyFile, Interval interval,
                                      const std::filesystem::path& tempFolder) {
    if (interval == Interval::Daily) fail(EINVAL, "a daily file needs no conversion");
    const bool weekly = interval == Interval::Weekly;
    BarFileWriter out;
    if (const int error = out.create(tempFolder, BarFileWriter::Naming::Converted))
        fail(error, "cannot create the converted chart data file");
    BarFileReader in;
    if (const int error = in.open(dailyFile)) fail(error, "cannot open the daily chart data file");

    auto chunk = std::make_unique<PriceBar[]>(kChunkBars);
    PriceBar pending;
    bool pendingEmpty = true;
    int previousKey = 0;
    CivilDate lastDate;
    bool ended = false;
    for (std::int64_t next = 0; !ended && next < in.recordCount();) {
        const auto n =
            static_cast<std::size_t>(std::min<std::int64_t>(kChunkBars, in.recordCount() - next));
        if (const int error = in.read(next, n, chunk.get()))
            fail(error, "cannot read the daily chart data file");
        next += static_cast<std::int64_t>(n);
        for (std::size_t i = 0; i < n; ++i) {
            const PriceBar& bar = chunk[i];
            if (bar.date == 0.0) {
                ended = true;
                break;
            }
            lastDate = decodeDate(bar.date);
            const int key = weekly ? dayOfWeek(bar.date) : lastDate.month;
            if (!weekly && previousKey == 0) previousKey = key;
            const bool newPeriod = weekly ? previousKey > key : previousKey != key;
            if (newPeriod && !pendingEmpty) {
                if (!out.append(pending)) fail(out.error(), "cannot write the converted file");
                pendingEmpty = true;
            }
            if (pendingEmpty) {
                pending = bar;
                pendingEmpty = false;
            } else if (weekly ? previousKey < key : previousKey == key) {
                pending.date = bar.date;
                pending.high = std::max(pending.high, bar.high);
                pending.low = std::min(pending.low, bar.low);
                pending.close = bar.close;
                pending.volume += bar.volume;
            }
            // Otherwise a repeated day of the week: neither a new week nor part of this one.
            previousKey = key;
        }
    }
    const bool complete = weekly ? previousKey == 6 : endsMonth(lastDate);
    if (!pendingEmpty && complete && !out.append(pending))
        fail(out.error(), "cannot write the converted file");
    if (const int error = out.finish()) fail(error, "cannot write the converted file");
    return out.path();
}

} // namespace qm
