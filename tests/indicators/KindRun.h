#pragma once
// Running one kind over a test window, and comparing a column with a reference series computed
// in the test.

#include "IndicatorTestUtil.h"
#include "indicators/Frame.h"
#include "indicators/Kinds.h"
#include "market/MessageSink.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace qm::test {

struct KindRun {
    std::unique_ptr<TOscObj> indicator;
    std::unique_ptr<BarWindow> bars;
    std::unique_ptr<OutputTable> out = makeTable();
    int shortfall = -99;

    KindRun(int kind, int n, const std::function<PriceBar(int slot)>& bar)
        : indicator(TOscObj::Create(kind)), bars(makeWindow(n, bar)) {}

    // Compute as a drawing does: the shortfall, or nothing when the indicator is skipped.
    std::optional<int> draw(int shown, std::uint8_t dataKind = 5, std::uint8_t interval = 0) {
        SilentSink sink;
        const ChartFacts facts{shown, countValidBars(*bars), dataKind, interval};
        const std::optional<int> result = computeForDrawing(*indicator, *bars, *out, facts, sink);
        shortfall = result.value_or(-99);
        return result;
    }

    float at(int i, int column) const {
        return (*out)[static_cast<std::size_t>(i)][static_cast<std::size_t>(column)];
    }
};

// One bare Compute over a fresh window of n bars, without the drawing's checks around it.
struct Computed {
    std::unique_ptr<BarWindow> bars;
    std::unique_ptr<OutputTable> out = makeTable();
    int shortfall = -99;
    float at(int i, int column) const { return (*out)[test::at(i)][test::at(column)]; }
};

inline Computed compute(TOscObj& o, int n, int shown,
                        const std::function<PriceBar(int slot)>& bar = wavyBar) {
    Computed run{makeWindow(n, bar)};
    o.ValidBars = n;
    o.ShownBars = shown;
    o.Compute(*run.bars, *run.out, run.shortfall);
    return run;
}

// Column `column` of rows from..511 against `expected` (indexed by row), within `tolerance`.
inline void expectColumn(const KindRun& run, int column, const std::vector<double>& expected,
                         int from, double tolerance) {
    double worst = 0;
    int worstRow = -1;
    for (int i = from; i < kWindowSlots; ++i) {
        const double error = std::fabs(run.at(i, column) - expected[static_cast<std::size_t>(i)]);
        if (!(error <= worst)) {
            worst = error;
            worstRow = i;
        }
    }
    EXPECT_LE(worst, tolerance) << "column " << column << ", worst at row " << worstRow << ": "
                                << run.at(worstRow, column) << " against "
                                << expected[static_cast<std::size_t>(worstRow)];
}

inline std::vector<double> rows() {
    return std::vector<double>(kWindowSlots, 0.0);
}

// P(i) of a PriceField code 0, 1 or 2.
inline double priceOf(const PriceBar& bar, int field) {
    return field == 0 ? bar.high : field == 1 ? bar.low : bar.close;
}

// The mean of the prices of `field` over the `length` slots ending at `last`, summed oldest first.
inline double meanOf(const BarWindow& bars, int field, int last, int length) {
    double sum = 0;
    for (int i = last - length + 1; i <= last; ++i) sum += priceOf(bars[test::at(i)], field);
    return sum / length;
}

// The least-squares line through (1, y1) .. (L, yL), the prices of `field` ending at slot
// `last`, in the textbook form: slope = covariance / variance of x, through the means. One
// point has no spread in x; its line is flat at the price.
struct ReferenceLine {
    double xMean = 0;
    double yMean = 0;
    double slope = 0;
    double at(double x) const { return yMean + slope * (x - xMean); }
};

inline ReferenceLine leastSquares(const BarWindow& bars, int field, int last, int length) {
    ReferenceLine line;
    line.xMean = (length + 1) / 2.0;
    line.yMean = meanOf(bars, field, last, length);
    double cov = 0, var = 0;
    for (int k = 1; k <= length; ++k) {
        const double y = priceOf(bars[test::at(last - length + k)], field);
        cov += (k - line.xMean) * (y - line.yMean);
        var += (k - line.xMean) * (k - line.xMean);
    }
    line.slope = var == 0 ? 0 : cov / var;
    return line;
}

} // namespace qm::test
