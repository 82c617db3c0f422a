// Regression lines, bands and channels: least-squares lines over the newest bars, deviation
// bands around a triangular average, the breakout channel of earlier highs and lows, Bollinger
// bands and their width.

#include "indicators/Frame.h"
#include "indicators/Kinds.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace qm {
namespace {

// The band kinds keep the selected price here and the centre beside it; neither is drawn.
constexpr std::size_t kPriceColumn = 3;
constexpr std::size_t kCentreColumn = 2;
constexpr std::size_t kUpperColumn = 0;
constexpr std::size_t kLowerColumn = 1;

std::size_t row(int i) {
    return static_cast<std::size_t>(i);
}

// One value per row, indexed by row.
using RowValues = std::array<float, kWindowSlots>;

// A column preceded by kMaxLength rows of 0, indexed by row from -kMaxLength to 511, so that a
// length of up to kMaxLength reaches back from any row without leaving it. The rows below the
// data hold 0 in the table (it comes zero-filled and these kinds write nothing there); a length
// longer than the warm-up, which only a record whose parameter count leaves it out can have,
// may reach below row 0, and those rows count as 0 in the same way instead of being read.
class PaddedColumn {
public:
    float operator()(int i) const { return values_[row(i + kMaxLength)]; }
    float& operator[](int i) { return values_[row(i + kMaxLength)]; }

private:
    std::array<float, kMaxLength + kWindowSlots> values_{};
};

PaddedColumn priceColumn(const OutputTable& out) {
    PaddedColumn prices;
    for (int i = 0; i < kWindowSlots; ++i) prices[i] = out[row(i)][kPriceColumn];
    return prices;
}

// One line per counted parameter, at most three: that many columns are drawn as lines.
int computedLines(const TOscObj& indicator) {
    return std::clamp(indicator.ParamCount, 0, 3);
}

// The least-squares line through the prices of the newest `length` slots.
FittedLine fitNewest(const TOscObj& indicator, const BarWindow& bars, int length) {
    const int oldest = kWindowSlots - length;
    return fitLine(length, [&](int k) {
        float price = 0; // an unknown PriceField leaves every y at 0, so the line lies at 0
        selectPrice(bars[row(oldest + k - 1)], indicator.PriceField, price);
        return price;
    });
}

// Kind 12's deviation for each row from `from` on: the sample deviation of the one-bar price
// ratios y(k) / y(k - 1) over the `length` rows ending there, oldest first, with a running mean
// in single precision (a ratio after a zero price counts as 0). One ratio has no deviation:
// 0 / 0, a fault. No ratio at all (a length of 0 or less) gives 0: the bands on the centre.
RowValues ratioDeviations(const PaddedColumn& prices, int from, int length) {
    // Each ratio is used by up to `length` rows; it is divided out once. Only the ratios some
    // row uses are formed, so no other division can fault.
    PaddedColumn ratios;
    for (int k = std::max(from - length + 1, 1 - kMaxLength); k < kWindowSlots; ++k) {
        const float previous = prices(k - 1);
        ratios[k] = previous == 0 ? 0.0f : prices(k) / previous;
    }
    // The running mean of every row advances one ratio at a time for all rows together: each
    // row still takes its ratios oldest first, so its single-precision result is the one a
    // row-by-row loop gives, while the divisions of different rows overlap instead of each
    // waiting on the one before it.
    RowValues mean{};
    RowValues spread{};
    for (int b = 1; b <= length; ++b) {
        const auto count = static_cast<float>(b);
        for (int i = from; i < kWindowSlots; ++i) {
            const float ratio = ratios(i - length + b);
            const float d = ratio - mean[row(i)];
            mean[row(i)] = ((count - 1) * mean[row(i)] + ratio) / count;
            spread[row(i)] += d * d * (count - 1) / count;
        }
    }
    RowValues deviations{};
    for (int i = from; i < kWindowSlots; ++i)
        deviations[row(i)] = std::sqrt(spread[row(i)] / static_cast<float>(length - 1));
    return deviations;
}

// Kinds 14 and 15: the simple average of the price over Params[0] rows in column 2 and the
// bands Params[2] deviations above and below it, the deviation taken over Params[1] rows, in
// columns 0 and 1. Returns the frame of the prologue.
ComputeFrame bollingerBands(TOscObj& indicator, const BarWindow& bars, OutputTable& out,
                            int& shortfall) {
    const ComputeFrame frame = runPrologue(indicator, shortfall);
    copyPrices(indicator, bars, out, kPriceColumn, frame.first);
    if (frame.start() >= kWindowSlots) return frame;
    const int averageLength = truncLength(indicator.Params[0]);
    const int deviationLength = truncLength(indicator.Params[1]);
    const float width = indicator.Params[2];
    // An average of no price, or a deviation of fewer than two, divides by zero.
    if (averageLength < 1 || deviationLength < 2) {
        raiseFault();
        return frame;
    }
    const PaddedColumn prices = priceColumn(out);
    const auto divisor = static_cast<float>(deviationLength);
    for (int i = frame.start(); i < kWindowSlots; ++i) {
        const float centre = simpleAverage(prices, i, averageLength);
        float squares = 0;
        float sum = 0;
        for (int k = i - deviationLength + 1; k <= i; ++k) {
            squares += prices(k) * prices(k);
            sum += prices(k);
        }
        // The sum-of-squares form cancels in single precision and may come out slightly below
        // zero for nearly equal prices; its magnitude is taken.
        const float variance = std::fabs(squares - sum * sum / divisor) / (divisor - 1);
        const float deviation = std::sqrt(variance);
        auto& r = out[row(i)];
        r[kCentreColumn] = centre;
        r[kUpperColumn] = centre + width * deviation;
        r[kLowerColumn] = centre - width * deviation;
    }
    return frame;
}

} // namespace

void TRegrObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    shortfall = 0;
    const ComputeFrame frame = windowFrame(*this);
    const int longest = std::min(truncLength(MaxParam()), frame.n);
    for (int j = 0; j < computedLines(*this); ++j) {
        int length = truncLength(Params[row(j)]);
        // A line longer than the data takes one bar less than the data holds.
        if (longest < length) length = longest - 1;
        // No bar to fit (a length below 1, or at most one valid bar): the division by the
        // count of points has nothing to divide.
        if (length < 1) {
            raiseFault();
            return;
        }
        const FittedLine line = fitNewest(*this, bars, length);
        // Each line is a segment over its own newest `length` bars; the rows before stay 0.
        for (int x = 1; x <= length; ++x)
            out[row(kWindowSlots - 1 - length + x)][row(j)] = storeSingle(line.at(x));
    }
}

void TSDBandObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = runPrologue(*this, shortfall);
    const int averageLength = truncLength(Params[0]);
    // The shortest average is three bars with the fixed weights 0.333, 0.667, 0.333, and the
    // record keeps that length from then on. Longer lengths take the triangular weights of
    // their own length (the table holds up to the largest length there is, kMaxLength).
    if (averageLength <= 3) Params[0] = 3.0f;
    const TriangularWeights weights = triangularWeights(averageLength);
    const int deviationLength = truncLength(Params[1]);
    copyPrices(*this, bars, out, kPriceColumn, frame.first);
    if (frame.start() >= kWindowSlots) return;
    const PaddedColumn prices = priceColumn(out);

    // The centre: both sums from the oldest price, k = N - 1 down to 0.
    float weightSum = 0;
    for (int k = weights.count - 1; k >= 0; --k) weightSum += weights.w[row(k)];
    for (int i = frame.start(); i < kWindowSlots; ++i) {
        float weighted = 0;
        for (int k = weights.count - 1; k >= 0; --k) weighted += weights.w[row(k)] * prices(i - k);
        out[row(i)][kCentreColumn] = weighted / weightSum;
    }

    // The bands start one row after the centre: the first ratio needs the price before it.
    const int bandStart = frame.start() + 1;
    const RowValues deviations = ratioDeviations(prices, bandStart, deviationLength);
    for (int i = bandStart; i < kWindowSlots; ++i) {
        auto& r = out[row(i)];
        r[kUpperColumn] = (1.0f + deviations[row(i)] * Params[2]) * r[kCentreColumn];
        r[kLowerColumn] = (1.0f - deviations[row(i)] * Params[3]) * r[kCentreColumn];
    }
}

void TBOChannelObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    // A negative length is taken as 0: the channel of the bar's own high and low.
    const int length = std::max(truncLength(Params[0]), 0);
    // The channel of row i reads the `length` bars before it. Counted in the warm-up, as it
    // always is with the catalogue's parameter count, the length never reaches below the first
    // valid bar; a record that leaves it uncounted gets it as its warm-up all the same, so the
    // channel never reads the empty slots below the data.
    const int warmUp = std::max(truncLength(MaxParam()), length);
    const ComputeFrame frame = runPrologue(*this, shortfall, warmUp);
    for (int i = frame.start(); i < kWindowSlots; ++i) {
        // The bars i - length .. i - 1, not bar i itself; with length 0 that is bar i alone.
        float top = bars[row(i - length)].high;
        float bottom = bars[row(i - length)].low;
        for (int k = i - length + 1; k < i; ++k) {
            top = std::max(top, bars[row(k)].high);
            bottom = std::min(bottom, bars[row(k)].low);
        }
        out[row(i)][kUpperColumn] = top;
        out[row(i)][kLowerColumn] = bottom;
    }
}

void TBolBandObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    bollingerBands(*this, bars, out, shortfall);
}

void TBWIObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = bollingerBands(*this, bars, out, shortfall);
    // The width in price units, upper band minus lower band (column 1 keeps the lower band).
    for (int i = frame.start(); i < kWindowSlots; ++i)
        out[row(i)][kUpperColumn] = out[row(i)][kUpperColumn] - out[row(i)][kLowerColumn];
}

} // namespace qm
