// The bundled sample files read and converted end to end, checked against groupings computed
// here from plain calendar arithmetic.

#include "MarketTestUtil.h"
#include "market/AsciiFileReader.h"
#include "market/IntervalConverter.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

namespace qm {
namespace {

const std::filesystem::path kSamples = QM_SAMPLES_DIR;

struct SampleCase {
    const char* file;
    int headerLines;
    DataKind kind;
};

void PrintTo(const SampleCase& c, std::ostream* os) {
    *os << c.file;
}

std::vector<PriceBar> readSample(const SampleCase& c, const test::TempDir& temp) {
    test::RecordingSink sink;
    TAsciiFileReader reader(FormatSettings::unitedStates(), temp.path(), 2016, sink);
    reader.readFile(kSamples / c.file);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(reader.layout().headerLines, c.headerLines);
    EXPECT_EQ(reader.dataKind(), c.kind);
    return reader.resultName().empty() ? std::vector<PriceBar>{}
                                       : test::readBars(reader.resultName());
}

std::size_t lineCount(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::size_t n = 0;
    for (std::string line; std::getline(in, line);) ++n;
    return n;
}

// Bars grouped by a period number, the last group dropped unless `complete` says otherwise.
std::vector<PriceBar> grouped(const std::vector<PriceBar>& days,
                              const std::function<long(double)>& period,
                              const std::function<bool(double)>& complete) {
    std::vector<PriceBar> out;
    for (std::size_t i = 0; i < days.size(); ++i) {
        if (i == 0 || period(days[i].date) != period(days[i - 1].date)) {
            out.push_back(days[i]);
            continue;
        }
        PriceBar& p = out.back();
        p.date = days[i].date;
        p.high = std::max(p.high, days[i].high);
        p.low = std::min(p.low, days[i].low);
        p.close = days[i].close;
        p.volume += days[i].volume;
    }
    if (!out.empty() && !complete(days.back().date)) out.pop_back();
    return out;
}

class Samples : public testing::TestWithParam<SampleCase> {};

TEST_P(Samples, ReadOldestFirstAndConvert) {
    const SampleCase& c = GetParam();
    test::TempDir temp;
    const std::vector<PriceBar> days = readSample(c, temp);
    ASSERT_EQ(days.size() + c.headerLines, lineCount(kSamples / c.file));
    for (std::size_t i = 1; i < days.size(); ++i) ASSERT_LT(days[i - 1].date, days[i].date);

    // Weeks run Monday to Sunday; day 2 was a Monday.
    const auto week = [](double d) { return static_cast<long>(d - 2) / 7; };
    const auto friday = [](double d) { return dayOfWeek(d) == 6; };
    const auto month = [](double d) {
        const CivilDate c = decodeDate(d);
        return static_cast<long>(c.year) * 12 + c.month;
    };
    const auto lastDay = [](double d) { // on or after the month's last weekday
        const CivilDate c = decodeDate(d);
        double end = *encodeDate(c.year, c.month, daysInMonth(c.year, c.month));
        while (dayOfWeek(end) == 1 || dayOfWeek(end) == 7) --end;
        return d >= end;
    };
    for (const auto& [interval, expected] :
         {std::pair{Interval::Weekly, grouped(days, week, friday)},
          std::pair{Interval::Monthly, grouped(days, month, lastDay)}}) {
        test::TempDir dir;
        test::writeBars(dir / "daily", days);
        const auto bars = test::readBars(convertInterval(dir / "daily", interval, dir.path()));
        ASSERT_EQ(bars.size(), expected.size());
        for (std::size_t i = 0; i < bars.size(); ++i) {
            ASSERT_EQ(bars[i].date, expected[i].date) << i;
            ASSERT_EQ(bars[i].open, expected[i].open) << i;
            ASSERT_EQ(bars[i].high, expected[i].high) << i;
            ASSERT_EQ(bars[i].low, expected[i].low) << i;
            ASSERT_EQ(bars[i].close, expected[i].close) << i;
            ASSERT_EQ(bars[i].volume, expected[i].volume) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, Samples,
                         testing::Values(SampleCase{"ACME = Acme Industries.csv", 1,
                                                    DataKind::Full},
                                         SampleCase{"BOLT.csv", 1, DataKind::HighLowCloseVolume},
                                         SampleCase{"KRNX.csv", 0, DataKind::HighLowCloseVolume},
                                         SampleCase{"QMIX.csv", 1, DataKind::Close}));

} // namespace
} // namespace qm
