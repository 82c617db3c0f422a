// Momentum oscillators built from averages and differences of prices: MACD, TRIX, the
// detrended moving average, the regression line slope and the rate of change.

#include "indicators/Frame.h"
#include "indicators/Kinds.h"
#include "indicators/RowLanes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace qm {
namespace {

// Column 3, not drawn: the first average of kind 20, the average of kind 22, the price of 23.
constexpr std::size_t kInnerColumn = 3;

std::size_t row(int i) {
    return static_cast<std::size_t>(i);
}

// The least-squares slopes through the `length` prices ending at each row of the block that
// starts at row `first` (x = 1 the oldest), in double precision, each formed as the correlation
// times the ratio of the deviations. Sx and Sxx are sums of small integers, exact in double
// whether summed or not. A window of equal prices is a flat line, slope 0: dividing by its zero
// spread would lose the whole indicator to one quiet stretch of the chart.
std::array<double, kLanes> regressionSlopes(const PaddedSeries& price, int first, int length) {
    const double n = length;
    const double sx = n * (n + 1) / 2;
    const double sxx = n * (n + 1) * (2 * n + 1) / 6;
    const double spreadX = sxx - sx * sx / n;
    const double deviationX = std::sqrt(spreadX / n);
    std::array<double, kLanes> sy{}, syy{}, sxy{};
    const int oldest = first - length + 1;
    for (int k = 1; k <= length; ++k) {
        for (int l = 0; l < kLanes; ++l) {
            const double y = price[oldest + l + k - 1];
            sy[row(l)] += y;
            syy[row(l)] += y * y;
            sxy[row(l)] += k * y;
        }
    }
    std::array<double, kLanes> slopes{};
    for (int l = 0; l < kLanes; ++l) {
        const double spreadY = syy[row(l)] - sy[row(l)] * sy[row(l)] / n;
        if (spreadY <= 0) continue;
        const double deviationY = std::sqrt(spreadY / n);
        const double r = (sxy[row(l)] - sx * sy[row(l)] / n) / std::sqrt(spreadX * spreadY);
        slopes[row(l)] = r * deviationY / deviationX;
    }
    return slopes;
}

} // namespace

void TMACDObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = runPrologue(*this, shortfall);
    if (frame.n == 0) return;
    // Both averages of the close start from 0, not from the first close: the warm-up hides the
    // climb. The third parameter is the signal's length.
    const ExpSmoothing fast(Params[0]);
    const ExpSmoothing slow(Params[1]);
    const ExpSmoothing signal(Params[2]);
    float fastAverage = 0, slowAverage = 0;
    for (int i = frame.first; i < kWindowSlots; ++i) {
        const float close = bars[row(i)].close;
        fastAverage = fast.next(close, fastAverage);
        slowAverage = slow.next(close, slowAverage);
        out[row(i)][2] = fastAverage - slowAverage;
    }
    // The signal starts at the first MACD value, which the row before the first bar keeps.
    float line = out[row(frame.first)][2];
    auto& seed = out[row(frame.first - 1)];
    seed[0] = seed[2] = line;
    for (int i = frame.first; i < kWindowSlots; ++i) {
        auto& r = out[row(i)];
        line = signal.next(r[2], line);
        r[1] = line;
        r[0] = r[2];
    }
}

void TTrixObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = runPrologue(*this, shortfall);
    if (frame.n == 0) return;
    const ExpSmoothing first(Params[0]);
    const ExpSmoothing second(Params[1]);
    const ExpSmoothing third(Params[2]);
    // All three averages start at the first close, held in the row before the first bar.
    auto& seed = out[row(frame.first - 1)];
    seed[3] = seed[2] = seed[1] = bars[row(frame.first)].close;
    for (int i = frame.first; i < kWindowSlots; ++i) {
        auto& r = out[row(i)];
        const auto& previous = out[row(i - 1)];
        r[3] = first.next(bars[row(i)].close, previous[3]);
        r[2] = second.next(r[3], previous[2]);
        r[1] = third.next(r[2], previous[1]);
        // A zero average in the row before divides by zero: a fault, the indicator is skipped.
        if (i > frame.first) r[0] = (r[1] / previous[1] - 1.0f) * 100.0f;
    }
}

void TDeTrendObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = runPrologue(*this, shortfall, truncLength(Params[0]));
    ScratchTable scratch;
    if (!scratch.ok()) {
        shortfall = -1;
        return;
    }
    const int length = frame.warmUp;
    if (length < 1) {
        raiseFault(); // nothing to average over
        return;
    }
    copyPrices(*this, bars, *scratch, 0, frame.first);
    const auto price = [&table = *scratch](int i) { return table[row(i)][0]; };
    // The first value comes one bar after the warm-up, so the average never reads the first bar.
    for (int i = frame.first + length + 1; i < kWindowSlots; ++i) {
        const float average = simpleAverage(price, i, length);
        const PriceBar& bar = bars[row(i)];
        auto& r = out[row(i)];
        r[kInnerColumn] = average;
        switch (static_cast<qm::DataKind>(DataKind)) {
        case qm::DataKind::Close:
        case qm::DataKind::CloseVolume:
            r[2] = bar.close - average;
            break;
        case qm::DataKind::HighLowClose:
        case qm::DataKind::HighLowCloseVolume:
        case qm::DataKind::Full:
            r[0] = bar.high - average;
            r[1] = bar.low - average;
            r[2] = bar.close - average;
            break;
        default:
            break;
        }
    }
}

void TRegrSlpObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    // One line per drawn line, each with its own length; the warm-up covers the longest. The
    // fourth column holds the price, so three lines at most.
    const int lines = std::clamp(LineCount, 0, 3);
    float longest = 0;
    for (int j = 0; j < lines; ++j) longest = std::max(longest, Params[row(j)]);
    const ComputeFrame frame = runPrologue(*this, shortfall, truncLength(longest));
    copyPrices(*this, bars, out, kInnerColumn, frame.first);
    if (frame.start() >= kWindowSlots) return;
    PaddedSeries price;
    for (int i = frame.first; i < kWindowSlots; ++i) price[i] = out[row(i)][kInnerColumn];
    for (int j = 0; j < lines; ++j) {
        // Its own length is at most the warm-up, so the oldest row read is f + 1 or later.
        const int length = truncLength(Params[row(j)]);
        if (length <= 1) {
            raiseFault(); // one point or none has no slope
            return;
        }
        for (int block = frame.start(); block < kWindowSlots; block += kLanes) {
            const std::array<double, kLanes> slopes = regressionSlopes(price, block, length);
            for (int l = 0; l < lanesInTable(block); ++l)
                out[row(block + l)][row(j)] = storeSingle(slopes[row(l)]);
        }
    }
}

void TRocObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = runPrologue(*this, shortfall);
    const int lag = truncLength(Params[0]);
    const int span = truncLength(Params[1]);
    if (lag < 0 || span < 1) {
        raiseFault(); // no earlier close to compare with, or nothing to average
        return;
    }
    if (frame.n == 0) return;
    // The first row is f + m - 1, or later when the lag reaches further back than the warm-up
    // (possible only when fewer lengths count for it): the earlier close read is never below
    // the slot before the first bar, which is the oldest the window holds of this series.
    const int s = std::max(frame.start() - 1, frame.first - 1 + lag);
    for (int j = s; j < kWindowSlots; ++j)
        out[row(j)][1] = bars[row(j)].close - bars[row(j - lag)].close;
    // Rows before s count with their 0, so the sum starts at s at the earliest.
    for (int i = s; i < kWindowSlots; ++i) {
        double sum = 0;
        for (int k = std::max(i - span + 1, s); k <= i; ++k) sum += out[row(k)][1];
        out[row(i)][0] = storeSingle(sum / span * 10);
    }
}

} // namespace qm
