#pragma once
// Running one oscillator kind over a test window, and comparing a column with a reference
// series computed in the test.

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

} // namespace qm::test
