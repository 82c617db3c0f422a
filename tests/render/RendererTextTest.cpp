// The texts of a chart: title lines, legends with parameters and values, scale labels of the
// indicator panes, value tags, and indicators left out.

#include "ChartFixture.h"
#include "indicators/Frame.h"
#include "render/IndicatorPane.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using test::BarSpec;
using test::Chart;
using test::TableIndicator;

const TTxtRec* findLabel(const TBmpChartObj& r, const std::string& text) {
    for (const TTxtRec& l : r.labels())
        if (l.text == text) return &l;
    return nullptr;
}

OutputTable tableOf(int count, const std::function<std::array<float, 6>(int)>& row) {
    OutputTable t{};
    for (int i = 0; i < count; ++i) t[static_cast<std::size_t>(kWindowSlots - count + i)] = row(i);
    return t;
}

OutputTable constantTable(int count, std::array<float, 6> row) {
    return tableOf(count, [row](int) { return row; });
}

// 100 bars from 2016-01-04 to 2016-05-20 between 15 and 25, ending with `previous`, `last`.
BarWindow closingBars(double previous, BarSpec last) {
    return test::makeBars(100, [&](int i) {
        if (i == 99) return last;
        if (i == 98) return BarSpec{previous, previous, previous, previous, 0};
        return BarSpec{20, 25, 15, 20, 0};
    });
}

TEST(TitleLine, FallingCloseInRedWithAnUnsignedPercentage) {
    Chart c;
    c.bars = closingBars(20, {19.5, 20.5, 18.75, 19, 0});
    c.add(test::priceRecord(2));
    const auto r = c.draw();
    const TTxtRec* first = findLabel(*r, "IBM dly  5/20/2016");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->x, 12);
    EXPECT_EQ(first->fontColor, 0xC0C0C0u);
    EXPECT_EQ(first->brush, 0);
    // The text height is added in the pane's logical units: about T - T * 574 / 1080 rows.
    const int t = r->textHeight();
    EXPECT_NEAR(first->y, t - t * (600.0 - 2 * t) / 1080, 1.0);
    const TTxtRec* change = findLabel(*r, "   -1.00   5.00% ");
    ASSERT_NE(change, nullptr);
    EXPECT_EQ(change->fontColor, 0x0000FFu);
    EXPECT_EQ(change->y, first->y);
    EXPECT_GT(change->x, first->x);
}

TEST(TitleLine, ChangeTexts) {
    struct Case {
        double previous;
        BarSpec last;
        double low, high; // of the other bars, which set the tick step
        const char* text;
        std::uint32_t colour;
    };
    for (const Case& k : {
             Case{20, {20, 20, 20, 20, 0}, 15, 25, "   unch ", 0xC0C0C0u},
             // a percentage that rounds to 0.00 leaves one blank
             Case{10000,
                  {10000.25, 10000.25, 10000.25, 10000.25, 0},
                  9990,
                  10010,
                  "   +0.25 ",
                  0x008000u},
             // a tick step of 0.05: four decimals
             Case{
                 10.2, {10.25, 10.25, 10.25, 10.25, 0}, 10, 10.4, "   +0.0500   0.49% ", 0x008000u},
         }) {
        Chart c;
        c.bars = test::makeBars(100, [&](int i) {
            if (i == 99) return k.last;
            if (i == 98) return BarSpec{k.previous, k.previous, k.previous, k.previous, 0};
            return BarSpec{k.low, k.high, k.low, k.low, 0};
        });
        c.add(test::priceRecord(2));
        const auto r = c.draw();
        const TTxtRec* change = findLabel(*r, k.text);
        ASSERT_NE(change, nullptr) << k.text;
        EXPECT_EQ(change->fontColor, k.colour) << k.text;
    }
}

TEST(TitleLine, PrintedFormWithPricesAndLegendsBelow) {
    Chart c;
    c.bars = closingBars(20, {19.5, 20.5, 18.75, 19, 0});
    c.add(test::priceRecord(2, 0, 0xFFFFFF, 0xFFFFFF));
    c.add(std::make_unique<TableIndicator>(1, constantTable(100, {19.5f, 0, 0, 0, 0, 0})));
    c.page = QImage(6400, 1200, QImage::Format_RGB32);
    c.page.setDotsPerMeterX(23622); // 600 dots per inch
    c.page.setDotsPerMeterY(23622);
    c.width = 6400;
    c.height = 1200;
    const auto r = c.draw();
    EXPECT_TRUE(r->bitmap().isNull());
    EXPECT_EQ(r->barPitch(), 4 * 3); // HLC at normal spacing, a page 3 screens wide
    const TTxtRec* first = findLabel(*r, "IBM dly  thru 5/20/2016");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->fontColor, 0u); // white text prints black
    EXPECT_EQ(first->backColor, 0xFFFFFFu);
    const int t = r->textHeight();
    EXPECT_EQ(first->y, t); // the top of the price pane
    const TTxtRec* prices = findLabel(*r, "O= 19.50 H= 20.50 L= 18.75 C= 19.00  -1.00");
    ASSERT_NE(prices, nullptr);
    EXPECT_EQ(prices->y, first->y + t);
    // The overlay's legend goes on the third line.
    const TTxtRec* legend = findLabel(*r, "Ari MA ");
    ASSERT_NE(legend, nullptr);
    EXPECT_EQ(legend->y, t + 2 * t);
}

TEST(Legend, OverlaysStackUnderTheTitleWithParametersAndValues) {
    Chart c;
    const int n = 100;
    c.bars = test::makeBars(n, [](int) { return BarSpec{104, 108, 100, 104, 0}; });
    c.add(test::priceRecord(2));
    c.add(std::make_unique<TableIndicator>(1, constantTable(n, {104.5f, 0, 0, 0, 0, 0})));
    c.add(std::make_unique<TableIndicator>(14, constantTable(n, {106, 102, 104, 0, 0, 0})));
    c.options.showParamsOnChart = true;
    const auto r = c.draw();
    const int t = r->textHeight();

    const TTxtRec* ma = findLabel(*r, "Ari MA (13)");
    ASSERT_NE(ma, nullptr);
    EXPECT_EQ(ma->x, 12);
    EXPECT_EQ(ma->y, t + t);
    const TTxtRec* maValue = findLabel(*r, " 104.50 ");
    ASSERT_NE(maValue, nullptr);
    EXPECT_EQ(maValue->y, ma->y);
    EXPECT_GT(maValue->x, 12);
    EXPECT_EQ(maValue->fontColor, 0xFF8000u);

    const TTxtRec* band = findLabel(*r, "Bol Band (21 21 2)");
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->y, t + 2 * t);
    const TTxtRec* upper = findLabel(*r, " 106.00 ");
    const TTxtRec* lower = findLabel(*r, " 102.00 ");
    ASSERT_TRUE(upper && lower);
    EXPECT_EQ(upper->fontColor, 0x0000FFu); // the band colour
    EXPECT_GT(lower->x, upper->x);          // each piece follows the one before
    EXPECT_EQ(lower->y, band->y);
    EXPECT_FALSE(upper->boxed);
}

TEST(Legend, NamesOnlyAndTagsOnTheScale) {
    Chart c;
    const int n = 100;
    c.bars = test::makeBars(n, [](int) { return BarSpec{104, 108, 100, 104, 0}; });
    c.add(test::priceRecord(2));
    c.add(std::make_unique<TableIndicator>(1, constantTable(n, {104.5f, 0, 0, 0, 0, 0})));
    c.options.showIndOnScale = true;
    const auto r = c.draw();
    ASSERT_NE(findLabel(*r, "Ari MA "), nullptr);
    const TTxtRec* tag = findLabel(*r, " 104.50 ");
    ASSERT_NE(tag, nullptr);
    EXPECT_TRUE(tag->boxed);
    EXPECT_EQ(tag->fontColor, 0xFF8000u);
    EXPECT_EQ(tag->x, r->scaleX() + (800 - r->scaleX()) / 6 / 2); // half a "W" right of the scale
    // The last-price tag still comes last.
    EXPECT_EQ(r->labels().back().text, " 104.00 ");
}

TEST(IndicatorScale, LevelLabels) {
    Chart c;
    const int n = 100;
    c.bars = test::makeBars(n, [](int) { return BarSpec{10, 11, 9, 10, 0}; });
    c.add(test::priceRecord(2)).Pane = 2;
    c.add(std::make_unique<TableIndicator>(17, constantTable(n, {55.5f, 0, 0, 0, 0, 0}))).Pane = 8;
    c.add(std::make_unique<TableIndicator>(16, constantTable(n, {2.5f, 1.25f, 0, 0, 0, 0}))).Pane =
        7;
    c.add(std::make_unique<TableIndicator>(21, tableOf(n,
                                                       [](int i) {
                                                           return std::array<float, 6>{
                                                               i % 2 ? 1.0f : 3.0f, 0, 0, 0, 0, 0};
                                                       })))
        .Pane = 6;
    const auto r = c.draw();
    for (const char* text : {" +25 ", " +50 ", " +75 ", " 0", " +1.0", " +2.0", " +3.0"})
        EXPECT_NE(findLabel(*r, text), nullptr) << '"' << text << '"';
    // Levels sit on their values: 50 halfway down the RSI pane.
    const PaneInfo& rsi = r->panes().at(1);
    const TTxtRec* mid = findLabel(*r, " +50 ");
    EXPECT_NEAR(mid->y + r->textHeight() / 2, rsi.rect.top + rsi.rect.height / 2.0, 1.0);
    // Oscillator legends sit at the top of their panes; pieces in each line's pattern.
    EXPECT_EQ(findLabel(*r, "Wilder Rsi ")->y, rsi.rect.top);
    EXPECT_NE(findLabel(*r, " +55.50 "), nullptr);
    EXPECT_NE(findLabel(*r, " +2.50 "), nullptr);
    EXPECT_NE(findLabel(*r, " +1.25 "), nullptr);
    EXPECT_NE(findLabel(*r, " +1.00 "), nullptr);
}

TEST(IndicatorScale, CciWidenedAndLevelsSigned) {
    Chart c;
    const int n = 100;
    c.bars = test::makeBars(n, [](int) { return BarSpec{10, 11, 9, 10, 0}; });
    c.add(test::priceRecord(2)).Pane = 1;
    c.add(std::make_unique<TableIndicator>(
              25, tableOf(n,
                          [](int i) {
                              return std::array<float, 6>{
                                  -50.0f + static_cast<float>(i % 131), 0, 0, 0, 0, 0};
                          })))
        .Pane = 4;
    const auto r = c.draw();
    for (const char* text : {" -100 ", " 0", " +100 "})
        EXPECT_NE(findLabel(*r, text), nullptr) << '"' << text << '"';
}

TEST(Legend, PatternStatusAndLevelPieces) {
    Chart c;
    const int n = 100;
    c.bars = test::makeBars(n, [](int) { return BarSpec{10, 11, 9, 10, 0}; });
    c.add(test::priceRecord(2));
    c.add(std::make_unique<TableIndicator>(5, constantTable(n, {0, -8, 3, 0, 0, 0})));
    c.add(std::make_unique<TableIndicator>(7, constantTable(n, {0, 10.5f, 0, 0, 0, 0})));
    c.options.showParamsOnChart = true;
    c.options.showIndOnScale = true; // patterns still write their status; level lines tag
    const auto r = c.draw();
    ASSERT_NE(findLabel(*r, "Pattern1 (9 13 4 2 <=>) "), nullptr);
    const TTxtRec* status = findLabel(*r, " Stg1Bot=  8  Stg2=  3 ");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->fontColor, 0x0000FFu); // colour 3 for a rising second stage
    EXPECT_FALSE(status->boxed);
    ASSERT_NE(findLabel(*r, "Stg1 Sup-Res (9 4) "), nullptr);
    const TTxtRec* level = findLabel(*r, " 10.50 ");
    ASSERT_NE(level, nullptr);
    EXPECT_TRUE(level->boxed);
    // The second line's last level is 0: neither tag nor piece.
    int tags = 0;
    for (const TTxtRec& l : r->labels()) tags += l.boxed;
    EXPECT_EQ(tags, 2); // the level and the last price
}

// Computations that fault or report a negative shortfall are left out without a word.
class DividingIndicator final : public TOscObj {
public:
    DividingIndicator() : TOscObj(2) {}
    void Compute(BarWindow&, OutputTable& out, int& shortfall) override {
        volatile float zero = 0.0f;
        out[511][0] = 1.0f / zero;
        shortfall = 0;
    }
};

TEST(Renderer, SkipsIndicatorsThatCannotBeComputed) {
    Chart c;
    const int n = 100;
    c.bars = test::makeBars(n, [](int) { return BarSpec{104, 108, 100, 104, 0}; });
    c.add(test::priceRecord(2)).Pane = 1;
    c.add(std::make_unique<DividingIndicator>());
    c.add(std::make_unique<TableIndicator>(3, constantTable(n, {104, 0, 0, 0, 0, 0}), -1));
    c.add(std::make_unique<TableIndicator>(1, constantTable(n, {104, 0, 0, 0, 0, 0})));
    c.add(std::make_unique<TableIndicator>(17, constantTable(n, {50, 0, 0, 0, 0, 0}))).Pane = 4;
    const auto r = c.draw();
    EXPECT_EQ(findLabel(*r, "Exp MA "), nullptr);
    EXPECT_EQ(findLabel(*r, "Mov RegrLine "), nullptr);
    const TTxtRec* ma = findLabel(*r, "Ari MA ");
    ASSERT_NE(ma, nullptr);
    EXPECT_EQ(ma->y, 2 * r->textHeight()); // the first legend line: skipped ones take none
    EXPECT_NE(findLabel(*r, "Wilder Rsi "), nullptr);
    EXPECT_EQ(r->panes().size(), 3u);
}

struct ParamCase {
    int kind;
    std::function<void(TOscObj&)> tweak;
    const char* text;
};

TEST(Legend, ParameterTexts) {
    const auto none = [](TOscObj&) {};
    const ParamCase cases[] = {
        {1, none, "(13)"},
        {1, [](TOscObj& r) { r.LineCount = 3; }, "(13 34 55)"},
        {4, none, "(13 .02 .02) "},
        {5, none, "(9 13 4 2 <=>) "},
        {6, [](TOscObj& r) { r.PriceField = 1; }, "(9 13 4 2 <>) "},
        {5, [](TOscObj& r) { r.AggressiveStage2 = true; }, "(Aggr) "},
        {7, none, "(9 4) "},
        {10, none, "(.025)"},
        {12, none, "(13 21 1.25 1.5)"},
        {13, none, "(20)"},
        {16, none, "(12 26 9) "},
        {19, none, "(13 3) "},
        {20, [](TOscObj& r) { r.Params[0] = 11.5f; }, "(11.5 11 11) "},
        {23, [](TOscObj& r) { r.LineCount = 2; }, "(21 34)"},
        {26, none, "(4 9) "},
        {30, none, ""},
    };
    const OutputTable out{};
    for (const ParamCase& pc : cases) {
        auto record = TOscObj::Create(pc.kind);
        pc.tweak(*record);
        const chart::IndicatorPane pane = chart::setUpIndicatorPane(
            *record, out, chart::PaneInputs{90, 110, 1, 400}, FormatSettings::unitedStates());
        EXPECT_EQ(pane.paramText, pc.text) << "kind " << pc.kind;
    }
}

} // namespace
} // namespace qm
