#include "download/AsciiUpdater.h"

#include "support/FileContent.h"
#include "support/TempDir.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace qm {
namespace {

const std::string H = "Date,Open,High,Low,Close,Volume\r\n";

// Rows of June 2016 from day `last` down to day `first`, United States dates, all values `v`.
std::string juneRows(int last, int first, const std::string& v) {
    std::string out;
    for (int d = last; d >= first; --d)
        out += "6/" + std::to_string(d) + "/2016," + v + "," + v + "," + v + "," + v + "," + v +
               "\r\n";
    return out;
}

struct ScanCase {
    const char* name;
    std::string content;
    int fieldCount;
    char separator;
    int firstDataLine;
};

void PrintTo(const ScanCase& c, std::ostream* os) {
    *os << c.name;
}

class ScanLayout : public testing::TestWithParam<ScanCase> {};

TEST_P(ScanLayout, FindsTheFirstDataLine) {
    const ScanCase& c = GetParam();
    test::TempDir dir;
    TAsciiUpdater updater(FormatSettings::unitedStates());
    updater.FilePath = dir.write("IBM.csv", c.content).string();
    updater.ScanLayout();
    EXPECT_EQ(updater.FieldCount, c.fieldCount);
    EXPECT_EQ(updater.DateFound, c.fieldCount > 0);
    if (c.fieldCount > 0) {
        EXPECT_EQ(updater.Separator, c.separator);
        EXPECT_EQ(updater.FirstDataLine, c.firstDataLine);
    }
}

std::string preamble(int lines) {
    std::string out;
    for (int i = 0; i < lines; ++i) out += "Prices of IBM, as of today\r\n";
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ScanLayout,
    testing::Values(ScanCase{"Standard", H + juneRows(20, 19, "1"), 5, ',', 1},
                    ScanCase{"Blanks", "  6/1/2016 1 2 3 4 5\n", 5, ' ', 0},
                    ScanCase{"TabsWithThousands", "Date\tClose\n6/1/2016\t1\t2\t3\t4\t1,234\n", 5,
                             '\t', 1},
                    ScanCase{"DateAndClose", "6/1/2016,10.5\n", 1, ',', 0},
                    ScanCase{"DateOnTenthLine", preamble(9) + "6/1/2016,1,2,3,4,5\n", 5, ',', 9},
                    ScanCase{"DateOnEleventhLine", preamble(10) + "6/1/2016,1,2,3,4,5\n", 0, 0, 0},
                    ScanCase{"TwoPartDate", "6/1,1,2,3,4,5\n", 0, 0, 0},
                    ScanCase{"TrailingSeparator", "6/1/2016/,1,2,3,4,5\n", 0, 0, 0},
                    ScanCase{"OtherDateFormat", "2016-06-01,1,2,3,4,5\n", 0, 0, 0},
                    ScanCase{"Empty", "", 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct MergeCase {
    const char* name;
    std::string price;
    std::string update;
    std::string expected; // the merged price file; empty: refused, the price file unchanged
};

void PrintTo(const MergeCase& c, std::ostream* os) {
    *os << c.name;
}

class MergeUpdate : public testing::TestWithParam<MergeCase> {};

TEST_P(MergeUpdate, FoldsTheNewRowsIn) {
    const MergeCase& c = GetParam();
    test::TempDir dir;
    const auto price = dir.write("IBM = Intl Business Machines Corp.csv", c.price);
    const auto update = dir.write("IBM.upd", c.update);
    TAsciiUpdater updater(FormatSettings::unitedStates());
    const bool merged = updater.MergeUpdate(price.string(), update.string());
    EXPECT_EQ(merged, !c.expected.empty());
    EXPECT_EQ(test::readFile(price), c.expected.empty() ? c.price : c.expected);
    if (merged) {
        EXPECT_FALSE(std::filesystem::exists(update));
    }
    // Nothing is left beside the price file.
    std::size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        files += e.path() != update;
    EXPECT_EQ(files, 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MergeUpdate,
    testing::Values(
        MergeCase{"Overlapping", H + juneRows(20, 1, "1"), H + juneRows(30, 10, "2"),
                  H + juneRows(30, 10, "2") + juneRows(9, 1, "1")},
        MergeCase{"AllNewer", H + juneRows(20, 1, "1"), H + juneRows(30, 21, "2"),
                  H + juneRows(30, 21, "2") + juneRows(20, 1, "1")},
        MergeCase{"LfLineEndsBecomeCrLf", "Date,Open,High,Low,Close,Volume\n6/9/2016,1,1,1,1,1\n",
                  H + juneRows(10, 10, "2"), H + juneRows(10, 10, "2") + juneRows(9, 9, "1")},
        MergeCase{"BlankCommentAndPartialDateLinesDropped",
                  H + juneRows(20, 6, "1") + "\r\n# split 2:1\r\n6/5,1,1,1,1,1\r\n" +
                      juneRows(5, 1, "1"),
                  H + juneRows(30, 10, "2"), H + juneRows(30, 10, "2") + juneRows(9, 1, "1")},
        MergeCase{"UpdateWithoutHeader", H + juneRows(20, 1, "1"), juneRows(30, 10, "2"),
                  juneRows(29, 10, "2") + juneRows(9, 1, "1")},
        MergeCase{"LongPreamble", preamble(10) + juneRows(20, 1, "1"), H + juneRows(30, 10, "2"),
                  ""},
        MergeCase{"FieldCountsDiffer", "Date,Close\r\n6/20/2016,10.5\r\n6/19/2016,10.4\r\n",
                  H + juneRows(30, 10, "2"), ""},
        MergeCase{"UpdateWithoutDatedRow", H + juneRows(20, 1, "1"), juneRows(30, 30, "2"), ""},
        MergeCase{"PriceFileOldestFirst",
                  H + "6/1/2016,1,1,1,1,1\r\n6/2/2016,1,1,1,1,1\r\n6/3/2016,1,1,1,1,1\r\n",
                  H + juneRows(30, 10, "2"), ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MergeUpdate, MissingFilesAreRefused) {
    test::TempDir dir;
    const auto price = dir.write("IBM.csv", H + juneRows(20, 1, "1"));
    const auto update = dir.write("IBM.upd", H + juneRows(30, 10, "2"));
    TAsciiUpdater updater(FormatSettings::unitedStates());
    EXPECT_FALSE(updater.MergeUpdate((dir / "MSFT.csv").string(), update.string()));
    EXPECT_FALSE(updater.MergeUpdate(price.string(), (dir / "MSFT.upd").string()));
    EXPECT_EQ(test::readFile(price), H + juneRows(20, 1, "1"));
}

TEST(MergeUpdate, UsesTheRegionalDateFormat) {
    test::TempDir dir;
    // Read month first, 13/06/2016 would be no date and 12/06/2016 would be in December.
    const auto price = dir.write("BP.csv", H + "13/06/2016,1,1,1,1,1\r\n12/06/2016,1,1,1,1,1\r\n" +
                                               "09/06/2016,1,1,1,1,1\r\n");
    const auto update = dir.write("BP.upd", H + "14/06/2016,2,2,2,2,2\r\n12/06/2016,2,2,2,2,2\r\n");
    TAsciiUpdater updater(FormatSettings::dayFirst());
    ASSERT_TRUE(updater.MergeUpdate(price.string(), update.string()));
    EXPECT_EQ(test::readFile(price),
              H + "14/06/2016,2,2,2,2,2\r\n12/06/2016,2,2,2,2,2\r\n" + "09/06/2016,1,1,1,1,1\r\n");
}

TEST(MergeUpdate, TwoDigitYearsOfTheLastCenturyStayOlder) {
    test::TempDir dir;
    FormatSettings german;
    german.shortDatePattern = "dd/MM/yy";
    german.dateSeparator = '.';
    const auto price = dir.write("SIE.csv", H + "17.06.16,1,1,1,1,1\r\n31.12.99,1,1,1,1,1\r\n" +
                                                "30.12.99,1,1,1,1,1\r\n");
    const auto update = dir.write("SIE.upd", H + "20.06.16,2,2,2,2,2\r\n17.06.16,2,2,2,2,2\r\n");
    TAsciiUpdater updater(german);
    ASSERT_TRUE(updater.MergeUpdate(price.string(), update.string()));
    EXPECT_EQ(test::readFile(price), H + "20.06.16,2,2,2,2,2\r\n17.06.16,2,2,2,2,2\r\n" +
                                         "31.12.99,1,1,1,1,1\r\n30.12.99,1,1,1,1,1\r\n");
}

// Files written while it lives may grow to `bytes` at most; writing past that fails (EFBIG).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : signal_(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, signal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*signal_)(int);
};

TEST(MergeUpdate, AFailedReplacementKeepsTheOldFile) {
    test::TempDir dir;
    const std::string oldText = H + juneRows(20, 1, "1");
    const auto price = dir.write("P.csv", oldText);
    const auto update = dir.write("P.upd", H + juneRows(30, 10, "2"));
    TAsciiUpdater updater(FormatSettings::unitedStates());
    {
        // The merged text is longer than the old, so writing it fails.
        const FileSizeLimit limit(oldText.size());
        EXPECT_FALSE(updater.MergeUpdate(price.string(), update.string()));
    }
    EXPECT_EQ(test::readFile(price), oldText);
    EXPECT_EQ(dir.fileCount(), 1u);
}

} // namespace
} // namespace qm
