// Volatility, trend strength and volume indicators: the annualised volatility, Wilder's ADX
// with its directional lines, the Williams accumulation/distribution line, the intraday
// intensity line and the volume histogram.

#include "indicators/Frame.h"
#include "indicators/Kinds.h"
#include "indicators/RowLanes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace qm {
namespace {

// Kind 21 keeps the selected price here.
constexpr std::size_t kPriceColumn = 3;
// Kind 27's columns: the ADX is column 0.
constexpr std::size_t kPlusColumn = 1;
constexpr std::size_t kMinusColumn = 2;
constexpr std::size_t kDxColumn = 3;

std::size_t row(int i) {
    return static_cast<std::size_t>(i);
}

// Bars a year holds at the chart's interval. The loader only makes daily, weekly and monthly
// charts; any other code is taken as daily.
double barsPerYear(std::uint8_t interval) {
    switch (static_cast<qm::Interval>(interval)) {
    case qm::Interval::Weekly:
        return 52;
    case qm::Interval::Monthly:
        return 12;
    default:
        return 250;
    }
}

// The directional percentages of one bar against the bar before, into columns 0 (plus) and 1
// (minus) of its scratch row. The up move counts when the high rises, the down move when the
// low falls; only the larger move counts, and equal moves (an outside bar) add nothing to
// either side. Moves and true range in double precision.
void directionalMove(const PriceBar& previous, const PriceBar& bar, std::array<float, 6>& move) {
    const double high = bar.high;
    const double low = bar.low;
    const double up = high > previous.high ? high - previous.high : 0;
    const double down = low < previous.low ? previous.low - low : 0;
    const double trueRange =
        std::max({high - low, std::fabs(high - previous.close), std::fabs(low - previous.close)});
    if (up > down)
        move[0] = storeSingle(up / trueRange * 100);
    else if (down > up)
        move[1] = storeSingle(down / trueRange * 100);
}

// The directional index from the stored +DI and -DI. Both 0 (no directional move in the first
// average) is 0/0: a fault.
float directionalIndex(const std::array<float, 6>& r) {
    return std::fabs((r[kPlusColumn] - r[kMinusColumn]) / (r[kPlusColumn] + r[kMinusColumn])) *
           100.0f;
}

} // namespace

void TSigmaObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = runPrologue(*this, shortfall);
    const int span = truncLength(Params[0]);
    const double factor = barsPerYear(Interval);
    copyPrices(*this, bars, out, kPriceColumn, frame.first);
    if (frame.start() >= kWindowSlots) return;
    // Each bar's price ratio to the bar before, 0 where that price is 0. Rows below the first
    // bar hold no price (0), so their ratios are 0, and so are those of rows below the table
    // (read only when fewer lengths count for the warm-up than the span).
    PaddedSeries ratios;
    for (int j = 1; j < kWindowSlots; ++j) {
        const float previous = out[row(j - 1)][kPriceColumn];
        if (previous != 0) ratios[j] = static_cast<double>(out[row(j)][kPriceColumn]) / previous;
    }
    // Welford's running mean and sum of squared deviations over the `span` ratios up to each
    // row, oldest first. One ratio has no deviation: 0/0, a fault; no ratio at all gives 0.
    for (int block = frame.start(); block < kWindowSlots; block += kLanes) {
        std::array<double, kLanes> mean{}, squares{};
        for (int k = 1; k <= span; ++k) {
            for (int l = 0; l < kLanes; ++l) {
                const double r = ratios[block + l - span + k];
                const double d = r - mean[row(l)];
                mean[row(l)] = ((k - 1) * mean[row(l)] + r) / k;
                squares[row(l)] += d * d * (k - 1) / k;
            }
        }
        for (int l = 0; l < lanesInTable(block); ++l)
            out[row(block + l)][0] = storeSingle(std::sqrt(factor * squares[row(l)] / (span - 1)));
    }
}

void TAdxObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const int length = truncLength(Params[0]);
    const ComputeFrame frame = runPrologue(*this, shortfall, length);
    ScratchTable scratch;
    if (!scratch.ok()) {
        shortfall = -1;
        return;
    }
    if (length < 1) {
        raiseFault(); // nothing to average over
        return;
    }
    // Directional moves from bar f + L on; the first averages end L bars later, at row e.
    const int s = frame.first + length - 1;
    const int e = s + length;
    if (e >= kWindowSlots) return;
    OutputTable& moves = *scratch;
    for (int j = s + 1; j < kWindowSlots; ++j)
        directionalMove(bars[row(j - 1)], bars[row(j)], moves[row(j)]);
    double plus = 0, minus = 0;
    for (int k = s + 1; k <= e; ++k) {
        plus += moves[row(k)][0];
        minus += moves[row(k)][1];
    }
    auto& firstRow = out[row(e)];
    firstRow[kPlusColumn] = storeSingle(plus / length);
    firstRow[kMinusColumn] = storeSingle(minus / length);
    firstRow[kDxColumn] = directionalIndex(firstRow);
    firstRow[0] = firstRow[kDxColumn];
    // Wilder's smoothing of the three lines, in single precision.
    const auto divisor = static_cast<float>(length);
    const auto kept = static_cast<float>(length - 1);
    for (int i = e + 1; i < kWindowSlots; ++i) {
        auto& r = out[row(i)];
        const auto& previous = out[row(i - 1)];
        r[kPlusColumn] = (kept * previous[kPlusColumn] + moves[row(i)][0]) / divisor;
        r[kMinusColumn] = (kept * previous[kMinusColumn] + moves[row(i)][1]) / divisor;
        r[kDxColumn] = directionalIndex(r);
        r[0] = (kept * previous[0] + r[kDxColumn]) / divisor;
    }
}

void TWmsADObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    shortfall = 0;
    const ComputeFrame frame = windowFrame(*this);
    if (frame.n == 0) return;
    // The line starts at the first close and adds each bar's accumulation (column 1) or takes
    // away its distribution (column 2).
    out[row(frame.first)][0] = bars[row(frame.first)].close;
    for (int i = frame.first + 1; i < kWindowSlots; ++i) {
        const PriceBar& bar = bars[row(i)];
        const float previousClose = bars[row(i - 1)].close;
        const float line = out[row(i - 1)][0];
        auto& r = out[row(i)];
        if (bar.close > previousClose) {
            r[1] = std::fabs(bar.close - std::min(previousClose, bar.low));
            r[0] = line + r[1];
        } else if (bar.close < previousClose) {
            r[2] = std::fabs(bar.close - std::max(previousClose, bar.high));
            r[0] = line - r[2];
        } else {
            r[0] = line;
        }
    }
}

void TIntensityObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    shortfall = 0;
    const ComputeFrame frame = windowFrame(*this);
    if (frame.n == 0) return;
    // Each bar's volume weighted by where the close lies in its range (+V at the high, -V at
    // the low), summed into the line (column 0). The sums start from 0 in the row before the
    // first bar.
    auto& seed = out[row(frame.first - 1)];
    seed[0] = seed[1] = 0.0f;
    for (int i = frame.first; i < kWindowSlots; ++i) {
        const PriceBar& bar = bars[row(i)];
        const auto& previous = out[row(i - 1)];
        auto& r = out[row(i)];
        const float range = bar.high - bar.low;
        // A bar without a range repeats the amount of the bar before.
        r[1] =
            range > 0 ? (2.0f * bar.close - bar.high - bar.low) / range * bar.volume : previous[1];
        r[0] = previous[0] + r[1];
    }
}

void TVolObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    shortfall = 0;
    const ComputeFrame frame = windowFrame(*this);
    // The bars on show, but never before the first bar: the chart shows fewer bars than the
    // window holds, so the bar before the first row shown is within the window (at worst the
    // slot before the first bar).
    const std::int64_t fromShown = std::int64_t{kWindowSlots - 1} - ShownBars;
    const int from =
        static_cast<int>(std::clamp<std::int64_t>(fromShown, frame.first, kWindowSlots));
    for (int i = from; i < kWindowSlots; ++i) {
        auto& r = out[row(i)];
        r[0] = bars[row(i)].volume;
        // An unchanged close counts as up.
        r[1] = bars[row(i)].close >= bars[row(i - 1)].close ? 1.0f : -1.0f;
    }
}

} // namespace qm
