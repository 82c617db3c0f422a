// Geometry of whole drawings: sizes, bars on show, pane ranges and ticks, the date row.

#include "ChartFixture.h"

#include <cmath>
#include <gtest/gtest.h>
#include <ostream>

namespace qm {
namespace {

using test::BarSpec;
using test::Chart;

const TTxtRec* findLabel(const TBmpChartObj& r, const std::string& text) {
    for (const TTxtRec& l : r.labels())
        if (l.text == text) return &l;
    return nullptr;
}

int charWidth(const TBmpChartObj& r, int width) {
    return (width - r.scaleX()) / 6; // the scale strip is six "W" wide
}

// Bars between 100.3 and 107.9 whose last close is 107.5.
BarSpec rangeBar(int i, int count) {
    if (i == count - 1) return {107, 107.9, 106.5, 107.5, 1000};
    if (i == count - 2) return {101, 101.5, 100.3, 101, 1000};
    return {103, 104.0 + i % 3, 102.0 - i % 2, 103.5, 1000};
}

TEST(Renderer, RaisesSizesBelowTheMinimum) {
    Chart c;
    c.bars = test::makeBars(20, [](int) { return BarSpec{10, 11, 9, 10, 0}; });
    c.add(test::priceRecord(2));
    c.width = 100;
    c.height = 50;
    const auto r = c.draw();
    EXPECT_EQ(r->bitmap().size(), QSize(150, 100));
}

TEST(Renderer, DrawsNothingWithoutBars) {
    Chart c;
    c.add(test::priceRecord(2));
    const auto r = c.draw();
    EXPECT_TRUE(r->bitmap().isNull());
    EXPECT_TRUE(r->labels().empty());
}

TEST(Renderer, LongSeriesFillsTheWidthUpToTwelveCharacters) {
    Chart c;
    // A full window; the bars left of the first drawn slot are far outside the others.
    c.bars = test::makeBars(511, [](int i) {
        return i < 400 ? BarSpec{500, 900, 1, 500, 0} : BarSpec{50, 52, 48, 51, 0};
    });
    c.add(test::priceRecord(4)); // candles at normal spacing
    c.width = 800;
    const auto r = c.draw();
    EXPECT_EQ(r->barPitch(), 7);
    const int charW = charWidth(*r, 800);
    EXPECT_EQ(r->visibleBars(), (800 - 12 * charW - 12) / 7);
    ASSERT_GE(513 - r->visibleBars(), 512 - 111); // only the quiet bars are on show
    const PaneInfo& price = r->panes().at(0);
    // 48..52 only: scaled by 100, step 50, so 47.5..52.5
    EXPECT_DOUBLE_EQ(price.rangeMin, 47.5);
    EXPECT_DOUBLE_EQ(price.rangeMax, 52.5);
}

TEST(Renderer, ShortSeriesShowsAllButItsThreeOldestBars) {
    Chart c;
    c.bars = test::makeBars(40, [](int i) {
        return i < 3 ? BarSpec{10, 500, 1, 10, 0} : BarSpec{20, 21, 19, 20, 0};
    });
    c.add(test::priceRecord(4));
    c.width = 1600;
    const auto r = c.draw();
    EXPECT_EQ(r->visibleBars(), 38); // slots 475..511
    // 19..21 only: scaled by 100, step 20, so 18.8..21.2
    EXPECT_NEAR(r->panes().at(0).rangeMin, 18.8, 1e-9);
    EXPECT_NEAR(r->panes().at(0).rangeMax, 21.2, 1e-9);
}

TEST(Renderer, FittedBarsAreTheBarsADrawingShows) {
    struct Case {
        int width, chartType, spacing, fontSize, bars, set;
    };
    const Case cases[] = {
        {150, 0, 0, 8, 511, 0},  {800, 4, 1, 11, 511, 0},  {1024, 2, 2, 14, 511, 0},
        {1919, 3, 0, 7, 511, 0}, {3000, 4, 2, 20, 511, 0}, {1600, 1, 1, 10, 40, 0},
        {1024, 4, 1, 12, 3, 0},  {800, 4, 1, 11, 511, 90}, {800, 4, 1, 11, 20, 400},
    };
    for (const Case& k : cases) {
        Chart c;
        c.bars = test::makeBars(k.bars, [](int i) { return BarSpec{10, 11.0 + i % 3, 9, 10, 0}; });
        c.add(test::priceRecord(k.chartType)).FontSize = k.fontSize;
        c.width = k.width;
        c.spacing = k.spacing;
        c.visibleBars = k.set;
        const auto r = c.renderer();
        const int fitted = r->fittedBars();
        r->draw();
        EXPECT_EQ(fitted, r->visibleBars())
            << "width " << k.width << ", type " << k.chartType << ", spacing " << k.spacing
            << ", font " << k.fontSize << ", bars " << k.bars;
    }
}

TEST(Renderer, PriceScaleOfARangeFrom100_3To107_9) {
    Chart c;
    c.bars = test::makeBars(100, [](int i) { return rangeBar(i, 100); });
    c.add(test::priceRecord(4));
    const auto r = c.draw();
    const PaneInfo& price = r->panes().at(0);
    EXPECT_EQ(price.tickStep, 1.0);
    EXPECT_EQ(price.rangeMin, 100.0);
    EXPECT_EQ(price.rangeMax, 108.25);
    const int textH = r->textHeight();
    EXPECT_EQ(price.rect.top, textH);
    EXPECT_EQ(price.rect.height, 600 - 2 * textH);

    // Ticks 100..109, each label half a text line above its tick, right of the scale line.
    const int labelX = r->scaleX() + charWidth(*r, 800) / 2;
    for (int p = 100; p <= 109; ++p) {
        const TTxtRec* l = findLabel(*r, " " + std::to_string(p));
        ASSERT_NE(l, nullptr) << p;
        EXPECT_EQ(l->x, labelX);
        const double row = textH + (108.25 - p) / 8.25 * (600 - 2 * textH);
        EXPECT_NEAR(l->y, row - textH / 2, 1.0) << p;
        EXPECT_EQ(l->brush, 1); // transparent
    }
    // The range's bottom, 100, is exactly the pane's bottom row.
    EXPECT_EQ(findLabel(*r, " 100")->y, 600 - textH - textH / 2);
    EXPECT_EQ(findLabel(*r, " 110"), nullptr);

    // The last label is the bold last-price tag in the bar colour.
    const TTxtRec& tag = r->labels().back();
    EXPECT_EQ(tag.text, " 107.50 ");
    EXPECT_TRUE(tag.boxed);
    EXPECT_EQ(tag.fontColor, 0xF0FBFFu);
    EXPECT_NEAR(tag.y, textH + (108.25 - 107.5) / 8.25 * (600 - 2 * textH) - textH / 2, 1.0);
}

TEST(Renderer, FlatSeriesGetsAThousandthStep) {
    Chart c;
    c.bars = test::makeBars(60, [](int) { return BarSpec{50, 50, 50, 50, 0}; });
    c.add(test::priceRecord(0));
    const auto r = c.draw();
    const PaneInfo& price = r->panes().at(0);
    EXPECT_NEAR(price.tickStep, 0.001, 1e-12);
    EXPECT_NEAR(price.rangeMin, 49.999, 1e-9);
    EXPECT_NEAR(price.rangeMax, 50.001, 1e-9);
    EXPECT_NE(findLabel(*r, " 49.9990"), nullptr);
    EXPECT_NE(findLabel(*r, " 50.0000"), nullptr);
    EXPECT_NE(findLabel(*r, " 50.0010"), nullptr);
    EXPECT_EQ(r->labels().back().text, " 50.0000 ");
}

TEST(Renderer, SmallWindowDoublesTheTickStep) {
    Chart c;
    c.bars = test::makeBars(100, [](int i) { return rangeBar(i, 100); });
    c.add(test::priceRecord(4));
    c.height = 300; // below 30 percent of a 1080-pixel screen (324)
    const auto r = c.draw();
    for (int p : {100, 102, 104, 106, 108, 110})
        EXPECT_NE(findLabel(*r, " " + std::to_string(p)), nullptr) << p;
    for (int p : {101, 103, 105, 107})
        EXPECT_EQ(findLabel(*r, " " + std::to_string(p)), nullptr) << p;

    c.height = 330;
    const auto tall = c.draw();
    EXPECT_NE(findLabel(*tall, " 101"), nullptr);
}

struct DateCase {
    const char* name;
    int interval;
    int chartType;
    std::vector<double> dates;
    std::vector<std::pair<std::string, int>> labels; // text, index of its bar in the dates
};

void PrintTo(const DateCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<double> everyWeek(double first, int count) {
    std::vector<double> dates;
    for (int i = 0; i < count; ++i) dates.push_back(first + 7 * i);
    return dates;
}

std::vector<double> monthStarts(int year, int count) {
    std::vector<double> dates;
    for (int i = 0; i < count; ++i) dates.push_back(test::day(year + i / 12, 1 + i % 12, 1));
    return dates;
}

class DateRow : public testing::TestWithParam<DateCase> {};

TEST_P(DateRow, LabelsTheFirstBarOfEachPeriod) {
    const DateCase& dc = GetParam();
    Chart c;
    c.bars = test::makeBars(dc.dates, [](int) { return BarSpec{10, 11, 9, 10, 0}; });
    TOscObj& price = c.add(test::priceRecord(dc.chartType));
    price.Interval = static_cast<std::uint8_t>(dc.interval);
    c.width = 1600;
    const auto r = c.draw();

    const int n = static_cast<int>(dc.dates.size());
    ASSERT_EQ(r->visibleBars(), n - 2); // the three oldest bars are not drawn
    std::vector<std::pair<std::string, int>> found;
    for (const TTxtRec& l : r->labels())
        if (l.y == r->dateRowY()) found.emplace_back(l.text, l.x);
    std::vector<std::pair<std::string, int>> expected;
    std::vector<int> grid;
    for (const auto& [text, index] : dc.labels) {
        const int x = 12 + (index - 3) * r->barPitch();
        expected.emplace_back(text, x + 1);
        grid.push_back(x);
    }
    EXPECT_EQ(found, expected);
    EXPECT_EQ(r->gridX(), grid);
    EXPECT_EQ(r->dateRowY(), 600 - r->textHeight());
}

INSTANTIATE_TEST_SUITE_P(
    Intervals, DateRow,
    testing::Values(
        // 2015-11-20 .. 2016-02-10: Dec at 12-01 (bar 7), the year at 01-01 (bar 30), Feb at
        // 02-01 (bar 51)
        DateCase{"daily",
                 0,
                 2,
                 test::weekdays(test::day(2015, 11, 20), 59),
                 {{"Dec", 7}, {"2016", 30}, {"Feb", 51}}},
        // Fridays from 2015-10-02: only January and July are labelled
        DateCase{"weekly",
                 1,
                 2,
                 everyWeek(test::day(2015, 10, 2), 53),
                 {{"Jan 16", 13}, {"Jul 16", 39}}},
        DateCase{"monthly candles",
                 2,
                 4,
                 monthStarts(2013, 48),
                 {{"2014", 12}, {"2015", 24}, {"2016", 36}}},
        DateCase{
            "monthly line", 2, 0, monthStarts(2013, 48), {{"14", 12}, {"15", 24}, {"16", 36}}}),
    [](const testing::TestParamInfo<DateCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (ch == ' ') ch = '_';
        return name;
    });

// A table whose columns hold `values` on every row of the valid bars.
OutputTable tableOf(int count, const std::function<std::array<float, 6>(int)>& row) {
    OutputTable t{};
    for (int i = 0; i < count; ++i) t[static_cast<std::size_t>(kWindowSlots - count + i)] = row(i);
    return t;
}

TEST(Renderer, OscillatorPanesAndRanges) {
    Chart c;
    const int n = 120;
    c.bars = test::makeBars(n, [](int) { return BarSpec{10, 11, 9, 10, 1000}; });
    c.add(test::priceRecord(2)).Pane = 2;
    // MACD wholly above zero, RSI between 30 and 70, CCI between -50 and 80
    c
        .add(std::make_unique<test::TableIndicator>(
            16,
            tableOf(n, [](int i) { return std::array<float, 6>{1.0f + i % 3, 0.5f, 0, 0, 0, 0}; })))
        .Pane = 8;
    c
        .add(std::make_unique<test::TableIndicator>(
            17,
            tableOf(n, [](int i) { return std::array<float, 6>{30.0f + i % 41, 0, 0, 0, 0, 0}; })))
        .Pane = 7;
    c.add(std::make_unique<test::TableIndicator>(
              25,
              tableOf(n,
                      [](int i) { return std::array<float, 6>{-50.0f + i % 131, 0, 0, 0, 0, 0}; })))
        .Pane = 6;
    const auto r = c.draw();
    ASSERT_EQ(r->panes().size(), 4u);
    const PaneInfo& macd = r->panes()[1];
    const PaneInfo& rsi = r->panes()[2];
    const PaneInfo& cci = r->panes()[3];
    EXPECT_EQ(macd.rangeMin, 0.0); // zero included
    EXPECT_EQ(macd.rangeMax, 3.0);
    EXPECT_EQ(macd.rect.top, 300);
    EXPECT_EQ(rsi.rangeMin, 0.0);
    EXPECT_EQ(rsi.rangeMax, 100.0);
    EXPECT_EQ(rsi.rect.top, 399);
    EXPECT_EQ(cci.rangeMin, -100.0);
    EXPECT_EQ(cci.rangeMax, 100.0);
    EXPECT_EQ(cci.rect.top, 499);
    EXPECT_EQ(r->panes()[0].rect.height, 300 - 2 * r->textHeight());
}

TEST(Renderer, VolumePaneInMillions) {
    Chart c;
    const int n = 100;
    c.bars = test::makeBars(n, [](int) { return BarSpec{10, 11, 9, 10, 0}; });
    c.add(test::priceRecord(4)).Pane = 1;
    c.add(std::make_unique<test::TableIndicator>(
              30, tableOf(n,
                          [n](int i) {
                              const float v = i == n - 1   ? 987654.0f
                                              : i == n - 2 ? 1234567.0f
                                                           : 200000.0f + i;
                              return std::array<float, 6>{v, 1, 0, 0, 0, 0};
                          })))
        .Pane = 4;
    const auto r = c.draw();
    const PaneInfo& volume = r->panes().at(1);
    EXPECT_EQ(volume.tickStep, 100000.0);
    EXPECT_EQ(volume.highTick, 1300000.0);
    EXPECT_EQ(volume.rangeMin, 0.0);
    EXPECT_EQ(volume.rangeMax, 1300000.0);
    ASSERT_EQ(volume.levelCount, 2);
    EXPECT_EQ(volume.levels[0], 650000.0);
    EXPECT_EQ(volume.levels[1], 1300000.0);
    EXPECT_EQ(volume.rect.top, 450);
    EXPECT_EQ(volume.rect.height, 150 - r->textHeight());
    EXPECT_NE(findLabel(*r, " 0.65 M "), nullptr);
    EXPECT_NE(findLabel(*r, " 1.30 M "), nullptr);
    const TTxtRec* piece = findLabel(*r, " 0.99 M ");
    ASSERT_NE(piece, nullptr);
    EXPECT_EQ(piece->fontColor, 0x008000u); // the last bar rose

    // As a tag the value is written in millions but sits at the volume's own height.
    c.options.showIndOnScale = true;
    const auto tagged = c.draw();
    const TTxtRec* tag = findLabel(*tagged, " 0.99 M ");
    ASSERT_NE(tag, nullptr);
    EXPECT_TRUE(tag->boxed);
    const double row = 450 + (1 - 987654.0 / 1300000) * volume.rect.height;
    EXPECT_NEAR(tag->y + tagged->textHeight() / 2, row, 1.0);
}

} // namespace
} // namespace qm
