#include "chartwin/ChartTools.h"

#include "chartwin/ChartWinMessages.h"

#include <gtest/gtest.h>
#include <ostream>

namespace qm::tools {

// Readable failures.
void PrintTo(const Point& p, std::ostream* os) {
    *os << "(" << p.x << ", " << p.y << ")";
}
void PrintTo(const Segment& s, std::ostream* os) {
    PrintTo(s.from, os);
    *os << "-";
    PrintTo(s.to, os);
}
void PrintTo(const Stroke& s, std::ostream* os) {
    PrintTo(s.line, os);
    *os << " colour " << std::hex << s.colour << std::dec << (s.dotted ? " dotted" : "");
}
void PrintTo(const Overlay& o, std::ostream* os) {
    PrintTo(o.line, os);
    *os << (o.inverted ? " inverted" : "");
}
void PrintTo(const Label& l, std::ostream* os) {
    *os << "\"" << l.text << "\" right " << l.right << " middle " << l.middle;
}

namespace {

namespace cm = chartwin_messages;

// A chart of bars in slots 400 to 511, drawn from slot 413 (100 visible bars) with a pitch of
// 6: slot s lies at x = 12 + (s - 413) * 6.
struct ToolsFixture : testing::Test {
    BarWindow bars{};
    FormatSettings fs = FormatSettings::unitedStates();
    ChartView view;
    ChartTools tools;

    ToolsFixture() {
        for (int s = 400; s < kWindowSlots; ++s) {
            PriceBar& b = bars[static_cast<std::size_t>(s)];
            b.date = 45000 - 511 + s;
            b.open = b.high = b.low = b.close = 50.0f;
        }
        view.barPitch = 6;
        view.visibleBars = 100;
        view.scaleX = 900;
        view.readOutBottom = 480;
        view.width = 1000;
        view.height = 500;
        view.dataKind = DataKind::Full;
        view.bars = &bars;
        view.fs = &fs;
    }
    static int xOf(int slot) { return 12 + (slot - 413) * 6; }
    PriceBar& bar(int slot) { return bars[static_cast<std::size_t>(slot)]; }

    // Press, drag to `to` and release there.
    ToolEffect drag(ChartTool tool, Point from, Point to, bool shift = false) {
        tools.press(tool, from, view);
        tools.move(tool, to, view);
        return tools.release(tool, to, shift, view);
    }
    // Clicks the points one after another; the effect of the last release.
    ToolEffect clickPoints(ChartTool tool, std::initializer_list<Point> points) {
        ToolEffect last;
        for (const Point p : points) {
            tools.press(tool, p, view);
            last = tools.release(tool, p, false, view);
        }
        return last;
    }
};

TEST_F(ToolsFixture, ShiftMakesATrendLineVerticalOrHorizontal) {
    struct Case {
        Point release;
        bool shift;
        Point end;
    } cases[] = {
        {{160, 180}, true, {100, 180}}, // |dy| 80 > |dx| 60: vertical
        {{180, 160}, true, {180, 100}}, // |dy| 60 < |dx| 80: horizontal
        {{160, 160}, true, {160, 100}}, // 45 degrees: horizontal
        {{40, 20}, true, {100, 20}},    // up and to the left, |dy| 80 > |dx| 60
        {{20, 40}, true, {20, 100}},     {{70, 190}, true, {100, 190}},
        {{160, 180}, false, {160, 180}},
    };
    for (const Case& c : cases) {
        tools.reset();
        const ToolEffect e = drag(ChartTool::Line, {100, 100}, c.release, c.shift);
        ASSERT_EQ(e.strokes.size(), 1u);
        EXPECT_EQ(e.strokes[0], (Stroke{{{100, 100}, c.end}, kLineColour, false}))
            << c.release.x << "," << c.release.y << " shift " << c.shift;
        EXPECT_EQ(e.release, ChartTool::Line);
        EXPECT_FALSE(tools.overlay());
    }
}

TEST_F(ToolsFixture, TheRubberBandFollowsTheMouseOverThePicture) {
    tools.press(ChartTool::Line, {100, 100}, view);
    EXPECT_FALSE(tools.overlay());
    for (const Point p : {Point{150, 120}, Point{300, 40}}) {
        const ToolEffect e = tools.move(ChartTool::Line, p, view);
        EXPECT_TRUE(e.strokes.empty()) << "nothing goes into the picture while dragging";
        EXPECT_EQ(tools.overlay(), (Overlay{{{100, 100}, p}, false}));
    }
    // A move or release without a press draws nothing.
    tools.reset();
    EXPECT_TRUE(tools.release(ChartTool::Line, {10, 10}, false, view).strokes.empty());
}

TEST_F(ToolsFixture, AChannelRunsParallelToItsBaseLineThroughTheMouse) {
    // The base line stays and keeps the tool down.
    ToolEffect base = drag(ChartTool::Channel, {100, 200}, {300, 100});
    EXPECT_EQ(base.strokes, (std::vector<Stroke>{{{{100, 200}, {300, 100}}, kLineColour}}));
    EXPECT_EQ(base.release, ChartTool::None);
    ASSERT_TRUE(tools.hasBaseLine());

    // Width -200, slope -0.5: through (250, 250) the parallel spans x 350 to 150.
    tools.press(ChartTool::Channel, {240, 240}, view);
    EXPECT_FALSE(tools.overlay());
    tools.move(ChartTool::Channel, {250, 250}, view);
    const Segment parallel{{350, 200}, {150, 300}};
    EXPECT_EQ(tools.overlay(), (Overlay{parallel, true}));
    const ToolEffect done = tools.release(ChartTool::Channel, {250, 250}, false, view);
    EXPECT_EQ(done.strokes, (std::vector<Stroke>{{parallel, kLineColour}}));
    EXPECT_EQ(done.release, ChartTool::Channel);
    EXPECT_FALSE(tools.hasBaseLine());
    EXPECT_FALSE(tools.overlay());
}

TEST_F(ToolsFixture, AChannelsParallelTakesShiftFromTheBaseLinesStart) {
    drag(ChartTool::Channel, {100, 200}, {300, 100});
    // (250, 250) from (100, 200): |dy| 50 < |dx| 150, so the parallel passes through (250, 200).
    const ToolEffect done = drag(ChartTool::Channel, {250, 250}, {250, 250}, true);
    EXPECT_EQ(done.strokes, (std::vector<Stroke>{{{{350, 150}, {150, 250}}, kLineColour}}));
}

TEST_F(ToolsFixture, AVerticalBaseLineLeavesTheNextDragToAnotherBaseLine) {
    drag(ChartTool::Channel, {100, 100}, {100, 300});
    EXPECT_FALSE(tools.hasBaseLine());
    const ToolEffect second = drag(ChartTool::Channel, {100, 200}, {300, 100});
    EXPECT_EQ(second.strokes.size(), 1u);
    EXPECT_EQ(second.release, ChartTool::None);
    EXPECT_TRUE(tools.hasBaseLine());
}

TEST_F(ToolsFixture, APitchforkNeedsThreePoints) {
    // M = (500, 200), slope -0.25 from P1 (100, 300); lines end at the scale, x 900.
    view.scaleX = 900;
    EXPECT_TRUE(clickPoints(ChartTool::Pitchfork, {{100, 300}, {400, 150}}).strokes.empty());
    EXPECT_EQ(tools.pointCount(), 2);
    const ToolEffect e = clickPoints(ChartTool::Pitchfork, {{600, 250}});
    EXPECT_EQ(e.strokes, (std::vector<Stroke>{{{{100, 300}, {900, 100}}, kLineColour},
                                              {{{400, 150}, {900, 25}}, kLineColour},
                                              {{{600, 250}, {900, 175}}, kLineColour}}));
    EXPECT_EQ(e.release, ChartTool::Pitchfork);
    EXPECT_EQ(tools.pointCount(), 0);
}

TEST_F(ToolsFixture, APitchforkWithAVerticalMedianDrawsStraightLinesOrNothing) {
    // The middle of P2 and P3 lies straight above P1: the lines run up to the window's top.
    ToolEffect up = clickPoints(ChartTool::Pitchfork, {{300, 300}, {200, 100}, {400, 100}});
    EXPECT_EQ(up.strokes, (std::vector<Stroke>{{{{300, 300}, {300, 0}}, kLineColour},
                                               {{{200, 100}, {200, 0}}, kLineColour},
                                               {{{400, 100}, {400, 0}}, kLineColour}}));
    // ... and below it, down to the bottom.
    ToolEffect down = clickPoints(ChartTool::Pitchfork, {{300, 100}, {250, 200}, {350, 300}});
    EXPECT_EQ(down.strokes[0], (Stroke{{{300, 100}, {300, 499}}, kLineColour}));
    // With the middle on P1 itself there is no direction: nothing, and the tool is done.
    ToolEffect none = clickPoints(ChartTool::Pitchfork, {{300, 200}, {200, 100}, {400, 300}});
    EXPECT_TRUE(none.strokes.empty());
    EXPECT_EQ(none.release, ChartTool::Pitchfork);
}

TEST_F(ToolsFixture, FibonacciMeasuresFromTheLowerPointTowardsTheHigherOne) {
    bar(450).high = 120;
    bar(450).low = 110;
    bar(500).high = 130;
    bar(500).low = 100;
    const int ax = xOf(450); // 234
    const int bx = xOf(500); // 534
    const std::vector<Stroke> levelLines = {
        {{{ax, 100}, {900, 100}}, kFibEndColour, true},
        {{{bx, 300}, {900, 300}}, kFibEndColour, true},
        {{{bx, 224}, {900, 224}}, kFibRatioColour, true}, // 300 - 0.382 * 200 = 223.6
        {{{bx, 200}, {900, 200}}, kFibRatioColour, true},
        {{{bx, 176}, {900, 176}}, kFibRatioColour, true}};

    const std::vector<Label> highThenLow = {{" 120.00 ", ax, 100, kFibEndColour},
                                            {" 100.00 ", bx, 300, kFibEndColour},
                                            {"38.2%  107.64 ", bx - 2, 223, kFibRatioColour},
                                            {"50.0%  110.00 ", bx - 2, 200, kFibRatioColour},
                                            {"61.8%  112.36 ", bx - 2, 176, kFibRatioColour}};

    struct Case {
        const char* what;
        Point first, second;
        std::vector<Stroke> strokes;
        std::vector<Label> labels;
    } cases[] = {
        // High at the left, low at the right: the high of the left bar, the low of the right.
        {"high then low", {ax, 100}, {bx, 300}, levelLines, highThenLow},
        // Clicked right to left: the left point is still the first end.
        {"clicked backwards", {bx, 300}, {ax, 100}, levelLines, highThenLow},
        // Low at the left, high at the right: the high of the right bar, the low of the left;
        // the levels are measured from the left point up.
        {"low then high",
         {ax, 300},
         {bx, 100},
         {{{{ax, 300}, {900, 300}}, kFibEndColour, true},
          {{{bx, 100}, {900, 100}}, kFibEndColour, true},
          {{{bx, 224}, {900, 224}}, kFibRatioColour, true},
          {{{bx, 200}, {900, 200}}, kFibRatioColour, true},
          {{{bx, 176}, {900, 176}}, kFibRatioColour, true}},
         {{" 110.00 ", ax, 300, kFibEndColour},
          {" 130.00 ", bx, 100, kFibEndColour},
          {"38.2%  117.64 ", bx - 2, 223, kFibRatioColour},
          {"50.0%  120.00 ", bx - 2, 200, kFibRatioColour},
          {"61.8%  122.36 ", bx - 2, 176, kFibRatioColour}}},
    };
    for (const Case& c : cases) {
        tools.reset();
        EXPECT_TRUE(clickPoints(ChartTool::Fibonacci, {c.first}).strokes.empty()) << c.what;
        const ToolEffect e = clickPoints(ChartTool::Fibonacci, {c.second});
        EXPECT_EQ(e.strokes, c.strokes) << c.what;
        EXPECT_EQ(e.labels, c.labels) << c.what;
        EXPECT_EQ(e.release, ChartTool::Fibonacci) << c.what;
    }
}

TEST_F(ToolsFixture, FibonacciRefusesClicksOffTheBarsAndPricesClosesOnlySeriesByTheClose) {
    // Right of the newest bar (slot 512 and on), and left of the oldest bar (empty slots).
    for (const int x : {xOf(512), xOf(530), xOf(399), -500}) {
        tools.press(ChartTool::Fibonacci, {x, 100}, view);
        EXPECT_EQ(tools.pointCount(), 0) << x;
    }
    view.dataKind = DataKind::Close;
    bar(450).close = 40;
    bar(500).close = 60;
    const ToolEffect e = clickPoints(ChartTool::Fibonacci, {{xOf(450), 300}, {xOf(500), 100}});
    ASSERT_EQ(e.labels.size(), 5u);
    EXPECT_EQ(e.labels[0].text, " 40.00 ");
    EXPECT_EQ(e.labels[1].text, " 60.00 ");
    EXPECT_EQ(e.labels[3].text, "50.0%  50.00 ");
}

TEST_F(ToolsFixture, TheReadOutShowsWhatTheSeriesCarries) {
    PriceBar& b = bar(450);
    b.open = 101.5f;
    b.high = 103.25f;
    b.low = 100.125f;
    b.close = 102.75f;
    bar(449).close = 102.5f;
    const std::string date = " 1/13/2023"; // day 44939
    struct Case {
        DataKind kind;
        std::string text;
    } cases[] = {
        {DataKind::Full, date + "\r\n O =  101.50\r\n H =  103.25\r\n L =  100.125\r\n"
                                " C =  102.75\r\n    +0.25 "},
        {DataKind::HighLowCloseVolume,
         date + "\r\n H =  103.25\r\n L =  100.125\r\n C =  102.75\r\n    +0.25 "},
        {DataKind::HighLowClose,
         date + "\r\n H =  103.25\r\n L =  100.125\r\n C =  102.75\r\n    +0.25 "},
        {DataKind::CloseVolume, date + "\r\n C =  102.75\r\n    +0.25 "},
        {DataKind::Close, date + "\r\n C =  102.75\r\n    +0.25 "},
    };
    for (const Case& c : cases) {
        view.dataKind = c.kind;
        // Anywhere across the bar's pitch reads that bar.
        for (const int dx : {0, 5})
            EXPECT_EQ(readOutText(xOf(450) + dx, view), c.text) << static_cast<int>(c.kind);
    }
    view.dataKind = DataKind::Close;
    bar(449).close = 103.0f;
    EXPECT_EQ(readOutText(xOf(450), view), date + "\r\n C =  102.75\r\n    -0.25 ");
    // The oldest bar has no change to show.
    EXPECT_EQ(readOutText(xOf(400), view), " 11/24/2022\r\n C =  50.00");
    view.dataKind = DataKind::None;
    EXPECT_EQ(readOutText(xOf(450), view), std::nullopt);
}

TEST_F(ToolsFixture, TheReadOutOffTheBarsAsksToDrag) {
    // One bar pitch or more right of the newest bar, and the empty slots left of the oldest.
    for (const int x : {xOf(512), xOf(520), xOf(399), -100})
        EXPECT_EQ(readOutText(x, view), std::string(cm::kReadOutHint)) << x;
    EXPECT_EQ(slotUnder(xOf(511) + 5, 6, 100, false), 511);
    EXPECT_EQ(slotUnder(xOf(511) + 4, 6, 100, true), 512);
    EXPECT_EQ(slotUnder(xOf(511) + 3, 6, 100, true), 511) << "half way rounds to even";
}

TEST_F(ToolsFixture, TheReadOutLineFollowsTheMouseAndTheArrowKeys) {
    EXPECT_TRUE(tools.press(ChartTool::ReadOut, {10, 10}, view).hintsOff);
    tools.move(ChartTool::ReadOut, {xOf(450), 200}, view);
    EXPECT_EQ(tools.overlay(), (Overlay{{{xOf(450), 0}, {xOf(450), 480}}, false}));
    const ToolEffect up = tools.release(ChartTool::ReadOut, {xOf(450), 200}, false, view);
    EXPECT_TRUE(up.hintsOn && up.showHint);
    EXPECT_EQ(up.hintPauseMs, kReadOutHintMs);
    EXPECT_EQ(up.hintText, readOutText(xOf(450), view));
    EXPECT_EQ(up.release, ChartTool::None) << "the read-out stays down";

    // Right moves one bar from the line; Up moves the pointer by a twentieth of the height,
    // never out of the window.
    ToolEffect key = tools.arrowDown(ChartTool::ReadOut, ArrowKey::Right, {0, 200}, view);
    EXPECT_TRUE(key.handled);
    EXPECT_EQ(key.pointer, (Point{xOf(451), 200}));
    EXPECT_EQ(tools.arrowUp(ChartTool::ReadOut, view).hintText, readOutText(xOf(451), view));
    key = tools.arrowDown(ChartTool::ReadOut, ArrowKey::Up, {xOf(451), 10}, view);
    EXPECT_EQ(key.pointer, (Point{xOf(451), 0}));
    // Past the newest bar: the hint to drag, briefly.
    tools.move(ChartTool::ReadOut, {xOf(513), 200}, view);
    const ToolEffect off = tools.arrowUp(ChartTool::ReadOut, view);
    EXPECT_EQ(off.hintText, std::string(cm::kReadOutHint));
    EXPECT_EQ(off.hintPauseMs, kShortHintMs);
    // Other tools leave the keys alone.
    EXPECT_FALSE(tools.arrowDown(ChartTool::Line, ArrowKey::Left, {0, 0}, view).handled);

    // Leaving the active window takes the line away and puts the window's hint back.
    EXPECT_TRUE(tools.leave(ChartTool::ReadOut, false).hintText == std::nullopt);
    const ToolEffect left = tools.leave(ChartTool::ReadOut, true);
    EXPECT_FALSE(tools.overlay());
    EXPECT_TRUE(left.defaultCursor);
    EXPECT_EQ(left.hintText, std::string(cm::kWindowHint));
    EXPECT_EQ(left.hintPauseMs, kShortHintMs);
}

TEST_F(ToolsFixture, OneClickToolsChangeTheChartAndAlwaysComeUp) {
    struct Case {
        ChartTool tool;
        int spacing;
        std::optional<int> newSpacing;
        bool clear;
    } cases[] = {
        {ChartTool::Expand, 0, 1, false},    {ChartTool::Expand, 1, 2, false},
        {ChartTool::Expand, 2, {}, false},   {ChartTool::Compress, 2, 1, false},
        {ChartTool::Compress, 0, {}, false}, {ChartTool::Clear, 1, {}, true},
    };
    for (const Case& c : cases) {
        view.spacing = c.spacing;
        const ToolEffect e = tools.click(c.tool, view);
        EXPECT_EQ(e.spacing, c.newSpacing) << static_cast<int>(c.tool) << " at " << c.spacing;
        EXPECT_EQ(e.clearIndicators, c.clear);
        EXPECT_EQ(e.release, c.tool);
    }
    EXPECT_EQ(tools.click(ChartTool::Line, view).release, ChartTool::None);
}

TEST_F(ToolsFixture, ActivationStartsTheToolsAfresh) {
    clickPoints(ChartTool::Pitchfork, {{1, 1}, {2, 2}});
    drag(ChartTool::Channel, {100, 200}, {300, 100});
    const ToolEffect readOut = tools.activated(ChartTool::ReadOut);
    EXPECT_EQ(tools.pointCount(), 0);
    EXPECT_FALSE(tools.hasBaseLine());
    EXPECT_EQ(readOut.hintText, std::string(cm::kReadOutHint));
    EXPECT_EQ(readOut.hintPauseMs, kReadOutHintMs);
    const ToolEffect other = tools.activated(ChartTool::Line);
    EXPECT_EQ(other.hintText, std::string(cm::kWindowHint));
    EXPECT_EQ(other.hintPauseMs, kShortHintMs);
}

} // namespace
} // namespace qm::tools
