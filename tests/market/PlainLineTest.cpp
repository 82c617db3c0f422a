#include "market/PlainLine.h"

#include "market/DateText.h"
#include "market/PriceText.h"

#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>

namespace qm {
namespace {

// A line as a LineReader hands it over: its line end and readable bytes after it.
struct PaddedLine {
    std::string bytes;
    std::size_t length;
    explicit PaddedLine(std::string_view text)
        : bytes(std::string(text) + '\n' + std::string(LineReader::kReadableAfter, '\0')),
          length(text.size()) {}
    std::string_view text() const { return {bytes.data(), length}; }
};

ColumnMap standardColumns() {
    ColumnMap m;
    m.date = 0;
    m.open = 1;
    m.high = 2;
    m.low = 3;
    m.close = 4;
    m.volume = 5;
    return m;
}

// The date's text points into `line`.
std::optional<PriceBar> readPlain(PlainLineReader& reader, const PaddedLine& line,
                                  PlainDate& date) {
    PriceBar bar;
    if (!reader.read(line.text(), bar, date)) return std::nullopt;
    return bar;
}

TEST(PlainLine, ReadsPlainLinesAndLeavesTheRestToTheGeneralWay) {
    PlainLineReader reader;
    ASSERT_TRUE(reader.prepare(',', '.', 6, standardColumns(), '/'));
    struct Case {
        const char* line;
        bool plain;
    };
    for (const Case& c : {
             Case{"1/4/2016,106.05,107.5,105,106.95,3784300", true},
             Case{"12/31/2015,0.5,1.25,0.125,1,0", true},
             Case{"1/4/2016,123456789012.345,1,1,1,123456789012345", true}, // 15 digits
             Case{"1/4/2016,1234567890123456,1,1,1,1", false},              // 16 digits
             Case{"1/4/2016,12345678.5,1,1,1,1", true},                     // over a word
             Case{"1/4/2016,1.,1,1,1,1", false},
             Case{"1/4/2016,.5,1,1,1,1", false},
             Case{"1/4/2016,-1,1,1,1,1", false},
             Case{"1/4/2016,+1,1,1,1,1", false},
             Case{"1/4/2016,1e5,1,1,1,1", false},
             Case{"1/4/2016,1.2.3,1,1,1,1", false},
             Case{"1/4/2016, 1,1,1,1,1", false},
             Case{"1/4/2016,1 ,1,1,1,1", false},
             Case{"1/4/2016,\"1\",1,1,1,1", false},
             Case{"1/4/2016,,1,1,1,1", false},
             Case{"1/4/2016,1,1,1,1", false},    // a field short
             Case{"1/4/2016,1,1,1,1,1,", false}, // one more
             Case{"\"1/4/2016\",1,1,1,1,1", false},
             Case{" 1/4/2016,1,1,1,1,1", false},
             Case{",1,1,1,1,1", false},
             Case{"1/4/2016,1,1,1,1,1\xC2\xA0", false},
             Case{"1/4/2016,1,1,1,1,00000000000000000000000000000000000000000001", false},
         }) {
        SCOPED_TRACE(c.line);
        PlainDate date;
        EXPECT_EQ(readPlain(reader, PaddedLine(c.line), date).has_value(), c.plain);
    }
}

TEST(PlainLine, DatesOfThreeNumbersComeAsNumbers) {
    PlainLineReader reader;
    ASSERT_TRUE(reader.prepare(
        ';', '.', 3,
        [] {
            ColumnMap m;
            m.date = 1;
            m.close = 2;
            return m;
        }(),
        '-'));
    struct Case {
        const char* line;
        bool numbers;
        std::string_view text;
    };
    for (const Case& c :
         {Case{"x;2016-01-04;5", true, "2016-01-04"}, Case{"x;2016-1-4;5", true, "2016-1-4"},
          Case{";123456789-1-4;5", false, "123456789-1-4"},
          Case{"x;2016-01-04 10:00;5", false, "2016-01-04 10:00"},
          Case{"x;Jan 4, 2016;5", false, "Jan 4, 2016"}, Case{"x;2016-01;5", false, "2016-01"}}) {
        SCOPED_TRACE(c.line);
        const PaddedLine line(c.line);
        PlainDate date;
        ASSERT_TRUE(readPlain(reader, line, date));
        EXPECT_EQ(date.read, c.numbers);
        EXPECT_EQ(date.text, c.text);
        if (c.numbers) {
            EXPECT_EQ(dateOfNumbers(date.numbers, DateOrder::YearMonthDay, 2016),
                      (CivilDate{2016, 1, 4}));
        }
    }
}

TEST(PlainLine, NeverTakenForSpacesDecimalCommasOrTooManyFields) {
    PlainLineReader reader;
    EXPECT_FALSE(reader.prepare(' ', '.', 6, standardColumns(), '/'));
    EXPECT_FALSE(reader.prepare(',', ',', 6, standardColumns(), '/'));
    EXPECT_FALSE(reader.prepare(',', '.', LineFields::kKept + 1, standardColumns(), '/'));
    EXPECT_FALSE(reader.prepare(',', '.', 5, standardColumns(), '/'));
}

// Any line the quick way takes gives the values the general way reads from its fields.
TEST(PlainLine, AgreesWithTheGeneralWayOnRandomLines) {
    const std::string alphabet = "0123456789.,/ \"-+e";
    const std::vector<std::string> dates = {"1/4/2016",      "12/31/1999", "2/29/2015", "2/29/2016",
                                            "0/4/2016",      "1/4/16",     "1/4/0000",  "1/4/0019",
                                            "1/4/123456789", "12/30/1899"};
    const std::vector<std::string> numbers = {
        "123456789", "106.05", "0.125", "3784300", "12345678", "99999999.9999999",
        "1.",        ".5",     "",      "0",       "7.5",      "1234567890.12345"};
    std::mt19937 random(20161);
    // Mostly fields of the lists, sometimes characters picked at random.
    const auto randomField = [&](const std::vector<std::string>& list) {
        if (random() % 8 != 0) return list[random() % list.size()];
        std::string f;
        for (std::size_t n = random() % 20; n > 0; --n) f += alphabet[random() % alphabet.size()];
        return f;
    };
    PlainLineReader reader;
    ASSERT_TRUE(reader.prepare(',', '.', 6, standardColumns(), '/'));
    int plain = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string line = randomField(dates);
        const int fields = random() % 4 == 0 ? 5 + static_cast<int>(random() % 3) : 6;
        for (int f = 1; f < fields; ++f) line += ',' + randomField(numbers);
        SCOPED_TRACE(line);
        const PaddedLine padded(line);
        PlainDate date;
        const std::optional<PriceBar> bar = readPlain(reader, padded, date);
        if (!bar) continue;
        ++plain;
        LineFields split;
        splitFields(line, ',', split);
        ASSERT_EQ(split.count, 6u);
        EXPECT_EQ(date.text, split[0]);
        if (date.read) {
            EXPECT_EQ(dateOfNumbers(date.numbers, DateOrder::MonthDayYear, 2016),
                      parseDateText(split[0], DateOrder::MonthDayYear, '/', 2016));
        }
        const float* values[] = {&bar->open, &bar->high, &bar->low, &bar->close, &bar->volume};
        for (std::size_t f = 1; f < 6; ++f) {
            float general = 0.0f;
            ASSERT_EQ(readFieldNumber(split[f], '.', f == 5, general), FieldValue::Number);
            EXPECT_EQ(*values[f - 1], general) << split[f];
        }
    }
    EXPECT_GT(plain, 1000); // the lists make plain lines often
}

TEST(PlainNumber, GivesWhatParsePriceGives) {
    struct Case {
        const char* text;
        bool plain;
    };
    for (const Case& c : {Case{"0", true},
                          Case{"7", true},
                          Case{"106.05", true},
                          Case{"0.1", true},
                          Case{"3784300", true},
                          Case{"12345678", true},
                          Case{"123456789", true},
                          Case{"9999999.9", true},
                          Case{"16777217", true},
                          Case{"16777217.0", true},
                          Case{"0.00000000000001", true},
                          Case{"999999999999999", true},
                          Case{"99999999.9999999", true},
                          Case{"1234567.8", true},
                          Case{"1000000000000000", false},
                          Case{"0.000000000000001", false},
                          Case{"1..2", false},
                          Case{"1.", false},
                          Case{".1", false},
                          Case{"1.2.3", false},
                          Case{"12a", false},
                          Case{"\xD9\xA1", false},
                          Case{"", false}}) {
        SCOPED_TRACE(c.text);
        const PaddedLine line(c.text);
        float plain = 0.0f;
        ASSERT_EQ(readPlainNumber(line.text().data(), line.text().data() + line.length, plain),
                  c.plain);
        if (c.plain) {
            EXPECT_EQ(plain, parsePrice(c.text));
        }
    }
}

} // namespace
} // namespace qm
