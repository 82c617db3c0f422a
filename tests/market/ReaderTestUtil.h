#pragma once
// Reading a price file's text with a fresh reader, and checking the bars it gives.

#include "MarketTestUtil.h"
#include "market/AsciiFileReader.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace qm::test {

inline constexpr int kYear = 2016;

// One source file read by a fresh reader, with everything a test looks at afterwards.
struct Outcome {
    bool layoutFound = false;
    PriceLayout layout;
    std::filesystem::path result;
    std::int32_t barCount = 0;
    DataKind kind = DataKind::None;
    std::vector<PriceBar> bars;
    std::vector<std::string> messages;
    std::vector<RecordingSink::Place> places; // of the messages about a line
    std::vector<ReadReport> reports;
    std::vector<std::string> chartFiles; // left in the temporary folder
};

inline Outcome readText(std::string_view content, const FormatSettings& fs = FormatSettings{}) {
    TempDir sources, temp;
    RecordingSink sink;
    TAsciiFileReader reader(fs, temp.path(), kYear, sink);
    reader.readFile(sources.write("TEST.csv", content));
    Outcome out;
    out.layoutFound = reader.layoutFound();
    out.layout = reader.layout();
    out.result = reader.resultName();
    out.barCount = reader.barCount();
    out.kind = reader.dataKind();
    if (!out.result.empty()) out.bars = readBars(out.result);
    out.messages = sink.texts();
    out.places = sink.places;
    out.reports = reader.reports();
    for (const auto& m : sink.messages)
        EXPECT_EQ(m.kind, RecordedMessage::Kind::Information) << m.text;
    out.chartFiles = chartFilesIn(temp.path());
    return out;
}

// UTF-8 text as a UTF-16 file holds it, byte order mark first.
inline std::string asUtf16(std::string_view utf8, bool bigEndian) {
    std::string out;
    const auto put = [&](std::uint32_t unit) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    };
    put(0xFEFF);
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        std::uint32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += length;
        if (c < 0x10000) {
            put(c);
        } else {
            put(0xD800 + ((c - 0x10000) >> 10));
            put(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

inline void expectBars(const std::vector<PriceBar>& actual, const std::vector<PriceBar>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actual[i].date, expected[i].date);
        EXPECT_EQ(actual[i].open, expected[i].open);
        EXPECT_EQ(actual[i].high, expected[i].high);
        EXPECT_EQ(actual[i].low, expected[i].low);
        EXPECT_EQ(actual[i].close, expected[i].close);
        EXPECT_EQ(actual[i].volume, expected[i].volume);
        EXPECT_EQ(actual[i].reserved, 0u);
    }
}

inline PriceBar bar(double date, float open, float high, float low, float close, float volume) {
    return {date, open, high, low, close, volume, 0};
}
inline PriceBar closeBar(double date, float close, float volume = 0) {
    return {date, 0, 0, 0, close, volume, 0};
}

} // namespace qm::test
