#pragma once
// What the three counting kinds share: bounded reads of the bar window, their lengths, the
// Stage1 count and its confirmation mark.
//
// Lookbacks. The counts begin at the sixth valid bar (f + 5) whatever the parameters, so the
// fixed lookbacks (the close five bars back, the highs and lows three bars back) stay within the
// valid bars, and a completed Stage1 reaches back only over its own counted bars and the close
// before them. The lookback parameters B1 and B2 can reach further: into the slots below the
// first valid bar, as every kind that reads the bar before the first does, and on a full window
// past slot 0. A read past slot 0 takes slot 0 instead, which on a full window is the empty slot
// below the oldest bar: a lookback longer than the data compares with that empty slot rather than
// with memory outside the window. A negative lookback counts as 0, the bar itself, so a count
// never reads a bar after the one it counts.

#include "indicators/Frame.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace qm::pattern {

// Output columns of the two pattern kinds.
constexpr std::size_t kSignalColumn = 0;       // +1 sell signal, -1 buy signal
constexpr std::size_t kStage1Column = 1;       // signed Stage1 count
constexpr std::size_t kStage2Column = 2;       // signed Stage2 count
constexpr std::size_t kSignalPriceColumn = 3;  // high of a sell signal bar, low of a buy one
constexpr std::size_t kConfirmationColumn = 4; // +1 after an up Stage1, -1 after a down one

// The counts start this many bars after the first valid bar: the start test reads the close
// five bars back.
constexpr int kFirstCountedBar = 5;

using OutputRow = std::array<float, kOutputColumns>;

inline std::size_t row(int slot) {
    return static_cast<std::size_t>(slot);
}

// The slot `distance` bars before slot `i`: never before slot 0, never after `i` (a negative
// distance is 0), and always a slot of the window.
inline int back(int i, int distance) {
    return std::clamp(i - std::max(distance, 0), 0, kWindowSlots - 1);
}

// The bar window seen through bounded lookbacks: field(i, d) is the field of the bar d bars
// before slot i.
class PatternBars {
public:
    explicit PatternBars(const BarWindow& bars) : bars_(bars) {}
    float open(int i) const { return bars_[row(back(i, 0))].open; }
    float high(int i, int distance = 0) const { return bars_[row(back(i, distance))].high; }
    float low(int i, int distance = 0) const { return bars_[row(back(i, distance))].low; }
    float close(int i, int distance = 0) const { return bars_[row(back(i, distance))].close; }

    // Highest of the close before the `length` bars ending at i and of their highs: the
    // resistance a down Stage1 of that length leaves.
    float resistance(int i, int length) const {
        float level = close(i, length);
        for (int k = back(i, length - 1); k <= i; ++k) level = std::max(level, high(k));
        return level;
    }
    // Lowest of the close before the `length` bars ending at i and of their lows: the support
    // an up Stage1 of that length leaves.
    float support(int i, int length) const {
        float level = close(i, length);
        for (int k = back(i, length - 1); k <= i; ++k) level = std::min(level, low(k));
        return level;
    }

private:
    const BarWindow& bars_;
};

// The four lengths of a pattern, from the parameters: N1, N2, B1, B2. Lookbacks below 0 are 0.
struct PatternLengths {
    int stage1Bars;
    int stage2Bars;
    int stage1Lookback;
    int stage2Lookback;
};

inline PatternLengths patternLengths(const TOscObj& indicator) {
    return {truncLength(indicator.Params[0]), truncLength(indicator.Params[1]),
            std::max(truncLength(indicator.Params[2]), 0),
            std::max(truncLength(indicator.Params[3]), 0)};
}

// What the Stage1 count did on one bar.
struct Stage1Step {
    bool marked = false;   // the bar gets `count` written (a start, a step, or 0 for a tie)
    int count = 0;         // +k on the k-th bar of an up count, -k of a down count, 0 on a tie
    bool advanced = false; // the count grew by one from the previous bar's (only so it completes)
};

// Stage1: consecutive closes above (below) the close `lookback` bars earlier. A count starts only
// when the previous close was not already ahead of the close four bars before it (at or below it
// for an up count, at or above it for a down count); a close equal to the one it is compared
// with ends both counts. The caller decides what a count reaching its length does.
struct Stage1Counter {
    int up = 0;
    int down = 0;

    Stage1Step step(const PatternBars& bars, int i, int lookback) {
        const float close = bars.close(i);
        const float earlier = bars.close(i, lookback);
        const bool rising = close > earlier;
        const bool falling = close < earlier;
        const bool mayStartDown = bars.close(i, 1) >= bars.close(i, 5);
        const bool mayStartUp = bars.close(i, 1) <= bars.close(i, 5);
        if (falling && up == 0) {
            if (down > 0) {
                ++down;
                return {true, -down, true};
            }
            return mayStartDown ? startDown() : Stage1Step{};
        }
        if (rising && down == 0) {
            if (up > 0) {
                ++up;
                return {true, up, true};
            }
            return mayStartUp ? startUp() : Stage1Step{};
        }
        if (falling) { // an up count turns
            up = 0;
            return mayStartDown ? startDown() : Stage1Step{};
        }
        if (rising) { // a down count turns
            down = 0;
            return mayStartUp ? startUp() : Stage1Step{};
        }
        up = down = 0;
        return {true, 0, false};
    }

private:
    Stage1Step startDown() {
        down = 1;
        return {true, -1, false};
    }
    Stage1Step startUp() {
        up = 1;
        return {true, 1, false};
    }
};

// The confirmation mark of a completed Stage1. A down Stage1 is confirmed on its last bar when
// that bar's low or the one before undercuts the low two bars back, and likewise three bars
// back; otherwise the first later bar whose low undercuts both of those lows gets the mark. Up
// Stage1s mirror this with highs. Only the latest Stage1 awaits a mark.
struct Stage1Confirmation {
    bool pendSell = false;
    bool pendBuy = false;
    int completedAt = 0; // k1, the last bar of the awaiting Stage1

    void await(const PatternBars& bars, int i, OutputRow& out) {
        const int k = completedAt;
        if (pendBuy && bars.low(i) < bars.low(k, 2) && bars.low(i) < bars.low(k, 3)) {
            out[kConfirmationColumn] = -1;
            pendBuy = pendSell = false;
        } else if (pendSell && bars.high(i) > bars.high(k, 2) && bars.high(i) > bars.high(k, 3)) {
            out[kConfirmationColumn] = 1;
            pendSell = pendBuy = false;
        }
    }

    void downCompleted(const PatternBars& bars, int i, OutputRow& out) {
        completedAt = i;
        pendBuy = true;
        pendSell = false;
        const float low = bars.low(i);
        const float before = bars.low(i, 1);
        if ((low < bars.low(i, 2) || before < bars.low(i, 2)) &&
            (low < bars.low(i, 3) || before < bars.low(i, 3))) {
            out[kConfirmationColumn] = -1;
            pendBuy = false;
        }
    }

    void upCompleted(const PatternBars& bars, int i, OutputRow& out) {
        completedAt = i;
        pendSell = true;
        pendBuy = false;
        const float high = bars.high(i);
        const float before = bars.high(i, 1);
        if ((high > bars.high(i, 2) || before > bars.high(i, 2)) &&
            (high > bars.high(i, 3) || before > bars.high(i, 3))) {
            out[kConfirmationColumn] = 1;
            pendSell = false;
        }
    }
};

} // namespace qm::pattern
