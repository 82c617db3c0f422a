#pragma once
// Rows computed side by side. A kind that sums a window of values for every row spends its time
// waiting on each addition before the next; the windows of neighbouring rows do not depend on
// each other, so running kLanes rows in step lets the processor overlap them (and the compiler
// vectorise them). Every row still sums its own values in its own order, so the results are
// those of one row at a time.

#include "market/PriceBar.h"

#include <array>
#include <cstddef>

namespace qm {

constexpr int kLanes = 8;

// A series over the table's rows in double precision, with zeros below row 0 (as far down as
// a row minus the longest length reaches) and for the lanes past row 511, so a block of lanes
// reads without checks. Rows below 0 read as 0.
class PaddedSeries {
public:
    double& operator[](int i) { return values_[index(i)]; }
    double operator[](int i) const { return values_[index(i)]; }

private:
    static constexpr int kBelow = kWindowSlots;
    static std::size_t index(int i) { return static_cast<std::size_t>(i + kBelow); }
    std::array<double, kBelow + kWindowSlots + kLanes> values_{};
};

// Lanes of a block starting at row `first` that belong to rows of the table.
constexpr int lanesInTable(int first) {
    return kWindowSlots - first < kLanes ? kWindowSlots - first : kLanes;
}

} // namespace qm
