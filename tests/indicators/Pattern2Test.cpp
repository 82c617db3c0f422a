// Pattern2 and the Stage1 support and resistance levels over hand-made bar sequences: one bar a
// line, oldest first, with the outputs worked out by hand; counting starts at bar 5. Every
// sequence also runs upside down (prices 100 - p) for the other side.

#include "PatternTestUtil.h"
#include "indicators/Kinds.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using test::LevelRow;
using test::PatternRow;
using test::Sequence;
using namespace test; // PatternColumn names

using Options = test::PatternOptions;

void expectBothSides(const Options& o, const Sequence& s) {
    test::expectBothSides(6, o, s);
}

// clang-format off

// Defaults (N1 9, N2 13, B1 4, B2 2, non-strict, relaxed). Bars 5..13 complete an up Stage1 and
// each closes at or above the high two bars back, the previous high and the previous close:
// when bar 13 arms the sell Stage2 the count is numbered 1..9 back over them. Bar 14 counts by
// the full tests (count 10 = N2 - 3); bars 15 and 17 count only by closing above the last
// counted close (bar 15's high is below bar 14's), bar 16 closing equal to it does not; bar
// 18's close equals bar 17's, its open 21 is above, which completes the 13th count.
const PatternRow kScan[] = {
    //  open   high    low  close   stage1 stage2 signal price mark
    {    10,  10.5,   9.5,    10,      0,     0,     0,    0,    0},  // 0
    {    10,  10.5,   9.5,    10,      0,     0,     0,    0,    0},
    {    10,  10.5,   9.5,    10,      0,     0,     0,    0,    0},
    {    10,  10.5,   9.5,    10,      0,     0,     0,    0,    0},
    {    10,  10.5,   9.5,    10,      0,     0,     0,    0,    0},
    {    11,  11.5,  10.5,    11,      1,     1,     0,    0,    0},  // 5
    {    12,  12.5,  11.5,    12,      2,     2,     0,    0,    0},
    {    13,  13.5,  12.5,    13,      3,     3,     0,    0,    0},
    {    14,  14.5,  13.5,    14,      4,     4,     0,    0,    0},
    {    15,  15.5,  14.5,    15,      5,     5,     0,    0,    0},
    {    16,  16.5,  15.5,    16,      6,     6,     0,    0,    0},  // 10
    {    17,  17.5,  16.5,    17,      7,     7,     0,    0,    0},
    {    18,  18.5,  17.5,    18,      8,     8,     0,    0,    0},
    {    19,  19.5,  18.5,    19,      9,     9,     0,    0,    1},  // 13: arms
    {    20,  20.5,  19.5,    20,      0,    10,     0,    0,    0},
    { 20.25, 20.25, 19.75, 20.25,      0,    11,     0,    0,    0},  // 15: 20.25 > 20
    { 20.25,  20.5,    20, 20.25,      0,     0,     0,    0,    0},  // 16: not above 20.25
    {  20.5,    21,    20,  20.5,      0,    12,     0,    0,    0},
    {    21,  21.5, 20.25,  20.5,      0,    13,     1, 21.5,    0},  // 18: open 21 > 20.5
    {    21,  21.5,  20.5,    21,      0,     0,     0,    0,    0},
};

// N1 4, N2 8, B1 4, B2 2. Bars 7 and 9 close equal to the bar before: non-strict they count,
// strict they do not. The last three counts (from 5) need only a close above the last counted
// close.
const PatternRow kModes[] = {
    //  open  high   low  close   stage1 stage2 signal price mark
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},  // 0
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    11, 11.5, 10.5,   11,       1,     1,     0,    0,    0},  // 5
    {    12, 12.5, 11.5,   12,       2,     2,     0,    0,    0},
    {    12, 12.5, 11.5,   12,       3,     3,     0,    0,    0},  // 7: equal close
    {    13, 13.5, 12.5,   13,       4,     4,     0,    0,    1},  // 8: arms
    {    13, 13.5, 12.5,   13,       0,     5,     0,    0,    0},  // 9: equal close
    {    14, 14.5, 13.5,   14,       0,     6,     0,    0,    0},  // 10
    {    15, 15.5, 14.5,   15,       0,     7,     0,    0,    0},
    {    16, 16.5, 15.5,   16,       0,     8,     1, 16.5,    0},
    {    17, 17.5, 16.5,   17,       0,     0,     0,    0,    0},
    {    18, 18.5, 17.5,   18,       0,     0,     0,    0,    0},
};

// N1 4, N2 8, B1 4, B2 2. An up Stage1 on bars 5..8 arms the sell Stage2 and numbers 1..4 back
// over its bars; the count reaches 6 on bar 10 and then stalls (no close above 16). A pullback
// lets a second up Stage1 complete on bar 19 (support 12.5): the 6 moves to the second count,
// the main count restarts over bars 16..19 (to 4) without writing its numbers. Bar 20 closes
// below bar 18's high, yet above the second count's last close: the second count, in its last
// three, goes to 7, the main count (needing the full tests) stays. Bar 21 completes the second
// count with a signal (the main count's 5 does not overwrite the completed 8); the main count
// then writes 6 and 7 and completes on bar 24.
const PatternRow kSecondStage1[] = {
    //  open  high   low  close   stage1 stage2 signal price mark
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},  // 0
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    11, 11.5, 10.5,   11,       1,     1,     0,    0,    0},  // 5
    {    12, 12.5, 11.5,   12,       2,     2,     0,    0,    0},
    {    13, 13.5, 12.5,   13,       3,     3,     0,    0,    0},
    {    14, 14.5, 13.5,   14,       4,     4,     0,    0,    1},  // 8: arms, support 10
    {    15, 15.5, 14.5,   15,       0,     5,     0,    0,    0},
    {    16, 16.5, 15.5,   16,       0,     6,     0,    0,    0},  // 10
    {    15, 15.5, 14.5,   15,       0,     0,     0,    0,    0},
    {    14, 14.5, 13.5,   14,       0,     0,     0,    0,    0},  // 12: equals bar 8
    {    13, 13.5, 12.5,   13,      -1,     0,     0,    0,    0},
    {    12, 12.5, 11.5,   12,      -2,     0,     0,    0,    0},
    {  12.5,   13,   12, 12.5,      -3,     0,     0,    0,    0},  // 15
    {  14.5,   15,   14, 14.5,       1,     0,     0,    0,    0},
    {    15, 15.5, 14.5,   15,       2,     0,     0,    0,    0},
    {  15.5, 17.5,   15, 15.5,       3,     0,     0,    0,    0},
    {    16,   18, 15.5,   16,       4,     0,     0,    0,    1},  // 19: second Stage1
    {    17, 17.5, 16.5,   17,       0,     7,     0,    0,    0},  // 20: 17 < 17.5
    {    18, 18.5, 17.5,   18,       0,     8,     1, 18.5,    0},
    {    19, 19.5, 18.5,   19,       0,     6,     0,    0,    0},
    {    20, 20.5, 19.5,   20,       0,     7,     0,    0,    0},
    {    21, 21.5, 20.5,   21,       0,     8,     1, 21.5,    0},
    {    22, 22.5, 21.5,   22,       0,     0,     0,    0,    0},  // 25
};

// As kSecondStage1 to bar 19, then bar 20's high 12 falls below the support 12.5 of the second
// Stage1. The second count (6) takes over as the main count under the first Stage1's support
// 10, which bar 20 holds; the second count goes on, and on bar 22 both complete, ending the
// Stage2 (bar 23 counts nothing).
const PatternRow kCancelled[] = {
    //  open  high   low  close   stage1 stage2 signal price mark
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},  // 0
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    10, 10.5,  9.5,   10,       0,     0,     0,    0,    0},
    {    11, 11.5, 10.5,   11,       1,     1,     0,    0,    0},  // 5
    {    12, 12.5, 11.5,   12,       2,     2,     0,    0,    0},
    {    13, 13.5, 12.5,   13,       3,     3,     0,    0,    0},
    {    14, 14.5, 13.5,   14,       4,     4,     0,    0,    1},
    {    15, 15.5, 14.5,   15,       0,     5,     0,    0,    0},
    {    16, 16.5, 15.5,   16,       0,     6,     0,    0,    0},  // 10
    {    15, 15.5, 14.5,   15,       0,     0,     0,    0,    0},
    {    14, 14.5, 13.5,   14,       0,     0,     0,    0,    0},
    {    13, 13.5, 12.5,   13,      -1,     0,     0,    0,    0},
    {    12, 12.5, 11.5,   12,      -2,     0,     0,    0,    0},
    {  12.5,   13,   12, 12.5,      -3,     0,     0,    0,    0},  // 15
    {  14.5,   15,   14, 14.5,       1,     0,     0,    0,    0},
    {    15, 15.5, 14.5,   15,       2,     0,     0,    0,    0},
    {  15.5, 17.5,   15, 15.5,       3,     0,     0,    0,    0},
    {    16,   18, 15.5,   16,       4,     0,     0,    0,    1},
    {  11.5,   12,   11, 11.5,      -1,     0,     0,    0,    0},  // 20: 12 < 12.5
    {    17, 17.5, 16.5,   17,       1,     7,     0,    0,    0},
    {    18, 18.5, 17.5,   18,       2,     8,     1, 18.5,    0},
    {    19, 19.5, 18.5,   19,       3,     0,     0,    0,    0},
};

// Kind 7, N 4, B 4. Up count 1..5 (it goes on past 4); the fourth bar draws the support 10 (the
// close before the count) over bars 5..8, carried on until bar 13, which opens below it after
// bar 12's close below it (bar 11 opened below it after a close above, bar 12 opened above it
// after a close below). The down count from bar 11 draws the
// resistance 12 (bar 10's close) over bars 11..14, broken by bar 16 opening above it after bar
// 15 closed above it.
const LevelRow kLevels[] = {
    //  open   high    low  close     up support down resistance
    {    10,  10.5,   9.5,    10,     0,     0,     0,     0},  // 0
    {    10,  10.5,   9.5,    10,     0,     0,     0,     0},
    {    10,  10.5,   9.5,    10,     0,     0,     0,     0},
    {    10,  10.5,   9.5,    10,     0,     0,     0,     0},
    {    10,  10.5,   9.5,    10,     0,     0,     0,     0},
    {    11,  11.5,  10.5,    11,     1,    10,     0,     0},  // 5
    {    12,  12.5,  11.5,    12,     2,    10,     0,     0},
    {    13,  13.5,  12.5,    13,     3,    10,     0,     0},
    {    14,  14.5,  13.5,    14,     4,    10,     0,     0},  // 8: support set
    {    15,  15.5,  14.5,    15,     5,    10,     0,     0},
    {    12,  12.5,  11.5,    12,     0,    10,     0,     0},  // 10: equals bar 6
    {  9.75,    11,  9.25,   9.5,     0,    10,    -1,    12},  // 11: opens below 10
    {  10.25, 10.5,   8.5,     9,     0,    10,    -2,    12},  // 12: opens above 10
    {   9.5,  9.75,   8.5,     9,     0,     0,    -3,    12},  // 13: broken
    {  8.75,     9,     8,   8.5,     0,     0,    -4,    12},  // 14: resistance set
    {    11,  13.5,  10.5,    13,     1,     0,     0,    12},  // 15
    {  13.5,  13.5,  12.5,    13,     2,     0,     0,     0},  // 16: broken
    {    13,  13.5,  12.5,    13,     3,     0,     0,     0},
};

// clang-format on

TEST(Pattern2, ScanNumbersTheArmingStage1AndLastCountsNeedOnlyTheClose) {
    const Options defaults{9, 13, 4, 2};
    const Sequence scan = test::sequenceOf(kScan);
    expectBothSides(defaults, scan);

    {
        SCOPED_TRACE("before the arming bar nothing is counted");
        Sequence early = scan.prefix(13);
        for (int b = 5; b < 13; ++b) early.set(b, Stage2, 0);
        expectBothSides(defaults, early);
    }
    {
        SCOPED_TRACE("not relaxed: bar 18's open does not count, bar 19's close completes");
        Options unrelaxed = defaults;
        unrelaxed.relax = false;
        Sequence later = scan;
        later.set(18, Stage2, 0).set(18, Signal, 0).set(18, Price, 0);
        later.set(19, Stage2, 13).set(19, Signal, 1).set(19, Price, 21.5f);
        expectBothSides(unrelaxed, later);
    }
    {
        SCOPED_TRACE("comparison mode 2: Stage1 and its mark only");
        Options off = defaults;
        off.mode = 2;
        Sequence stage1Only = scan;
        for (int b = 0; b < 20; ++b)
            stage1Only.set(b, Stage2, 0).set(b, Signal, 0).set(b, Price, 0);
        expectBothSides(off, stage1Only);
    }
}

TEST(Pattern2, StrictModeSkipsEqualCloses) {
    const Options nonStrict{4, 8, 4, 2};
    expectBothSides(nonStrict, test::sequenceOf(kModes));
    Options strict = nonStrict;
    strict.mode = 1;
    Sequence s = test::sequenceOf(kModes);
    s.set(7, Stage2, 0).set(8, Stage2, 3).set(9, Stage2, 0).set(10, Stage2, 4);
    s.set(11, Stage2, 5).set(12, Stage2, 6).set(12, Signal, 0).set(12, Price, 0);
    s.set(13, Stage2, 7).set(14, Stage2, 8).set(14, Signal, 1).set(14, Price, 18.5f);
    expectBothSides(strict, s);
}

TEST(Pattern2, RepeatedStage1MovesTheCountToTheSecondCount) {
    Options o{4, 8, 4, 2};
    expectBothSides(o, test::sequenceOf(kSecondStage1));
    // Resetting instead: a fresh sell Stage2 from the second Stage1, numbered 1..4 back over
    // it; bar 20 fails its full tests, and it completes on bar 24 alone.
    o.reset = true;
    Sequence reset = test::sequenceOf(kSecondStage1);
    for (int b = 16; b <= 19; ++b) reset.set(b, Stage2, static_cast<float>(b - 15));
    reset.set(20, Stage2, 0).set(21, Stage2, 5).set(21, Signal, 0).set(21, Price, 0);
    expectBothSides(o, reset);
}

TEST(Pattern2, CancelledStage2HandsOverToTheSecondCount) {
    expectBothSides({4, 8, 4, 2}, test::sequenceOf(kCancelled));
}

TEST(Stage1Levels, SupportAndResistanceCarriedUntilBroken) {
    auto o = TOscObj::Create(7);
    o->Params = {4, 0, 4, 0};
    const Sequence s = test::sequenceOf(kLevels);
    {
        SCOPED_TRACE("as given");
        test::expectSequence(*o, s);
    }
    {
        SCOPED_TRACE("upside down");
        test::expectSequence(*o, test::mirroredLevels(s));
    }
}

} // namespace
} // namespace qm
