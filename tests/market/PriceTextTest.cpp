#include "market/PriceText.h"

#include "MarketTestUtil.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace qm {
namespace {

TEST(SplitLine, DropsEmptyPiecesAndKeepsTheFirstEight) {
    struct Case {
        const char* line;
        char separator;
        std::vector<std::string_view> pieces;
        std::size_t count;
        bool keepGaps = false;
    };
    for (const Case& c :
         {Case{"a,,b", ',', {"a", "b"}, 2}, Case{",a,", ',', {"a"}, 1},
          Case{"a  b   c", ' ', {"a", "b", "c"}, 3}, Case{"\"1,5\",2", ',', {"\"1", "5\"", "2"}, 3},
          Case{"a,b c", '\0', {"a,b c"}, 1}, Case{"", ',', {}, 0},
          Case{"1,2,3,4,5,6,7,8,9,10", ',', {"1", "2", "3", "4", "5", "6", "7", "8"}, 10},
          Case{"a\tb  \t c", ' ', {"a", "b", "c"}, 3},
          Case{",a,,b,,,c,", ',', {"a", "", "b", "", "", "c"}, 6, true}}) {
        SCOPED_TRACE(c.line);
        LinePieces out;
        splitLine(c.line, c.separator, out, c.keepGaps);
        EXPECT_EQ(out.count, c.count);
        for (std::size_t i = 0; i < c.pieces.size(); ++i) EXPECT_EQ(out[i], c.pieces[i]);
        EXPECT_EQ(out[LinePieces::kKept], "");
    }
}

TEST(SplitFields, KeepEmptyFieldsAndQuotedSeparators) {
    struct Case {
        const char* line;
        char separator;
        std::vector<std::string_view> fields;
        std::size_t filled;
    };
    for (const Case& c : {
             Case{"a,,b", ',', {"a", "", "b"}, 2},
             Case{",a,", ',', {"", "a", ""}, 1},
             Case{"\"1,5\",2", ',', {"1,5", "2"}, 2},
             Case{"\"say \"\"hi\"\"\";x", ';', {"say \"\"hi\"\"", "x"}, 2},
             Case{" \"a\" , b ", ',', {"a", "b"}, 2},
             Case{"\"a\"b,c", ',', {"\"a\"b", "c"}, 2}, // not what its quotes say: kept whole
             Case{"\"open", ',', {"open"}, 1},
             Case{"a  b", ' ', {"a", "b"}, 2},
             Case{"a\t\tb", '\t', {"a", "", "b"}, 2},
         }) {
        SCOPED_TRACE(c.line);
        LineFields out;
        splitFields(c.line, c.separator, out);
        ASSERT_EQ(out.count, c.fields.size());
        EXPECT_EQ(out.filled, c.filled);
        for (std::size_t i = 0; i < c.fields.size(); ++i) EXPECT_EQ(out[i], c.fields[i]);
    }
}

TEST(ReadFieldNumber, TakesTheNumberFormsOfExports) {
    struct Case {
        const char* text;
        char decimalMark;
        bool volume;
        FieldValue result;
        float value = 0;
    };
    for (const Case& c : {
             Case{"10.5", '.', false, FieldValue::Number, 10.5f},
             Case{"1,234.50", '.', false, FieldValue::Number, 1234.5f},
             Case{"1.234,50", ',', false, FieldValue::Number, 1234.5f},
             Case{"10,5", ',', false, FieldValue::Number, 10.5f},
             Case{"1.234.567", ',', true, FieldValue::Number, 1234567},
             Case{"12 345,5", ',', false, FieldValue::Number, 12345.5f},
             Case{"1'234.5", '.', false, FieldValue::Number, 1234.5f},
             Case{"$105.35", '.', false, FieldValue::Number, 105.35f},
             Case{"-$1.5", '.', false, FieldValue::Number, -1.5f},
             Case{"\xE2\x82\xAC 12,5", ',', false, FieldValue::Number, 12.5f}, // euro sign
             Case{"2.39M", '.', true, FieldValue::Number, 2390000},
             Case{"512.5K", '.', true, FieldValue::Number, 512500},
             Case{"1.1B", '.', true, FieldValue::Number, 1.1e9f},
             Case{"+1e3", '.', false, FieldValue::Number, 1000},
             Case{"null", '.', false, FieldValue::Missing},
             Case{" N/A ", ',', false, FieldValue::Missing},
             Case{"NaN", '.', false, FieldValue::Missing},
             Case{"-", '.', true, FieldValue::Missing},
             Case{"", '.', false, FieldValue::Missing},
             Case{"2.39M", '.', false, FieldValue::Bad}, // suffixes are for volumes
             Case{"1,23", '.', false, FieldValue::Bad},
             Case{"1234,567.5", '.', false, FieldValue::Bad},
             Case{"10.50", ',', false, FieldValue::Bad},
             Case{"1.2.3", '.', false, FieldValue::Bad},
             Case{"abc", '.', false, FieldValue::Bad},
             Case{"inf", '.', false, FieldValue::Bad},
             Case{"1e39", '.', false, FieldValue::Bad},
             Case{"$", '.', false, FieldValue::Bad},
             Case{"5 M", '.', true, FieldValue::Bad},
         }) {
        SCOPED_TRACE(c.text);
        float value = -7;
        EXPECT_EQ(readFieldNumber(c.text, c.decimalMark, c.volume, value), c.result);
        if (c.result == FieldValue::Number) {
            EXPECT_EQ(value, c.value);
        }
    }
}

// The quick way of exact decimals as singles, and of plain decimals, reads what the full
// decimal reader reads, the halfway cases between two singles included.
TEST(ExactDecimal, AgreesWithTheFullDecimalReader) {
    std::mt19937_64 random(42);
    for (std::size_t decimals = 0; decimals <= kMaxPlainDigits; ++decimals) {
        SCOPED_TRACE(decimals);
        std::uint64_t limit = 1;
        for (std::size_t i = 0; i < kMaxPlainDigits; ++i) limit *= 10;
        for (int i = 0; i < 20000; ++i) {
            // Digits of every length, most of them short as prices are.
            const std::uint64_t digits = random() % (limit >> (random() % 40));
            std::string text = std::to_string(digits);
            if (decimals > 0) {
                text.insert(0, decimals + 1 > text.size() ? decimals + 1 - text.size() : 0, '0');
                text.insert(text.size() - decimals, ".");
            }
            const double exact = exactDecimal(digits, decimals);
            ASSERT_EQ(parseDecimal(text), exact) << text;
            ASSERT_EQ(exactDecimalAsSingle(digits, decimals), static_cast<float>(exact)) << text;
        }
    }
    // Halfway between two singles: 2^24 + 1, and a neighbour of it a tenth away.
    for (const auto& [digits, decimals] : {std::pair<std::uint64_t, std::size_t>{16777217, 0},
                                           {167772170, 1},
                                           {167772171, 1},
                                           {1677721700000, 5},
                                           {335544345, 1}}) {
        EXPECT_EQ(exactDecimalAsSingle(digits, decimals),
                  static_cast<float>(exactDecimal(digits, decimals)))
            << digits << " " << decimals;
    }
}

TEST(ParsePrice, TakesPlainDecimalsOnly) {
    const std::pair<const char*, float> valid[] = {
        {"12.5", 12.5f}, {" 12.5\t", 12.5f}, {"+3", 3.0f},     {"-0.25", -0.25f},
        {".5", 0.5f},    {"5.", 5.0f},       {"1e3", 1000.0f}, {"1E-2", 0.01f},
        {"0", 0.0f},     {"1e-50", 0.0f}, // below the smallest single: zero, not an error
    };
    for (const auto& [text, value] : valid) EXPECT_EQ(parsePrice(text), value) << text;

    for (const char* text : {"", " ", "1.2.3", "1e999", "1e39", "nan", "inf", "-inf", "infinity",
                             "0x10", "1,000", "12a", "+-1", "++1", "--1", "1 2", "."})
        EXPECT_FALSE(parsePrice(text)) << text;

    EXPECT_EQ(parsePriceWithoutCommas("1,234,500"), 1234500.0f);
    EXPECT_FALSE(parsePriceWithoutCommas("1,2x"));
}

TEST(NumericDates, ShortFormsMeanRecentYears) {
    using test::day;
    const std::pair<double, double> valid[] = {
        {20160104, day(2016, 1, 4)}, {991231, day(1999, 12, 31)},   {80115, day(2008, 1, 15)},
        {104, day(2000, 1, 4)},      {20160104.9, day(2016, 1, 4)}, {1000104, day(100, 1, 4)},
    };
    for (const auto& [number, days] : valid) EXPECT_EQ(numericDateToDays(number), days) << number;
    for (const double number : {20161301.0, 20160230.0, 0.0, 5.0, 1299.0, -20160104.0, 1e12})
        EXPECT_FALSE(numericDateToDays(number)) << number;

    EXPECT_TRUE(isNumericDate("20160104"));
    EXPECT_TRUE(isNumericDate("2147483647"));
    EXPECT_FALSE(isNumericDate("2147483648"));
    EXPECT_FALSE(isNumericDate("2016a"));
    EXPECT_FALSE(isNumericDate(""));
}

} // namespace
} // namespace qm
