#include "market/ChartDataFile.h"

#include "MarketTestUtil.h"
#include "support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(ChartDataFile, NamesCarryTheCounterInHexadecimal) {
    const std::filesystem::path folder = "/t";
    EXPECT_EQ(chartDataFileName(folder, 0xAB), "/t/~TEM000000AB.QLM");
    EXPECT_EQ(chartDataFileName(folder, 0xFFFFFFFF), "/t/~TEMFFFFFFFF.QLM");
    EXPECT_EQ(convertedFileName(folder, 0xAB), "/t/%%TEM00AB.TMP");
    EXPECT_EQ(convertedFileName(folder, 0x12345), "/t/%%TEM12345.TMP");
    for (int i = 0; i < 20; ++i) EXPECT_LT(randomChartFileSeed(), 10000u);
}

TEST(ChartDataFile, WriterSkipsTakenNamesAndCleansUpUnfinishedFiles) {
    test::TempDir dir;
    const auto taken = dir.write("~TEM0000002A.QLM", "someone else's chart");
    seedChartFileCounter(0x29);
    {
        BarFileWriter writer;
        ASSERT_EQ(writer.create(dir.path(), BarFileWriter::Naming::Chart), 0);
        EXPECT_EQ(writer.path(), dir / "~TEM0000002B.QLM");
        EXPECT_TRUE(writer.append(PriceBar{1.0}));
    } // never finished
    EXPECT_EQ(dir.fileCount(), 1u);
    EXPECT_EQ(std::filesystem::file_size(taken), 20u);

    BarFileWriter writer;
    ASSERT_EQ(writer.create(dir.path(), BarFileWriter::Naming::Converted), 0);
    EXPECT_EQ(writer.path(), dir / "%%TEM002C.TMP");
    for (int i = 1; i <= 10000; ++i) ASSERT_TRUE(writer.append(PriceBar{double(i)}));
    ASSERT_EQ(writer.finish(), 0);
    const auto bars = test::readBars(writer.path());
    ASSERT_EQ(bars.size(), 10000u);
    EXPECT_EQ(bars.front().date, 1.0);
    EXPECT_EQ(bars.back().date, 10000.0);
}

// The writer turns a file round through two blocks of 4096 records swapped from the ends
// inwards: counts around those blocks leave one record, one short block or none in the middle.
TEST(ChartDataFile, WriterReversesRecordsInPlace) {
    test::TempDir dir;
    for (const int count : {0, 1, 2, 3, 4095, 4096, 8191, 8192, 8193, 8194, 12289, 20000}) {
        SCOPED_TRACE(count);
        BarFileWriter writer;
        ASSERT_EQ(writer.create(dir.path(), BarFileWriter::Naming::Chart), 0);
        for (int i = 1; i <= count; ++i) ASSERT_TRUE(writer.append(PriceBar{double(i), float(i)}));
        ASSERT_EQ(writer.finishReversed(), 0);
        const auto bars = test::readBars(writer.path());
        ASSERT_EQ(bars.size(), static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            ASSERT_EQ(bars[static_cast<std::size_t>(i)].date, double(count - i)) << "record " << i;
            ASSERT_EQ(bars[static_cast<std::size_t>(i)].open, float(count - i)) << "record " << i;
        }
    }
}

TEST(ChartDataFile, CleanupRemovesOnlyReaderFiles) {
    test::TempDir dir;
    for (const char* name : {"~TEM00000001.QLM", "~TEMX.QLM", "%%TEM0001.TMP", "other.QLM",
                             "~TEM00000002.txt", "prices.csv"})
        dir.write(name, "x");
    std::filesystem::create_directory(dir / "~TEM00000003.QLM");
    EXPECT_EQ(removeChartDataFiles(dir.path()), 2u);
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"%%TEM0001.TMP", "other.QLM", "prices.csv",
                                              "~TEM00000002.txt", "~TEM00000003.QLM"}));
    EXPECT_EQ(removeChartDataFiles(dir / "missing"), 0u);
}

TEST(ChartDataFile, ReaderRefusesRecordsOutsideTheFile) {
    test::TempDir dir;
    const auto file = dir / "bars";
    test::writeBars(file, {PriceBar{1.0}, PriceBar{2.0}});
    { std::ofstream(file, std::ios::binary | std::ios::app) << "tail"; } // a cut-off record
    BarFileReader reader;
    ASSERT_EQ(reader.open(file), 0);
    EXPECT_EQ(reader.recordCount(), 2);
    PriceBar out[2];
    EXPECT_EQ(reader.read(0, 2, out), 0);
    EXPECT_EQ(out[1].date, 2.0);
    EXPECT_EQ(reader.read(-1, 1, out), EIO);
    EXPECT_EQ(reader.read(1, 2, out), EIO);
    EXPECT_EQ(reader.read(2, 1, out), EIO);
}

} // namespace
} // namespace qm
