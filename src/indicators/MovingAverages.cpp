// The moving-average overlays: arithmetic and exponential averages, the moving linear
// regression line and the envelope around an exponential average.

#include "indicators/Frame.h"
#include "indicators/Kinds.h"

#include <algorithm>
#include <cstddef>

namespace qm {
namespace {

// Kinds 1 and 3 keep the selected price here; it is not drawn.
constexpr std::size_t kPriceColumn = 3;
// Kind 4's centre line, computed but not drawn.
constexpr std::size_t kCentreColumn = 2;

std::size_t row(int i) {
    return static_cast<std::size_t>(i);
}

// One line per counted parameter, at most three: the fourth column is the price scratch of
// kinds 1 and 3, and no kind draws more than three lines.
int computedLines(const TOscObj& indicator) {
    return std::clamp(indicator.ParamCount, 0, 3);
}

// A length below 1 has nothing to average over; the arithmetic would divide by zero.
bool usableLength(int length) {
    if (length >= 1) return true;
    raiseFault();
    return false;
}

// The least-squares line through the `length` prices ending at row `last`, evaluated at the
// newest bar.
float regressionLineEnd(const OutputTable& out, int last, int length) {
    const int oldest = last - length + 1;
    const FittedLine line =
        fitLine(length, [&out, oldest](int k) { return out[row(oldest + k - 1)][kPriceColumn]; });
    return storeSingle(line.at(length));
}

} // namespace

void TAriMAObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = runPrologue(*this, shortfall);
    copyPrices(*this, bars, out, kPriceColumn, frame.first);
    if (frame.start() >= kWindowSlots) return;
    const auto price = [&out](int i) { return out[row(i)][kPriceColumn]; };
    // Every line starts at the longest line's first value, f + m; its own length L <= m keeps
    // the oldest row it reads at f + 1 or later.
    for (int j = 0; j < computedLines(*this); ++j) {
        const int length = truncLength(Params[row(j)]);
        if (!usableLength(length)) return;
        for (int i = frame.start(); i < kWindowSlots; ++i)
            out[row(i)][row(j)] = simpleAverage(price, i, length);
    }
}

void TExpMAObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = runPrologue(*this, shortfall);
    float seed = 0;
    // The average is seeded with the slot below the first bar (usually zeros) and runs from the
    // first bar; the warm-up only keeps the seeded stretch off the chart.
    if (frame.n == 0 || !selectPrice(bars[row(frame.first - 1)], PriceField, seed)) return;
    for (int j = 0; j < computedLines(*this); ++j) {
        const ExpSmoothing average(Params[row(j)]);
        out[row(frame.first - 1)][row(j)] = seed;
        for (int i = frame.first; i < kWindowSlots; ++i) {
            float price = 0;
            selectPrice(bars[row(i)], PriceField, price);
            out[row(i)][row(j)] = average.next(price, out[row(i - 1)][row(j)]);
        }
    }
}

void TRegrLineMAObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = runPrologue(*this, shortfall);
    copyPrices(*this, bars, out, kPriceColumn, frame.first);
    if (frame.start() >= kWindowSlots) return;
    for (int j = 0; j < computedLines(*this); ++j) {
        const int length = truncLength(Params[row(j)]);
        if (!usableLength(length)) return;
        for (int i = frame.start(); i < kWindowSlots; ++i)
            out[row(i)][row(j)] = regressionLineEnd(out, i, length);
    }
}

void TMAEnvlObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = runPrologue(*this, shortfall);
    if (frame.n == 0) return;
    const ExpSmoothing average(Params[0]);
    const float upper = 1.0f + Params[1];
    const float lower = 1.0f - Params[2];
    selectPrice(bars[row(frame.first - 1)], PriceField, out[row(frame.first - 1)][kCentreColumn]);
    for (int i = frame.first; i < kWindowSlots; ++i) {
        auto& centre = out[row(i)][kCentreColumn];
        float price = 0;
        if (selectPrice(bars[row(i)], PriceField, price))
            centre = average.next(price, out[row(i - 1)][kCentreColumn]);
        out[row(i)][0] = upper * centre;
        out[row(i)][1] = lower * centre;
    }
}

} // namespace qm
