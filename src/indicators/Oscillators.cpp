// Bounded oscillators: Wilder's RSI, the triangular-weighted RSI, stochastics, Williams %R
// and the commodity channel index.

#include "indicators/Frame.h"
#include "indicators/Kinds.h"
#include "indicators/RowLanes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace qm {
namespace {

// The RSI kinds keep each bar's price change in their scratch table: a rise as a gain, a fall
// (negative) as a loss, the other 0.
constexpr std::size_t kGainColumn = 2;
constexpr std::size_t kLossColumn = 3;
// Kind 25's columns besides the line itself.
constexpr std::size_t kMeanDeviationColumn = 1;
constexpr std::size_t kAverageColumn = 2;
constexpr std::size_t kTypicalColumn = 3;

std::size_t row(int i) {
    return static_cast<std::size_t>(i);
}

// Gains and losses of bars f + 1..511 from the selected price. False, with nothing written,
// for a PriceField that selects no price: the RSI rows then stay 0.
bool splitChanges(const TOscObj& indicator, const BarWindow& bars, int first, OutputTable& table) {
    float previous = 0;
    if (first >= kWindowSlots || !selectPrice(bars[row(first)], indicator.PriceField, previous))
        return false;
    for (int j = first + 1; j < kWindowSlots; ++j) {
        float price = 0;
        selectPrice(bars[row(j)], indicator.PriceField, price);
        const float change = price - previous;
        table[row(j)][change >= 0 ? kGainColumn : kLossColumn] = change;
        previous = price;
    }
    return true;
}

// 100 G / (G - loss): the loss is negative, so the divisor is the sum of both magnitudes. A row
// without any change keeps its 0.
void storeRsi(float gain, float loss, float& value) {
    if (gain - loss != 0) value = 100.0f * gain / (gain - loss);
}

// The bars' highs and lows from slot `from` on, for barRanges.
struct HighsAndLows {
    HighsAndLows(const BarWindow& bars, int from) {
        for (int i = from; i < kWindowSlots; ++i) {
            highs[i] = bars[row(i)].high;
            lows[i] = bars[row(i)].low;
        }
    }
    PaddedSeries highs, lows;
};

struct Ranges {
    std::array<double, kLanes> high, low;
};

// The highest high and lowest low of the span + 1 bars up to each row of the block that starts
// at row `first`.
Ranges barRanges(const HighsAndLows& bars, int first, int span) {
    Ranges r;
    for (int l = 0; l < kLanes; ++l) {
        r.high[row(l)] = bars.highs[first + l - span];
        r.low[row(l)] = bars.lows[first + l - span];
    }
    for (int k = 1; k <= span; ++k) {
        for (int l = 0; l < kLanes; ++l) {
            r.high[row(l)] = std::max(r.high[row(l)], bars.highs[first + l - span + k]);
            r.low[row(l)] = std::min(r.low[row(l)], bars.lows[first + l - span + k]);
        }
    }
    return r;
}

// The first row of a kind that looks back over `span` bars before each row: f + m - 1, or later
// when the span reaches further back than the warm-up (possible only when fewer lengths count
// for it). The oldest bar read is then never below the slot before the first bar, the oldest
// the window holds of this series.
int firstLookBackRow(const ComputeFrame& frame, int span) {
    return std::max(frame.start() - 1, frame.first - 1 + span);
}

} // namespace

void TRsi_WObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = runPrologue(*this, shortfall);
    ScratchTable scratch;
    if (!scratch.ok()) {
        shortfall = -1;
        return;
    }
    // When the chart reaches back into the warm-up, the first bar is made a copy of the second,
    // so the first change is 0. The window is shared by the whole drawing: indicators computed
    // after this one see the copy too.
    if (shortfall > 0 && frame.n >= 2) {
        PriceBar& bar = bars[row(frame.first)];
        const PriceBar& next = bars[row(frame.first + 1)];
        bar.high = next.high;
        bar.low = next.low;
        bar.close = next.close;
    }
    const int length = truncLength(Params[0]);
    if (length < 1) {
        raiseFault(); // nothing to average over
        return;
    }
    OutputTable& changes = *scratch;
    if (!splitChanges(*this, bars, frame.first, changes)) return;
    const int first = frame.start();
    if (first >= kWindowSlots) return;
    // The first averages sum the changes of the `length` rows up to the first value. Rows up
    // to f hold no change (0), so the sums start at f + 1 whatever the warm-up.
    float gain = 0, loss = 0;
    for (int k = std::max(first - length + 1, frame.first + 1); k <= first; ++k) {
        gain += changes[row(k)][kGainColumn];
        loss += changes[row(k)][kLossColumn];
    }
    const auto divisor = static_cast<float>(length);
    const auto kept = static_cast<float>(length - 1);
    gain /= divisor;
    loss /= divisor;
    storeRsi(gain, loss, out[row(first)][0]);
    for (int i = first + 1; i < kWindowSlots; ++i) {
        gain = (kept * gain + changes[row(i)][kGainColumn]) / divisor;
        loss = (kept * loss + changes[row(i)][kLossColumn]) / divisor;
        storeRsi(gain, loss, out[row(i)][0]);
    }
}

void TRsi_TObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = runPrologue(*this, shortfall);
    ScratchTable scratch;
    if (!scratch.ok()) {
        shortfall = -1;
        return;
    }
    // The weights cover every length up to kMaxLength; a longer one reaches past the window and
    // gives no value.
    const int length = truncLength(Params[0]);
    // Three is the shortest length: a shorter one is stored back as 3, for this indicator's next
    // drawing; this one computes with the three short weights and its own length.
    if (length <= 3) Params[0] = 3.0f;
    if (length < 2) {
        raiseFault(); // one bar gives no price change to weigh
        return;
    }
    OutputTable& changes = *scratch;
    if (!splitChanges(*this, bars, frame.first, changes)) return;
    // N bars give N - 1 changes: the first N - 1 weights, w[0] with the newest; the last weight
    // is not used.
    const TriangularWeights weights = triangularWeights(length);
    float weightSum = 0;
    for (int k = length - 2; k >= 0; --k) weightSum += weights.w[row(k)];
    // This kind starts at f + N - 1, whose oldest change is that of bar f + 1.
    for (int i = frame.first + length - 1; i < kWindowSlots; ++i) {
        float gain = 0, loss = 0;
        for (int k = length - 2; k >= 0; --k) {
            gain += weights.w[row(k)] * changes[row(i - k)][kGainColumn];
            loss += weights.w[row(k)] * changes[row(i - k)][kLossColumn];
        }
        storeRsi(gain / weightSum, loss / weightSum, out[row(i)][0]);
    }
}

void TStochObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = runPrologue(*this, shortfall);
    const int span = truncLength(Params[0]);
    // The smoothing length is not truncated; 0 divides by zero (a fault).
    const float weight = 1.0f / Params[1];
    const float kept = 1.0f - weight;
    if (span < 0) {
        raiseFault(); // no bars to take the range of
        return;
    }
    if (frame.n == 0) return;
    // The range covers span + 1 bars, the oldest at least the slot before the first bar.
    const int s = firstLookBackRow(frame, span);
    const HighsAndLows prices(bars, frame.first - 1);
    for (int block = s; block < kWindowSlots; block += kLanes) {
        const Ranges ranges = barRanges(prices, block, span);
        for (int l = 0; l < lanesInTable(block); ++l) {
            const auto high = static_cast<float>(ranges.high[row(l)]);
            const auto low = static_cast<float>(ranges.low[row(l)]);
            // A flat range that is not all zero divides by zero: a fault.
            out[row(block + l)][2] =
                high == 0 && low == 0 ? 0.0f
                                      : (bars[row(block + l)].close - low) * 100.0f / (high - low);
        }
    }
    // Both smoothings start from 0 in row s.
    float percentK = 0, percentD = 0;
    for (int i = s + 1; i < kWindowSlots; ++i) {
        auto& r = out[row(i)];
        percentK = kept * percentK + weight * r[2];
        percentD = kept * percentD + weight * percentK;
        r[0] = percentK;
        r[1] = percentD;
    }
}

void TWmsRObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = runPrologue(*this, shortfall);
    const int span = truncLength(Params[0]);
    if (span < 0) {
        raiseFault(); // no bars to take the range of
        return;
    }
    if (frame.n == 0) return;
    // The range covers span + 1 bars, the oldest at least the slot before the first bar.
    const HighsAndLows prices(bars, frame.first - 1);
    for (int block = firstLookBackRow(frame, span); block < kWindowSlots; block += kLanes) {
        const Ranges ranges = barRanges(prices, block, span);
        for (int l = 0; l < lanesInTable(block); ++l) {
            const double high = ranges.high[row(l)];
            const double low = ranges.low[row(l)];
            const float close = bars[row(block + l)].close;
            // A flat range that is not all zero divides by zero: a fault.
            out[row(block + l)][0] =
                high == 0 && low == 0 ? 0.0f : storeSingle((high - close) * -100.0 / (high - low));
        }
    }
}

void TCCIObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = runPrologue(*this, shortfall);
    const int length = truncLength(Params[0]);
    if (length < 1) {
        raiseFault(); // nothing to average over
        return;
    }
    // Rows below the first bar hold no typical price (0), and rows below the table count as 0
    // the same way; they are read only when fewer lengths count for the warm-up.
    PaddedSeries typical;
    for (int j = frame.first; j < kWindowSlots; ++j) {
        const PriceBar& bar = bars[row(j)];
        out[row(j)][kTypicalColumn] = (bar.high + bar.low + bar.close) / 3.0f;
        typical[j] = out[row(j)][kTypicalColumn];
    }
    for (int block = frame.start(); block < kWindowSlots; block += kLanes) {
        const int oldest = block - length + 1;
        std::array<double, kLanes> sum{}, average{}, deviation{};
        for (int k = 0; k < length; ++k)
            for (int l = 0; l < kLanes; ++l) sum[row(l)] += typical[oldest + l + k];
        // The deviations are taken from the average as stored.
        for (int l = 0; l < lanesInTable(block); ++l) {
            auto& r = out[row(block + l)];
            r[kAverageColumn] = storeSingle(sum[row(l)] / length);
            average[row(l)] = r[kAverageColumn];
        }
        for (int k = 0; k < length; ++k)
            for (int l = 0; l < kLanes; ++l)
                deviation[row(l)] += std::fabs(typical[oldest + l + k] - average[row(l)]);
        for (int l = 0; l < lanesInTable(block); ++l) {
            auto& r = out[row(block + l)];
            r[kMeanDeviationColumn] = storeSingle(deviation[row(l)] / length);
            // No deviation (equal typical prices) divides by zero: a fault.
            r[0] = (r[kTypicalColumn] - r[kAverageColumn]) / (0.015f * r[kMeanDeviationColumn]);
        }
    }
}

} // namespace qm
