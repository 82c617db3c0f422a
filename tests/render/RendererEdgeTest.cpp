// Drawings at the edges: tiny windows, every kind with its real computation, records carrying
// values no editor would write, and title lines without a usable previous close.

#include "ChartFixture.h"

#include <gtest/gtest.h>
#include <limits>

namespace qm {
namespace {

using test::BarSpec;
using test::Chart;

// Every indicator kind on its catalogue pane: overlays over the prices, the others spread over
// the three oscillator positions.
void addEveryKind(Chart& c) {
    for (int kind = 1; kind <= 30; ++kind) {
        auto r = TOscObj::Create(kind);
        r->Pane = static_cast<std::uint8_t>(kind <= 14 ? 2 : 6 + kind % 3);
        c.add(std::move(r));
    }
}

BarSpec wavyBar(int i) {
    const double close = 50 + 10 * std::sin(i / 7.0) + (i % 5);
    return {close - 0.5, close + 1.5, close - 1.5, close, 100000.0 + 5000.0 * (i % 11)};
}

TEST(Edges, EveryKindOnWindowsOfAnySize) {
    for (int count : {1, 2, 3, 4, 40, 511}) {
        for (int type = 0; type <= 4; ++type) {
            Chart c;
            c.bars = test::makeBars(count, wavyBar);
            c.add(test::priceRecord(type)).Pane = 2;
            addEveryKind(c);
            const auto r = c.draw();
            ASSERT_FALSE(r->labels().empty()) << count << " bars, type " << type;
            EXPECT_TRUE(r->labels().back().boxed) << count << " bars, type " << type;
            EXPECT_LE(r->visibleBars(), count + 1);
        }
    }
}

TEST(Edges, RecordsWithValuesNoEditorWrites) {
    Chart c;
    c.bars = test::makeBars(200, wavyBar);
    TOscObj& price = c.add(test::priceRecord(9)); // no such chart type
    price.Pane = 40;
    price.FontSize = 0;
    c.add(test::priceRecord(4)); // a second price record is drawn again
    for (int kind : {1, 16, 30}) {
        TOscObj& r = c.add(TOscObj::Create(kind));
        r.LineCount = 7;
        r.RefLineCount = 9;
        r.Pane = 200;
        r.Style = 200;
        r.Params[0] = std::numeric_limits<float>::quiet_NaN();
    }
    c.screen = ScreenFacts{0, 0, 0};
    const auto r = c.draw();
    EXPECT_FALSE(r->bitmap().isNull());
    EXPECT_TRUE(r->labels().back().boxed);
}

// Spacing codes and shown bar counts from a damaged file or a caller's slip: drawn as the
// nearest sensible value, never with the pitch or slot arithmetic overflowing.
TEST(Edges, SpacingAndShownBarsOutsideTheirRange) {
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    for (int spacing : {-7, 3, kMin, kMax}) {
        for (int shown : {-1, -100000, kMin, kMax}) {
            for (int type : {0, 2, 4}) {
                Chart c;
                c.bars = test::makeBars(60, wavyBar);
                c.add(test::priceRecord(type)).Pane = 2;
                c.add(TOscObj::Create(16)).Pane = 6;
                c.spacing = spacing;
                c.visibleBars = shown;
                const auto r = c.draw();
                ASSERT_FALSE(r->bitmap().isNull()) << spacing << " " << shown << " " << type;
                EXPECT_LE(r->visibleBars(), 61) << spacing << " " << shown << " " << type;
            }
        }
    }
}

TEST(Edges, FlatOscillatorIsDrawnAcrossItsPane) {
    Chart c;
    const int n = 100;
    c.bars = test::makeBars(n, [](int) { return BarSpec{10, 11, 9, 10, 0}; });
    c.add(test::priceRecord(2)).Pane = 1;
    OutputTable t{};
    for (int s = kWindowSlots - n; s < kWindowSlots; ++s) t[static_cast<std::size_t>(s)][0] = 7;
    c.add(std::make_unique<test::TableIndicator>(29, t)).Pane = 4;
    const auto r = c.draw();
    ASSERT_EQ(r->panes().size(), 2u); // drawn, not dropped for its zero range
    const PaneInfo& p = r->panes()[1];
    EXPECT_LT(p.rangeMin, 7.0);
    EXPECT_GT(p.rangeMax, 7.0);
    bool legend = false;
    for (const TTxtRec& l : r->labels()) legend |= l.text == "Intensity ";
    EXPECT_TRUE(legend);
}

TEST(TitleLine, NoPercentageWithoutAPreviousClose) {
    Chart c;
    c.bars = test::makeBars(60, [](int i) {
        return i == 58 ? BarSpec{0, 0, 0, 0, 0} : BarSpec{19, 20, 18, 19, 0};
    });
    c.add(test::priceRecord(0));
    const auto r = c.draw();
    bool change = false;
    for (const TTxtRec& l : r->labels())
        if (l.text == "   +19.00") {
            change = true;
            EXPECT_EQ(l.fontColor, 0x008000u);
        }
    EXPECT_TRUE(change);

    Chart single;
    single.bars = test::makeBars(1, [](int) { return BarSpec{19, 20, 18, 19, 0}; });
    single.add(test::priceRecord(0));
    const auto one = single.draw();
    for (const TTxtRec& l : one->labels()) EXPECT_EQ(l.text.find('%'), std::string::npos);
}

} // namespace
} // namespace qm
