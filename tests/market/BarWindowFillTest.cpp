#include "market/BarWindowFill.h"

#include "MarketTestUtil.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

// Record i of a test file has date 1000 + i and close i.
std::filesystem::path fileOf(const test::TempDir& dir, int count) {
    std::vector<PriceBar> bars(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) bars[i] = {1000.0 + i, 0, 0, 0, float(i), 0, 0};
    const auto file = dir / ("bars" + std::to_string(count));
    test::writeBars(file, bars);
    return file;
}

struct FillCase {
    int count, offset;
    int firstRecord, lastRecord; // loaded into slots 512 - n .. 511; none when last < first
};

TEST(FillWindow, LoadsTheRecordsEndingAtTheOffset) {
    test::TempDir dir;
    for (const FillCase c :
         {FillCase{1, 1, 0, 0}, FillCase{511, 1, 0, 510}, FillCase{512, 1, 1, 511},
          FillCase{600, 1, 89, 599}, FillCase{600, 550, 0, 50}, FillCase{600, 600, 0, 0},
          FillCase{600, 601, 0, -1}, FillCase{10, 3, 0, 7}, FillCase{10, 0, 0, 9}}) {
        SCOPED_TRACE(testing::Message() << c.count << " records, offset " << c.offset);
        BarWindow window;
        for (auto& bar : window) bar.date = 99.0; // what an earlier fill left
        WindowPosition position;
        position.offset = c.offset;
        test::RecordingSink sink;
        ASSERT_TRUE(fillWindow(window, position, fileOf(dir, c.count), sink));
        EXPECT_TRUE(sink.messages.empty());

        const int n = c.lastRecord - c.firstRecord + 1;
        EXPECT_EQ(countValidBars(window), n);
        for (int k = 0; k < n; ++k) {
            EXPECT_EQ(window[511 - k].date, 1000.0 + c.lastRecord - k);
            EXPECT_EQ(window[511 - k].close, float(c.lastRecord - k));
        }
        EXPECT_EQ(window[511 - n].date, 0.0);
        if (511 - n > 0) {
            EXPECT_EQ(window[510 - n].date, 99.0); // below the sentinel: untouched
        }
        EXPECT_EQ(position.recordCount, c.count);
        EXPECT_EQ(position.firstDate, 1000.0);
        EXPECT_EQ(position.lastDate, 1000.0 + c.count - 1);
    }
}

TEST(FillWindow, UnreadableFileShowsTheMessageAndEmptiesTheWindow) {
    test::TempDir dir;
    const auto empty = dir.write("empty", "");
    for (const auto& file : {dir / "missing", empty}) {
        BarWindow window{};
        window[511].date = 5.0;
        WindowPosition position;
        test::RecordingSink sink;
        EXPECT_FALSE(fillWindow(window, position, file, sink));
        EXPECT_EQ(sink.texts(),
                  std::vector<std::string>{"Dang ... we have an error reading the price data."});
        EXPECT_EQ(countValidBars(window), 0);
    }
}

} // namespace
} // namespace qm
