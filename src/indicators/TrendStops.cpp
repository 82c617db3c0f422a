// Trend stops and levels: support and resistance steps from pivot highs and lows, the swing
// line, and Wilder's parabolic stop and reverse. All three read high, low and close; none
// divides.

#include "indicators/Frame.h"
#include "indicators/Kinds.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace qm {
namespace {

std::size_t row(int i) {
    return static_cast<std::size_t>(i);
}

// The level kinds compare each bar with up to three bars before it.
constexpr int kLevelWarmUp = 3;

// Kind 8 columns: pivot price, pivot code, mode, level in force.
constexpr std::size_t kPivotPriceColumn = 0;
constexpr std::size_t kPivotCodeColumn = 1;
constexpr std::size_t kModeColumn = 2;
constexpr std::size_t kLevelColumn = 3;
constexpr float kPivotHigh = 1;
constexpr float kPivotLow = 2;
constexpr float kPivotBoth = 3;
constexpr float kSupportMode = 1;
constexpr float kResistanceMode = 2;

// Kind 9 columns: swing point price and its direction.
constexpr std::size_t kSwingPriceColumn = 0;
constexpr std::size_t kSwingDirectionColumn = 1;
constexpr float kHighPoint = 1;
constexpr float kLowPoint = 2;

// When the bars on show reach into the warm-up, the slot below the first valid bar takes that
// bar's high, low and close (its date stays 0). The window is shared by the whole drawing, so
// the indicators computed after this one read the first bar's prices there instead of empty or
// stale ones. An empty window has no first bar to copy.
void copyFirstBarBelow(BarWindow& bars, const ComputeFrame& frame, int shortfall) {
    if (shortfall <= 0 || frame.n == 0) return;
    PriceBar& below = bars[row(frame.first - 1)];
    const PriceBar& first = bars[row(frame.first)];
    below.high = first.high;
    below.low = first.low;
    below.close = first.close;
}

// s0 = 511 - ShownBars, two slots before the first bar on show; both kinds write from s0 + 2
// and read down to s0 - 1. After the prologue ShownBars is at most n - 3, so s0 >= f + 2 and
// every bar read is a valid one. The bound keeps that true when the prologue's shortfall was
// saturated (a ShownBars near the integer limit over fewer than three bars), and a s0 past the
// window (fewer than three bars) leaves nothing to compute.
int levelBase(const TOscObj& indicator, const ComputeFrame& frame) {
    const std::int64_t base = std::int64_t{kWindowSlots - 1} - indicator.ShownBars;
    return static_cast<int>(
        std::min<std::int64_t>(std::max<std::int64_t>(base, frame.first + 2), kWindowSlots));
}

} // namespace

void TSupResObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = runPrologue(*this, shortfall, kLevelWarmUp);
    copyFirstBarBelow(bars, frame, shortfall);
    const int base = levelBase(*this, frame);
    const auto high = [&bars](int i) { return bars[row(i)].high; };
    const auto low = [&bars](int i) { return bars[row(i)].low; };
    const auto close = [&bars](int i) { return bars[row(i)].close; };

    // Pivots: bar b is judged once the bar after it is known, so row 511 gets no code.
    for (int b = base + 2; b < kWindowSlots - 1; ++b) {
        const bool pivotHigh =
            high(b + 1) < high(b) && high(b - 1) <= high(b) && high(b) > close(b - 2);
        const bool pivotLow = low(b + 1) > low(b) && low(b - 1) >= low(b) && low(b) < close(b - 2);
        auto& r = out[row(b)];
        if (pivotHigh && pivotLow) {
            r[kPivotCodeColumn] = kPivotBoth;
        } else if (pivotHigh) {
            r[kPivotCodeColumn] = kPivotHigh;
            r[kPivotPriceColumn] = high(b);
        } else if (pivotLow) {
            r[kPivotCodeColumn] = kPivotLow;
            r[kPivotPriceColumn] = low(b);
        }
    }
    if (base + 2 >= kWindowSlots) return;

    // Levels: a support under rising prices, raised to the latest pivot low at each new high,
    // becomes a resistance at the latest pivot high when a close falls below it, and back. The
    // latest pivots are those on rows base + 2 .. i - 1 (a bar with both codes counts as
    // either, at its own high or low); until one is found the level stays as it was.
    float resistance = high(base);
    float support = low(base);
    float highest = high(base - 1);
    float lowest = low(base - 1);
    bool supportMode = true;
    std::optional<float> latestPivotHigh;
    std::optional<float> latestPivotLow;
    for (int i = base + 2; i < kWindowSlots; ++i) {
        if (i - 1 >= base + 2) {
            const float code = out[row(i - 1)][kPivotCodeColumn];
            if (code == kPivotHigh || code == kPivotBoth) latestPivotHigh = high(i - 1);
            if (code == kPivotLow || code == kPivotBoth) latestPivotLow = low(i - 1);
        }
        if (supportMode) {
            if (close(i) < support) {
                supportMode = false;
                lowest = low(i);
                highest = high(i);
                resistance = latestPivotHigh.value_or(resistance);
            } else if (high(i) > highest) {
                highest = high(i);
                support = latestPivotLow.value_or(support);
            }
        } else {
            if (close(i) > resistance) {
                supportMode = true;
                highest = high(i);
                lowest = low(i);
                support = latestPivotLow.value_or(support);
            } else if (low(i) < lowest) {
                lowest = low(i);
                resistance = latestPivotHigh.value_or(resistance);
            }
        }
        out[row(i)][kModeColumn] = supportMode ? kSupportMode : kResistanceMode;
        out[row(i)][kLevelColumn] = supportMode ? support : resistance;
    }
}

void TSwingLineObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = runPrologue(*this, shortfall, kLevelWarmUp);
    copyFirstBarBelow(bars, frame, shortfall);
    // Only the bars on show are walked; the first compares with the bar before it and has no
    // earlier direction (its row below is never written, so it reads 0).
    for (int i = levelBase(*this, frame) + 2; i < kWindowSlots; ++i) {
        const PriceBar& bar = bars[row(i)];
        const PriceBar& before = bars[row(i - 1)];
        const bool higherHigh = bar.high > before.high;
        const bool lowerLow = bar.low < before.low;
        bool lowPoint = false;
        if (higherHigh && lowerLow) {
            // An outside bar closing up is taken as a low point.
            lowPoint = bar.close >= before.close;
        } else if (!higherHigh && !lowerLow) {
            // An inside bar turns the line: down after a high point, up otherwise.
            lowPoint = out[row(i - 1)][kSwingDirectionColumn] == kHighPoint;
        } else {
            lowPoint = lowerLow;
        }
        out[row(i)][kSwingPriceColumn] = lowPoint ? bar.low : bar.high;
        out[row(i)][kSwingDirectionColumn] = lowPoint ? kLowPoint : kHighPoint;
    }
}

void TSARObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    shortfall = 0;
    const ComputeFrame frame = windowFrame(*this);
    // The first stop needs four bars: three set the extremes, the fourth the direction.
    if (frame.n < 4) return;
    const auto high = [&bars](int i) { return bars[row(i)].high; };
    const auto low = [&bars](int i) { return bars[row(i)].low; };
    const int f = frame.first;
    const float step = Params[0];
    float factor = step;
    float extremeHigh = bars[row(f)].close;
    float extremeLow = extremeHigh;
    for (int k = f + 1; k <= f + 2; ++k) {
        extremeHigh = std::max(extremeHigh, high(k));
        extremeLow = std::min(extremeLow, low(k));
    }
    bool isLong = !(extremeHigh > high(f + 3));
    if (isLong) {
        out[row(f + 3)][0] = extremeLow;
        extremeHigh = high(f + 3);
    } else {
        out[row(f + 3)][0] = extremeHigh;
        extremeLow = low(f + 3);
    }
    // The factor grows while it is at most 0.2 held in double: the single-precision factor may
    // pass 0.2 by one step (0.2 with the step 0.025, 0.22 with 0.02).
    const auto mayAccelerate = [&factor] { return static_cast<double>(factor) <= 0.2; };

    for (int i = f + 3; i < kWindowSlots - 1; ++i) {
        const float stop = out[row(i)][0];
        float next = 0;
        if (isLong) {
            if (low(i) < stop) {
                // Reversal: the new stop is the highest high of the long run.
                isLong = false;
                next = extremeHigh;
                extremeLow = low(i);
                factor = step;
            } else {
                const float prior = extremeHigh;
                extremeHigh = std::max(extremeHigh, high(i));
                if (extremeHigh > prior && mayAccelerate()) factor = factor + step;
                const float t = stop + factor * (extremeHigh - stop);
                // A long stop never rises above the two latest lows.
                next = t > low(i) || t > low(i - 1) ? std::min(low(i - 1), low(i)) : t;
            }
        } else {
            if (high(i) > stop) {
                isLong = true;
                next = extremeLow;
                extremeHigh = high(i);
                factor = step;
            } else {
                const float prior = extremeLow;
                extremeLow = std::min(extremeLow, low(i));
                if (extremeLow < prior && mayAccelerate()) factor = factor + step;
                const float t = stop - factor * (stop - extremeLow);
                next = t < high(i) || t < high(i - 1) ? std::max(high(i - 1), high(i)) : t;
            }
        }
        out[row(i + 1)][0] = next;
    }
}

} // namespace qm
