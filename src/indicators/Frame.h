#pragma once
// The computation frame every indicator kind builds on.
//
// Contract of Compute(bars, out, shortfall):
// - Inputs: `bars`, the chart's 512-slot window; the run-time fields ShownBars (bars on show),
//   ValidBars (n), DataKind and Interval, all set by the caller (computeForDrawing below).
//   Nothing else of the caller may be assumed: ValidBars, ShownBars and every stored field can
//   hold any value a settings file can carry, so every index is derived from windowFrame() or
//   runPrologue() and from lengths taken with truncLength(), which keep all rows within 0..511.
// - Output: rows of `out` (zero-filled by the caller; a row not written stays 0), `shortfall`
//   (bars on show, counted from the left, that have no value; 0 without the prologue; negative
//   only when a scratch table cannot be had), and ShownBars reduced by the prologue.
// - Faults: an arithmetic fault (division by zero, invalid operation such as 0/0, the root of
//   a negative number or a NaN in an ordered comparison, overflow) means the indicator is not
//   drawn this time. Kinds need no checks for faults that the arithmetic itself raises: the
//   caller clears the floating-point exception flags FE_DIVBYZERO, FE_INVALID and FE_OVERFLOW
//   before Compute and skips the indicator when any is set afterwards (computeForDrawing).
//   IEEE arithmetic goes on with infinities and NaNs after a fault, so a kind may run to its end
//   or return early; either way it must keep every index within the window, and must never
//   turn a computed float into an index or a count without truncLength(). A fault a kind finds
//   itself (a condition that has no arithmetic of its own) is reported with raiseFault().
//   Besides the flags, a NaN or infinity in any column of a row on show also skips the
//   indicator, so quiet NaNs read from the window cannot reach the drawing.
// - Lengths: truncLength() truncates a parameter toward zero and limits it to
//   -kMaxLength..kMaxLength; a length of kMaxLength or more lies beyond the window, so the
//   prologue's first row f + m falls past slot 511, no row is written and the shortfall covers
//   every bar on show. A NaN length is a fault.
// - No heap allocation, except ScratchTable for the kinds that need a second table.

#include "indicators/OscObj.h"

#include <array>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>

namespace qm {

class MessageSink;

// Lengths are limited to this: a longer one reaches past the first slot of any window.
constexpr int kMaxLength = kWindowSlots;

// The floating-point exception flags that count as an arithmetic fault.
constexpr int kFaultFlags = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;

// Reports a fault that no arithmetic has raised; the indicator is skipped.
void raiseFault();

// A double-precision result stored as a single; beyond the single range it is an overflow
// fault (and an infinity), as the hardware conversion would report.
float storeSingle(double value);

// Trunc of a parameter used as a bar count, limited to -kMaxLength..kMaxLength; NaN raises a
// fault and gives 0.
int truncLength(float value);

// Where the valid bars lie and where the indicator's values begin.
struct ComputeFrame {
    int n = 0;      // valid bars, 0..511
    int first = 0;  // f = 512 - n, the first valid slot (512 when the window is empty)
    int warmUp = 0; // m, 0..kMaxLength
    // The first row that gets a value: f + m, past 511 when there is none.
    int start() const { return first + warmUp; }
};

// The valid bars without the prologue (warm-up 0, shortfall untouched).
ComputeFrame windowFrame(const TOscObj& indicator);
// The common prologue: shortfall <- 0; with m = truncLength(MaxParam()) (or the kind's own m,
// negative taken as 0), when n < m + ShownBars the shortfall becomes m + ShownBars - n and
// ShownBars loses as much.
ComputeFrame runPrologue(TOscObj& indicator, int& shortfall);
ComputeFrame runPrologue(TOscObj& indicator, int& shortfall, int warmUp);

// P(i): the price PriceField selects (0 high, 1 low, 2 close). False, with `price` untouched,
// for any other code.
bool selectPrice(const PriceBar& bar, std::uint8_t field, float& price);
// Copies P(i) of slots from..511 into `column`; an unknown PriceField leaves it unwritten.
void copyPrices(const TOscObj& indicator, const BarWindow& bars, OutputTable& out, int column,
                int from);

// The exponential average of length p (not truncated): alpha = 2 / (p + 1) and 1 - alpha, each
// rounded to a single; E(i) = alpha * x(i) + (1 - alpha) * E(i - 1).
struct ExpSmoothing {
    explicit ExpSmoothing(float length);
    float alpha;
    float retain; // 1 - alpha
    float next(float value, float previous) const { return alpha * value + retain * previous; }
};

// The simple average of x(last - length + 1) .. x(last), summed in single precision oldest
// first, then divided by length. Rows outside 0..511 are not read (the caller keeps the window
// inside the valid bars). A length of 0 divides by zero: a fault.
template <class Series> float simpleAverage(const Series& x, int last, int length) {
    const int from = last - length + 1 < 0 ? 0 : last - length + 1;
    const int to = last < kWindowSlots - 1 ? last : kWindowSlots - 1;
    float sum = 0.0f;
    for (int i = from; i <= to; ++i) sum += x(i);
    return sum / static_cast<float>(length);
}

// A least-squares line in double precision, x = 1 for its oldest point.
struct FittedLine {
    double intercept = 0;
    double slope = 0;
    double at(double x) const { return intercept + slope * x; }
};

// The line through (1, y(1)) .. (length, y(length)), summed in that order. The slope is the
// correlation times the ratio of the deviations. Without spread in x (one point) or in y
// (equal values) the slope is 0 and the line is the mean: a flat stretch has a flat fit, not a
// division by zero that would hide the indicator.
template <class Values> FittedLine fitLine(int length, const Values& y) {
    double sx = 0, sxx = 0, sy = 0, syy = 0, sxy = 0;
    for (int k = 1; k <= length; ++k) {
        const double x = k;
        const double yk = y(k);
        sx += x;
        sxx += x * x;
        sy += yk;
        syy += yk * yk;
        sxy += x * yk;
    }
    const double n = length;
    const double spreadX = sxx - sx * sx / n;
    const double spreadY = syy - sy * sy / n;
    FittedLine line;
    if (spreadX > 0 && spreadY > 0) {
        const double r = (sxy - sx * sy / n) / std::sqrt(spreadX * spreadY);
        line.slope = r * std::sqrt(spreadY / n) / std::sqrt(spreadX / n);
    }
    line.intercept = sy / n - (sx / n) * line.slope;
    return line;
}

// Triangular weights of a length N: for N >= 4, w[k] = w[N - 1 - k] = (k + 1) / N set for
// k = 0..N/2 in that order (so for even N both middle weights end as (N/2 + 1) / N); for N <= 3
// the three constants 0.333, 0.667, 0.333. N is limited to kMaxLength.
struct TriangularWeights {
    std::array<float, kMaxLength> w{};
    int count = 0;
};
TriangularWeights triangularWeights(int length);

// A second zero-filled table of the output table's size for one Compute call. When it cannot
// be had (!ok()), the kind sets shortfall to -1 and returns; the caller shows the warning.
class ScratchTable {
public:
    ScratchTable();
    bool ok() const { return table_ != nullptr; }
    OutputTable& operator*() { return *table_; }

private:
    std::unique_ptr<OutputTable> table_;
};

// What the chart tells every indicator before it computes.
struct ChartFacts {
    int shownBars = 0;         // bars that fit the plot (the renderer's visible bars)
    int validBars = 0;         // n
    std::uint8_t dataKind = 0; // of the series
    std::uint8_t interval = 0; // of the price chart record
};

// One indicator's computation as a drawing runs it: zero-fills `out`, sets the run-time fields,
// computes, and returns the shortfall, or nothing when the indicator is to be skipped (negative
// shortfall, arithmetic fault, or a non-finite value in a row on show, rows 513 - shownBars to
// 511). A kind that could not get its scratch table warns through `sink` where its computation
// says so. The caller's floating-point flags are kept.
std::optional<int> computeForDrawing(TOscObj& indicator, BarWindow& bars, OutputTable& out,
                                     const ChartFacts& facts, MessageSink& sink);

} // namespace qm
