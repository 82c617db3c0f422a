// What only the pixels can show: candle bodies, the grid at the left edge, gaps and offsets of
// indicator lines, repainted pattern sequences, the printed page's colours.

#include "ChartFixture.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using test::BarSpec;
using test::Chart;
using test::rgbOf;
using test::TableIndicator;

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;

struct Geometry {
    const TBmpChartObj& r;
    int deviceHeight = 1080;

    int x(int slot) const { return 12 + (slot - (513 - r.visibleBars())) * r.barPitch(); }
    int row(int pane, double value) const {
        const PaneInfo& p = r.panes().at(static_cast<std::size_t>(pane));
        const chart::PaneMapping m(p.rangeMin, p.rangeMax, deviceHeight, p.rect);
        return m.deviceY(m.logicalRound(value));
    }
};

OutputTable constantTable(int count, std::array<float, 6> row) {
    OutputTable t{};
    for (int i = 0; i < count; ++i) t[static_cast<std::size_t>(kWindowSlots - count + i)] = row;
    return t;
}

TEST(Pixels, CandleBodiesOnBlack) {
    Chart c;
    c.bars = test::makeBars(100, [](int i) {
        if (i == 99) return BarSpec{105, 106, 100, 101, 0}; // falling
        if (i == 98) return BarSpec{101, 106, 100, 105, 0}; // rising
        return BarSpec{103, 106, 100, 103, 0};
    });
    c.add(test::priceRecord(4));
    const auto r = c.draw();
    const Geometry g{*r};
    const QImage& img = r->bitmap();
    const int y = g.row(0, 103);
    EXPECT_EQ(img.pixel(g.x(511), y), kWhite);     // falling: solid in the inverse colour
    EXPECT_EQ(img.pixel(g.x(511) + 2, y), kWhite); // body half-width 2 at normal spacing
    EXPECT_EQ(img.pixel(g.x(510), y), kBlack);     // rising: hollow over its wick
    EXPECT_EQ(img.pixel(g.x(510) - 2, y), kWhite); // with a white outline
    EXPECT_EQ(img.pixel(g.x(511), g.row(0, 105.5)), rgbOf(0xF0FBFF)); // wick above the body
    EXPECT_EQ(img.pixel(0, 300), qRgb(45, 45, 45)); // the grid line along the left edge
}

TEST(Pixels, BarTicksAndTheCrossOfAnUnchangedCandle) {
    Chart c;
    c.bars = test::makeBars(100, [](int i) {
        return i == 99 ? BarSpec{102.3, 106, 100, 104.3, 0} : BarSpec{103.3, 106, 100, 103.3, 0};
    });
    c.add(test::priceRecord(3)); // OHLC bars at normal spacing: ticks two pixels long
    const auto ohlc = c.draw();
    const Geometry g{*ohlc};
    const QRgb bar = rgbOf(0xF0FBFF);
    const int x = g.x(511);
    const int close = g.row(0, 104.3f); // the bars hold singles
    const int open = g.row(0, 102.3f);
    EXPECT_EQ(ohlc->bitmap().pixel(x + 2, close), bar);
    EXPECT_EQ(ohlc->bitmap().pixel(x + 3, close), kBlack);
    EXPECT_EQ(ohlc->bitmap().pixel(x - 2, open), bar);
    EXPECT_EQ(ohlc->bitmap().pixel(x - 3, open), kBlack);
    EXPECT_EQ(ohlc->bitmap().pixel(x - 1, close), kBlack); // no open tick on the close's side

    c.records.front()->Style = 4; // candles: the unchanged bar 510 is a cross, not a body
    const auto candles = c.draw();
    const Geometry cg{*candles};
    const int level = cg.row(0, 103.3f);
    EXPECT_EQ(candles->bitmap().pixel(cg.x(510) - 2, level), bar);
    EXPECT_EQ(candles->bitmap().pixel(cg.x(510) + 2, level), bar);
    EXPECT_EQ(candles->bitmap().pixel(cg.x(510) + 1, level - 1), kBlack);
}

TEST(Pixels, LineLeavesAGapWhereAValueIsOutsideTheRange) {
    Chart c;
    const int n = 100;
    c.bars = test::makeBars(n, [](int) { return BarSpec{103, 106, 100, 103, 0}; });
    c.add(test::priceRecord(4));
    OutputTable t = constantTable(n, {103.5f, 0, 0, 0, 0, 0});
    t[500][0] = 1e6f;
    c.add(std::make_unique<TableIndicator>(1, t));
    const auto r = c.draw();
    const Geometry g{*r};
    const QImage& img = r->bitmap();
    const int y = g.row(0, 103.5);
    const QRgb line = rgbOf(0xFF8000);
    EXPECT_EQ(img.pixel(g.x(498) + 3, y), line);   // between the candles
    EXPECT_EQ(img.pixel(g.x(499) + 3, y), kBlack); // towards the far value: steep, elsewhere
    EXPECT_EQ(img.pixel(g.x(500) + 3, y), kBlack); // no segment from the far value
    EXPECT_EQ(img.pixel(g.x(501) + 3, y), line);
}

TEST(Pixels, ShortfallStartsTheLineThatManyBarsLater) {
    Chart c;
    const int n = 200;
    c.bars = test::makeBars(n, [](int) { return BarSpec{103, 106, 100, 103, 0}; });
    c.add(test::priceRecord(4)).Pane = 1;
    c.add(std::make_unique<TableIndicator>(17, constantTable(n, {60, 0, 0, 0, 0, 0}), 5)).Pane = 4;
    const auto r = c.draw();
    const Geometry g{*r};
    const int first = 513 - r->visibleBars();
    const int y = g.row(1, 60);
    EXPECT_EQ(r->bitmap().pixel(g.x(first + 5) + 1, y), rgbOf(0xFF8000));
    EXPECT_EQ(r->bitmap().pixel(g.x(first + 4) + 1, y), kBlack);
    EXPECT_EQ(g.x(first + 5), 12 + 5 * r->barPitch());
}

TEST(Pixels, VolumeBarsBySignAndDetrendedBarsFromZero) {
    Chart c;
    const int n = 100;
    c.bars = test::makeBars(n, [](int) { return BarSpec{103, 106, 100, 103, 0}; });
    c.add(test::priceRecord(2)).Pane = 2;
    OutputTable volume{};
    OutputTable detrend{};
    for (int s = kWindowSlots - n; s < kWindowSlots; ++s) {
        volume[static_cast<std::size_t>(s)] = {1000, s % 2 ? 1.0f : -1.0f, 0, 0, 0, 0};
        detrend[static_cast<std::size_t>(s)] = {0, 0, 4, 0, 0, 0}; // closes only: from zero
    }
    c.add(std::make_unique<TableIndicator>(30, volume)).Pane = 5;
    c.add(std::make_unique<TableIndicator>(22, detrend)).Pane = 4;
    const auto r = c.draw();
    const Geometry g{*r};
    const QImage& img = r->bitmap();
    EXPECT_EQ(img.pixel(g.x(511), g.row(1, 500)), rgbOf(0x008000)); // rising: colour 1
    EXPECT_EQ(img.pixel(g.x(510), g.row(1, 500)), rgbOf(0x4040FF)); // falling: colour 2
    const QRgb bar = rgbOf(0xFF8000);
    EXPECT_EQ(img.pixel(g.x(511), g.row(2, 2)), bar);
    EXPECT_EQ(img.pixel(g.x(511) + 2, g.row(2, 4)), bar); // the close tick, spacing + pen wide
}

TEST(Pixels, CompletedFirstStageRepaintsItsBars) {
    Chart c;
    const int n = 100;
    c.bars = test::makeBars(n, [](int) { return BarSpec{105, 106, 100, 101, 0}; });
    c.add(test::priceRecord(4));
    OutputTable t{};
    t[505][1] = 9; // nine bars ending at slot 505
    c.add(std::make_unique<TableIndicator>(5, t));
    const auto r = c.draw();
    const Geometry g{*r};
    const int y = g.row(0, 103);
    for (int s = 497; s <= 505; ++s) EXPECT_EQ(r->bitmap().pixel(g.x(s), y), rgbOf(0xFF8000)) << s;
    EXPECT_EQ(r->bitmap().pixel(g.x(496), y), kWhite);
    EXPECT_EQ(r->bitmap().pixel(g.x(506), y), kWhite);
}

TEST(Pixels, RunningCountAboveTheHighsOfTheLastEightBars) {
    Chart c;
    const int n = 100;
    c.bars = test::makeBars(n, [](int) { return BarSpec{103, 104, 100, 103, 0}; });
    c.add(test::priceRecord(4));
    c.spacing = 2; // wide apart, so each count stays over its own bar
    OutputTable t{};
    for (int k = 1; k <= 8; ++k) t[static_cast<std::size_t>(503 + k)][1] = static_cast<float>(-k);
    c.add(std::make_unique<TableIndicator>(5, t));
    const auto r = c.draw();
    const Geometry g{*r};
    const QImage& img = r->bitmap();
    const int high = g.row(0, 104);
    auto inkAbove = [&](int slot) {
        for (int y = high - 2 * r->textHeight(); y < high; ++y)
            for (int x = g.x(slot) - 2; x <= g.x(slot) + 2; ++x)
                if (img.pixel(x, y) != kBlack && img.pixel(x, y) != qRgb(45, 45, 45)) return true;
        return false;
    };
    for (int s = 504; s <= 511; ++s) EXPECT_TRUE(inkAbove(s)) << s;
    EXPECT_FALSE(inkAbove(503));
}

TEST(Pixels, WhiteAndNearWhiteBarsPrintBlack) {
    struct Case {
        std::uint32_t bars;
        QRgb printed;
    };
    // White, the factory's cream, a pale grey just inside the rule; red and a light grey stay.
    for (const Case k : {Case{0xFFFFFF, kBlack}, Case{0xF0FBFF, kBlack}, Case{0xF0F0F0, kBlack},
                         Case{0x0000FF, qRgb(255, 0, 0)}, Case{0xEFF0F0, qRgb(240, 240, 239)}}) {
        Chart c;
        c.bars = test::makeBars(100, [](int) { return BarSpec{103, 106, 100, 103, 0}; });
        c.add(test::priceRecord(1, 0x000000, k.bars));
        c.page = QImage(3300, 1000, QImage::Format_RGB32);
        c.page.fill(Qt::white);
        c.width = 3300;
        c.height = 1000;
        const auto r = c.draw();
        const Geometry g{*r, 1000};
        const int y = g.row(0, 103.3); // between two grid lines
        EXPECT_EQ(c.page.pixel(g.x(511), y), k.printed) << std::hex << k.bars;
        EXPECT_EQ(c.page.pixel(g.x(511) + 1, y), kWhite); // the background is the paper
    }
}

} // namespace
} // namespace qm
