#include "indicators/Frame.h"

#include "indicators/IndicatorMessages.h"
#include "market/MessageSink.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace qm {
namespace {

int saturateToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// The two kinds whose missing scratch table is worth a word to the user.
bool warnsOnAllocation(int kind) {
    return kind == 17 || kind == 18;
}

bool rowsFinite(const OutputTable& out, int from) {
    for (int i = std::max(from, 0); i < kWindowSlots; ++i)
        for (const float value : out[static_cast<std::size_t>(i)])
            if (!std::isfinite(value)) return false;
    return true;
}

} // namespace

void raiseFault() {
    std::feraiseexcept(FE_INVALID);
}

float storeSingle(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (value > kMax || value < -kMax) {
        std::feraiseexcept(FE_OVERFLOW);
        return value > 0 ? std::numeric_limits<float>::infinity()
                         : -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(value);
}

int truncLength(float value) {
    if (std::isnan(value)) {
        raiseFault();
        return 0;
    }
    if (value >= static_cast<float>(kMaxLength)) return kMaxLength;
    if (value <= -static_cast<float>(kMaxLength)) return -kMaxLength;
    return static_cast<int>(value);
}

ComputeFrame windowFrame(const TOscObj& indicator) {
    ComputeFrame frame;
    frame.n = std::clamp(indicator.ValidBars, 0, kMaxWindowBars);
    frame.first = kWindowSlots - frame.n;
    return frame;
}

ComputeFrame runPrologue(TOscObj& indicator, int& shortfall) {
    return runPrologue(indicator, shortfall, truncLength(indicator.MaxParam()));
}

ComputeFrame runPrologue(TOscObj& indicator, int& shortfall, int warmUp) {
    ComputeFrame frame = windowFrame(indicator);
    frame.warmUp = std::clamp(warmUp, 0, kMaxLength);
    shortfall = 0;
    const std::int64_t needed = std::int64_t{frame.warmUp} + indicator.ShownBars;
    if (frame.n < needed) {
        shortfall = saturateToInt(needed - frame.n);
        indicator.ShownBars = saturateToInt(std::int64_t{indicator.ShownBars} - shortfall);
    }
    return frame;
}

bool selectPrice(const PriceBar& bar, std::uint8_t field, float& price) {
    switch (field) {
    case kPriceHigh:
        price = bar.high;
        return true;
    case kPriceLow:
        price = bar.low;
        return true;
    case kPriceClose:
        price = bar.close;
        return true;
    default:
        return false;
    }
}

void copyPrices(const TOscObj& indicator, const BarWindow& bars, OutputTable& out, int column,
                int from) {
    const auto col = static_cast<std::size_t>(column);
    for (int i = std::max(from, 0); i < kWindowSlots; ++i) {
        const auto row = static_cast<std::size_t>(i);
        selectPrice(bars[row], indicator.PriceField, out[row][col]);
    }
}

ExpSmoothing::ExpSmoothing(float length) : alpha(2.0f / (length + 1.0f)), retain(1.0f - alpha) {}

TriangularWeights triangularWeights(int length) {
    TriangularWeights weights;
    if (length <= 3) {
        weights.w[0] = 0.333f;
        weights.w[1] = 0.667f;
        weights.w[2] = 0.333f;
        weights.count = 3;
        return weights;
    }
    const int n = std::min(length, kMaxLength);
    for (int k = 0; k <= n / 2; ++k) {
        const float w = static_cast<float>(k + 1) / static_cast<float>(n);
        weights.w[static_cast<std::size_t>(k)] = w;
        weights.w[static_cast<std::size_t>(n - 1 - k)] = w;
    }
    weights.count = n;
    return weights;
}

ScratchTable::ScratchTable() : table_(new (std::nothrow) OutputTable{}) {}

std::optional<int> computeForDrawing(TOscObj& indicator, BarWindow& bars, OutputTable& out,
                                     const ChartFacts& facts, MessageSink& sink) {
    for (auto& row : out) row.fill(0.0f);
    indicator.ShownBars = facts.shownBars;
    indicator.ValidBars = facts.validBars;
    indicator.SetDataKind(facts.dataKind);
    indicator.Interval = facts.interval;

    std::fexcept_t callerFlags;
    std::fegetexceptflag(&callerFlags, FE_ALL_EXCEPT);
    std::feclearexcept(kFaultFlags);
    int shortfall = 0;
    indicator.Compute(bars, out, shortfall);
    const bool faulted = std::fetestexcept(kFaultFlags) != 0;
    std::fesetexceptflag(&callerFlags, FE_ALL_EXCEPT);

    if (shortfall < 0) {
        if (warnsOnAllocation(indicator.Kind)) sink.warning(messages::kMemoryAllocationProblem);
        return std::nullopt;
    }
    if (faulted) return std::nullopt;
    // The renderer draws from slot 513 - shownBars on (its first drawn slot).
    const int firstShown = saturateToInt(std::int64_t{kWindowSlots + 1} - facts.shownBars);
    if (!rowsFinite(out, firstShown)) return std::nullopt;
    return shortfall;
}

} // namespace qm
