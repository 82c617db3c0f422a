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

// Whether the month looks complete when its last daily bar falls on this day: on or after the
// month's last weekday, so that a month ending on a weekend is not waiting for bars that never
// come.
bool endsMonth(const CivilDate& date) {
    int lastWeekday = daysInMonth(date.year, date.month);
    for (;;) {
        const int weekday = dayOfWeek(*encodeDate(date.year, date.month, lastWeekday));
        if (weekday != 1 && weekday != 7) break; // Sunday, Saturday
        --lastWeekday;
    }
    return date.day >= lastWeekday;
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
    double previousDate = 0.0;
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
            // A month is known by its year as well: the same month of two years is two bars.
            const int key = weekly ? dayOfWeek(bar.date) : lastDate.year * 12 + lastDate.month;
            if (!weekly && previousKey == 0) previousKey = key;
            // A week also ends at a gap of a week or more, whatever the days of the week.
            const bool newPeriod =
                weekly ? previousKey > key || bar.date - previousDate >= 7.0 : previousKey != key;
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
            // Otherwise a repeated date: neither a new week nor part of this one.
            previousKey = key;
            previousDate = bar.date;
        }
    }
    const bool complete = !pendingEmpty && (weekly ? previousKey == 6 : endsMonth(lastDate));
    if (complete && !out.append(pending)) fail(out.error(), "cannot write the converted file");
    if (const int error = out.finish()) fail(error, "cannot write the converted file");
    return out.path();
}

} // namespace qm
