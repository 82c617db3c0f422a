// Pattern1 over hand-made bar sequences. Each table is one bar a line, oldest first, with the
// outputs worked out by hand for that bar; bar b sits in slot 512 - n + b, and counting starts
// at bar 5. Every sequence is also run upside down (prices 100 - p), which turns the sell side
// into the buy side with every sign changed.

#include "PatternTestUtil.h"
#include "indicators/Kinds.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using test::PatternRow;
using test::Sequence;
using namespace test; // PatternColumn names

using Options = test::PatternOptions;

void expectBothSides(const Options& o, const Sequence& s) {
    test::expectBothSides(5, o, s);
}

// clang-format off

// Defaults (N1 9, B1 4). Nine closes above the close four bars back, the bar before them not
// above its own: counts 1..9, and the ninth completes. Its own high (19) does not exceed the
// highs two and three bars back (20, 19), the high before it (21) does: confirmed at once.
// The tenth rising close starts nothing (its previous close leads the close four bars before
// it). Equal closes end counts (bars 15 and 21); the down count starts when the previous close
// is at or above the close four bars before it. Highs stay out of reach of the Stage2 test.
const PatternRow kStage1[] = {
    //  open  high  low  close   stage1 stage2 signal price mark
    {    10,   13,   9,   10,       0,     0,     0,    0,    0},  // 0
    {    10,   13,   9,   10,       0,     0,     0,    0,    0},
    {    10,   13,   9,   10,       0,     0,     0,    0,    0},
    {    10,   13,   9,   10,       0,     0,     0,    0,    0},
    {    10,   13,   9,   10,       0,     0,     0,    0,    0},
    {    11,   14,  10,   11,       1,     0,     0,    0,    0},  // 5: 10 <= 10 lets it start
    {    12,   15,  11,   12,       2,     0,     0,    0,    0},
    {    13,   16,  12,   13,       3,     0,     0,    0,    0},
    {    14,   17,  13,   14,       4,     0,     0,    0,    0},
    {    15,   18,  14,   15,       5,     0,     0,    0,    0},
    {    16,   19,  15,   16,       6,     0,     0,    0,    0},  // 10
    {    17,   20,  16,   17,       7,     0,     0,    0,    0},
    {    18,   21,  17,   18,       8,     0,     0,    0,    0},
    {    19,   19,  18,   19,       9,     0,     0,    0,    1},  // 13: completes
    {    20,   23,  19,   20,       0,     0,     0,    0,    0},  // 14: 19 > 15, no start
    {    17,   20,  16,   17,       0,     0,     0,    0,    0},  // 15: equals bar 11
    {    16,   19,  15,   16,      -1,     0,     0,    0,    0},  // 16: 17 >= 17 lets it start
    {    15,   18,  14,   15,      -2,     0,     0,    0,    0},
    {    15,   18,  14,   15,      -3,     0,     0,    0,    0},
    {    15,   18,  14,   15,      -4,     0,     0,    0,    0},
    {    15,   18,  14,   15,      -5,     0,     0,    0,    0},  // 20
    {    15,   18,  14,   15,       0,     0,     0,    0,    0},  // 21: equals bar 17
    {    14,   17,  13,   14,      -1,     0,     0,    0,    0},
};

// N1 4, B1 1, N2 9, B2 2, non-strict, relaxed last bar. An up Stage1 on bars 5..8 arms the sell
// Stage2 (support 10). Closes from bar 11 reach the high two bars back; bar 14's close equals
// it (20 against bar 12's high). The eighth count (bar 18, close 24) fixes the level: bar 19 is
// the ninth count but its high 23.75 stays below 24, so no signal; the count then needs the
// last-bar test, which bar 20 fails and bar 21 passes by its open (24 >= 23.75) with a high of
// 24.5: the main count completes, hands over to the second count at the same 10, which
// completes on the same bar and ends the Stage2.
const PatternRow kStage2[] = {
    //  open   high    low  close   stage1 stage2 signal price mark
    {    10,    11,     9,    10,      0,     0,     0,    0,    0},  // 0
    {    10,    11,     9,    10,      0,     0,     0,    0,    0},
    {    10,    11,     9,    10,      0,     0,     0,    0,    0},
    {    10,    11,     9,    10,      0,     0,     0,    0,    0},
    {    10,    11,     9,    10,      0,     0,     0,    0,    0},
    {    11,    14,    10,    11,      1,     0,     0,    0,    0},  // 5
    {    12,    15,    11,    12,      2,     0,     0,    0,    0},
    {    13,    16,    12,    13,      3,     0,     0,    0,    0},
    {    14,    17,    13,    14,      4,     0,     0,    0,    1},  // 8: arms the sell Stage2
    {    15,  15.5,  14.5,    15,      0,     0,     0,    0,    0},  // 9: 15 < 16
    {    16,  16.5,  15.5,    16,      0,     0,     0,    0,    0},  // 10: 16 < 17
    {    17,  17.5,  16.5,    17,      0,     1,     0,    0,    0},  // 11: 17 >= 15.5
    {    18,    20,  17.5,    18,      0,     2,     0,    0,    0},
    {    19,  19.5,  18.5,    19,      0,     3,     0,    0,    0},
    {    20,  20.5,  19.5,    20,      0,     4,     0,    0,    0},  // 14: 20 >= 20
    {    21,  21.5,  20.5,    21,      0,     5,     0,    0,    0},  // 15
    {    22,  22.5,  21.5,    22,      0,     6,     0,    0,    0},
    {    23, 23.25,  22.5,    23,      0,     7,     0,    0,    0},
    {    24,  24.5,  23.5,    24,      0,     8,     0,    0,    0},  // 18: level 24
    {  23.5, 23.75,    23,  23.5,     -1,     9,     0,    0,    0},  // 19: 23.75 < 24
    {  23.5, 23.75,    23,  23.5,      0,     0,     0,    0,    0},  // 20: 23.5 < 24.5
    {    24,  24.5,  23.5,  23.5,      0,    10,     1, 24.5,    0},  // 21: open 24 >= 23.75
    {    25,  25.5,  24.5,    25,      0,     0,     0,    0,    0},  // 22: Stage2 over
};

// N1 4, B1 1, N2 3, B2 1, aggressive: the Stage2 counts highs at or above the high two bars
// back, whatever the close and B2 (bar 9's high 16.5 reaches bar 7's 16 but not bar 8's 17).
// With N2 3 no eighth bar fixes a level, so the third count completes on its count and its
// last-bar test alone.
const PatternRow kAggressive[] = {
    //  open  high  low  close   stage1 stage2 signal price mark
    {    10,   11,   9,   10,       0,     0,     0,    0,    0},  // 0
    {    10,   11,   9,   10,       0,     0,     0,    0,    0},
    {    10,   11,   9,   10,       0,     0,     0,    0,    0},
    {    10,   11,   9,   10,       0,     0,     0,    0,    0},
    {    10,   11,   9,   10,       0,     0,     0,    0,    0},
    {    11,   14,  10,   11,       1,     0,     0,    0,    0},  // 5
    {    12,   15,  11,   12,       2,     0,     0,    0,    0},
    {    13,   16,  12,   13,       3,     0,     0,    0,    0},
    {    14,   17,  13,   14,       4,     1,     0,    0,    1},  // 8: 17 >= 15 on arming
    {    14, 16.5,  13,   14,       0,     2,     0,    0,    0},  // 9: 16.5 >= 16
    {    14,   19,  13,   14,       0,     3,     1,   19,    0},  // 10: 19 >= 17
    {    14,   20,  13,   14,       0,     0,     0,    0,    0},
};

// N1 2, B1 1, N2 4, B2 2, not relaxed: no level is ever fixed. Stage1 completes on bars 6 and
// 10 (the dip to bar 8 allows the second start). The second completion's highs do not confirm
// at once (bar 7's high 13.5 is not exceeded); bar 14 confirms it. At bar 10 the main count
// (2) is kept and the second count restarts: the main count completes on bar 11 at 4 and takes
// the second count's 2; that count goes on and its completion on bar 13 ends the Stage2.
const PatternRow kHandOver[] = {
    //  open  high   low  close   stage1 stage2 signal price mark
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},  // 0
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    11, 11.5, 10.5,   11,       1,     0,     0,    0,    0},  // 5
    {    12, 12.5, 11.5,   12,       2,     1,     0,    0,    1},  // 6: arms, counts itself
    {    13, 13.5, 12.5,   13,       0,     2,     0,    0,    0},
    {    10, 10.5,  9.5,   10,      -1,     0,     0,    0,    0},  // 8
    {    11, 11.5, 10.5,   11,       1,     0,     0,    0,    0},
    {    12,   12, 11.5,   12,       2,     3,     0,    0,    0},  // 10: second Stage1
    {    12,   12, 11.5,   12,       0,     4,     1,   12,    0},  // 11: main completes
    {    12,   12, 11.5,   12,       0,     3,     0,    0,    0},
    {    12,   12, 11.5,   12,       0,     4,     1,   12,    0},  // 13: second completes
    {    14,   14,   13,   14,       0,     0,     0,    0,    1},  // 14: 14 > 10.5, 13.5
};

// N1 2, B1 1, N2 6, B2 2, not relaxed. Up Stage1s complete on bars 6, 10 and 13 while the
// sell Stage2 runs. At each repeated one the main count takes the second count, which holds
// the count since the Stage1 before, and the second count restarts: 2 at bar 10 (3 with the bar
// itself), 1 at bar 13 (2 with it). Neither repeated Stage1 is confirmed at once; only the
// latest awaits its mark, which bar 15 gives (above bar 11's and bar 10's highs, 10.5 and 12;
// bar 10's own would have needed bar 7's 13.5).
const PatternRow kRestarts[] = {
    //  open  high   low  close   stage1 stage2 signal price mark
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},  // 0
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    11, 11.5, 10.5,   11,       1,     0,     0,    0,    0},  // 5
    {    12, 12.5, 11.5,   12,       2,     1,     0,    0,    1},  // 6: arms
    {    13, 13.5, 12.5,   13,       0,     2,     0,    0,    0},
    {    10, 10.5,  9.5,   10,      -1,     0,     0,    0,    0},
    {    11, 11.5, 10.5,   11,       1,     0,     0,    0,    0},
    {    12,   12, 11.5,   12,       2,     3,     0,    0,    0},  // 10: second Stage1
    {    10, 10.5,  9.5,   10,      -1,     0,     0,    0,    0},
    {    11, 11.5, 10.5,   11,       1,     0,     0,    0,    0},
    {    12,   12, 11.5,   12,       2,     2,     0,    0,    0},  // 13: third Stage1
    {    12,   12, 11.5,   12,       0,     3,     0,    0,    0},
    {    12, 12.5, 11.5,   12,       0,     4,     0,    0,    1},  // 15: 12.5 > 10.5, 12
};

// As kHandOver to bar 10, then bar 11's high 9.5 falls below the support 10 of the last up
// Stage1: the sell Stage2 is cancelled with its counts and the awaited confirmation, so bar 12
// (high 14) gets no mark and later closes above the highs two bars back count nothing.
const PatternRow kCancelled[] = {
    //  open  high   low  close   stage1 stage2 signal price mark
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},  // 0
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    11, 11.5, 10.5,   11,       1,     0,     0,    0,    0},  // 5
    {    12, 12.5, 11.5,   12,       2,     1,     0,    0,    1},
    {    13, 13.5, 12.5,   13,       0,     2,     0,    0,    0},
    {    10, 10.5,  9.5,   10,      -1,     0,     0,    0,    0},
    {    11, 11.5, 10.5,   11,       1,     0,     0,    0,    0},
    {    12,   12, 11.5,   12,       2,     3,     0,    0,    0},  // 10
    {     9,  9.5,  8.5,    9,      -1,     0,     0,    0,    0},  // 11: 9.5 < 10
    {    12,   14, 11.5,   12,       1,     0,     0,    0,    0},
    {    12, 12.5, 11.5,   12,       0,     0,     0,    0,    0},  // 13: 12 >= 9.5, not armed
};

// clang-format on

TEST(Pattern1, Stage1CountsStartsAndEnds) {
    expectBothSides({9, 13, 4, 2}, test::sequenceOf(kStage1));
}

TEST(Pattern1, Stage2ComparisonModesLevelAndRelaxedLastBar) {
    const Sequence nonStrict = test::sequenceOf(kStage2);
    // Strict: bar 14's close only equals the high two bars back, so every later count is one
    // lower, the eighth count (bar 19) fixes 23.5, and bar 21 completes at 9.
    Sequence strict = nonStrict;
    strict.set(14, Stage2, 0).set(15, Stage2, 4).set(16, Stage2, 5).set(17, Stage2, 6);
    strict.set(18, Stage2, 7).set(19, Stage2, 8).set(21, Stage2, 9);
    // Not relaxed: bar 21's open no longer counts; bar 22's close does and completes.
    const auto unrelaxed = [](Sequence s, float count) {
        s.set(21, Stage2, 0).set(21, Signal, 0).set(21, Price, 0);
        return s.set(22, Stage2, count).set(22, Signal, 1).set(22, Price, 25.5f);
    };
    struct Case {
        const char* name;
        std::uint8_t mode;
        bool relax;
        Sequence want;
    };
    for (const Case& c : {Case{"non-strict", 0, true, nonStrict}, Case{"strict", 1, true, strict},
                          Case{"non-strict unrelaxed", 0, false, unrelaxed(nonStrict, 10)},
                          Case{"strict unrelaxed", 7, false, unrelaxed(strict, 9)}}) {
        SCOPED_TRACE(c.name);
        Options o{4, 9, 1, 2};
        o.mode = c.mode;
        o.relax = c.relax;
        expectBothSides(o, c.want);
    }
}

TEST(Pattern1, AggressiveComparesHighsTwoBarsBack) {
    Options o{4, 3, 1, 1};
    o.relax = false;
    o.aggressive = true;
    expectBothSides(o, test::sequenceOf(kAggressive));
    // The same bars by their closes: no close reaches the high one bar back.
    o.aggressive = false;
    Sequence byClose = test::sequenceOf(kAggressive);
    byClose.set(8, Stage2, 0).set(9, Stage2, 0).set(10, Stage2, 0);
    expectBothSides(o, byClose.set(10, Signal, 0).set(10, Price, 0));
}

TEST(Pattern1, MainCountHandsOverToSecondCount) {
    Options o{2, 4, 1, 2};
    o.relax = false;
    expectBothSides(o, test::sequenceOf(kHandOver));
}

TEST(Pattern1, RepeatedStage1RestartsTheSecondCount) {
    Options o{2, 6, 1, 2};
    o.relax = false;
    expectBothSides(o, test::sequenceOf(kRestarts));
    // Resetting instead: the main count restarts from each repeated Stage1's bar.
    o.reset = true;
    Sequence reset = test::sequenceOf(kRestarts);
    reset.set(10, Stage2, 1).set(13, Stage2, 1).set(14, Stage2, 2).set(15, Stage2, 3);
    expectBothSides(o, reset);
}

TEST(Pattern1, SupportCancelsSellStage2) {
    Options o{2, 4, 1, 2};
    o.relax = false;
    expectBothSides(o, test::sequenceOf(kCancelled));
}

} // namespace
} // namespace qm
