#include "loader/PaneRule.h"

#include "LoaderTestUtil.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace qm {
namespace {

using KindPane = std::pair<int, int>;

TPlotRecList recordsOf(const std::vector<KindPane>& list) {
    TPlotRecList records;
    for (const auto& [kind, pane] : list) {
        auto r = kind == 0 ? std::make_unique<TOscObj>() : TOscObj::Create(kind);
        r->Pane = static_cast<std::uint8_t>(pane);
        records.records.push_back(std::move(r));
    }
    records.records[0]->ShowVolume = true;
    return records;
}

std::vector<KindPane> layoutOf(const TPlotRecList& records) {
    std::vector<KindPane> out;
    for (const auto& r : records.records) out.emplace_back(r->Kind, r->Pane);
    return out;
}

TEST(PaneRule, DropRowChoosesTheTargetPane) {
    // A chart 600 rows high: three quarters at 450, half at 300, 0.67 at 402, 0.83 at 498.
    // Rows right on the last two are left out: 0.67 and 0.83 have no exact binary value.
    struct Case {
        int oscillators;
        double y;
        int pane;
    };
    const Case cases[] = {
        {0, 0, 4},   {0, 599, 4},                                        // the first: bottom
        {1, 449, 5}, {1, 450, 4},                                        // above or below 3/4
        {2, 299, 8}, {2, 301, 5}, {2, 449, 5}, {2, 450, 4}, {2, 300, 4}, // exactly half: 4
        {3, 0, 8},   {3, 401, 8}, {3, 300, 6},                           // exactly half: 6
        {3, 403, 7}, {3, 497, 7}, {3, 499, 6}, {4, 0, 8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dropTargetPane(c.oscillators, c.y, 600), c.pane)
            << c.oscillators << " oscillators, row " << c.y;
}

TEST(PaneRule, DropsLayOutThePanes) {
    struct Case {
        const char* what;
        std::vector<KindPane> before;
        int kind;
        int target;
        std::vector<KindPane> after;
        bool volume; // the price record's after the drop
    };
    const std::vector<KindPane> two = {{0, 2}, {16, 5}, {17, 4}};
    const std::vector<KindPane> three = {{0, 2}, {15, 8}, {16, 7}, {17, 6}};
    const Case cases[] = {
        {"overlay on a price chart", {{0, 0}}, 1, 4, {{0, 0}, {1, 0}}, true},
        {"first oscillator", {{0, 0}}, 17, 4, {{0, 1}, {17, 4}}, false},
        {"second oscillator above the first",
         {{0, 1}, {1, 1}, {17, 4}},
         16,
         5,
         {{0, 2}, {1, 2}, {17, 4}, {16, 5}},
         false},
        {"replaces the lower of two", two, 30, 4, {{0, 2}, {16, 5}, {30, 4}}, false},
        {"replaces the upper of two", two, 30, 5, {{0, 2}, {17, 4}, {30, 5}}, false},
        {"third on top of two", two, 30, 8, {{0, 2}, {16, 7}, {17, 6}, {30, 8}}, false},
        {"replaces the top of three", three, 30, 8, {{0, 2}, {16, 7}, {17, 6}, {30, 8}}, false},
        {"replaces the middle of three", three, 30, 7, {{0, 2}, {15, 8}, {17, 6}, {30, 7}}, false},
        {"replaces the bottom of three", three, 30, 6, {{0, 2}, {15, 8}, {16, 7}, {30, 6}}, false},
        {"overlays replace nothing",
         three,
         1,
         8,
         {{0, 2}, {15, 8}, {16, 7}, {17, 6}, {1, 2}},
         false},
        {"records are sorted by kind first",
         {{0, 1}, {17, 4}, {1, 1}},
         2,
         4,
         {{0, 1}, {1, 1}, {17, 4}, {2, 1}},
         false},
        {"an overlay leaves an oscillator in the price pane's place alone",
         {{0, 1}, {17, 1}},
         1,
         4,
         {{0, 1}, {17, 4}, {1, 1}},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TPlotRecList records = recordsOf(c.before);
        placeDroppedRecord(records, TOscObj::Create(c.kind), c.target, DataKind::Full,
                           Interval::Weekly);
        EXPECT_EQ(layoutOf(records), c.after);
        EXPECT_EQ(records.records[0]->ShowVolume, c.volume);
    }
}

TEST(PaneRule, DroppedRecordTakesTheChartsDataKindAndInterval) {
    TPlotRecList records = recordsOf({{0, 0}});
    placeDroppedRecord(records, TOscObj::Create(17), 4, DataKind::HighLowClose, Interval::Monthly);
    EXPECT_EQ(records.records[1]->DataKind, 3);
    EXPECT_EQ(records.records[1]->Interval, 2);
}

TEST(PaneRule, SeriesWithoutThePricesRefuseTheDrop) {
    const std::string highLow = "This indicator needs data \n\rwith Hi and Lo or Vol values.";
    const std::string ohlc = "This indicator needs data \n\rwith Open, Hi, Lo and Close values.";
    struct Case {
        int kind;
        DataKind data;
        std::string refusal; // empty: accepted
    };
    const Case cases[] = {
        {8, DataKind::CloseVolume, highLow},
        {8, DataKind::HighLowClose, ""},
        {21, DataKind::Close, highLow},
        // The kinds the loader passes over on closes alone are refused as well.
        {19, DataKind::Close, highLow},
        {28, DataKind::CloseVolume, highLow},
        {5, DataKind::HighLowCloseVolume, ohlc},
        {7, DataKind::Close, ohlc},
        {6, DataKind::Full, ""},
        {17, DataKind::Close, ""},
    };
    for (const Case& c : cases) {
        const auto refusal = dropRefusal(c.kind, c.data);
        EXPECT_EQ(refusal ? std::string(*refusal) : std::string(), c.refusal)
            << "kind " << c.kind << ", data kind " << static_cast<int>(c.data);
    }
}

TEST(PaneRule, DroppedRecordTakesTheFirstSettingsOfItsKind) {
    test::TempDir dir;
    test::RecordingSink sink;
    const auto file = dir / "ACME.prm";
    test::writeSettingsSet(file, [](TPlotRecList& s) {
        s.records[17]->Params[0] = 21;
        auto second = TOscObj::Create(17); // a later record of the kind counts for nothing
        second->Params[0] = 5;
        s.records.push_back(std::move(second));
    });
    const auto record = newDroppedRecord(17, file, sink);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Kind, 17);
    EXPECT_EQ(record->Params[0], 21.0f);
    EXPECT_TRUE(sink.messages.empty());
}

} // namespace
} // namespace qm
