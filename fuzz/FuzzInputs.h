#pragma once
// Choices drawn from a fuzz input that more than one harness makes: floats and counts with the
// values that matter most at hand, bar windows, and the stored fields of an indicator record.

#include "indicators/OscObj.h"
#include "market/PriceBar.h"

#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <iterator>
#include <limits>

namespace qm::fuzz {

inline float anyFloat(FuzzedDataProvider& in) {
    static constexpr float kInteresting[] = {0.0f,
                                             -0.0f,
                                             1.0f,
                                             2.0f,
                                             3.0f,
                                             4.0f,
                                             13.9f,
                                             -1.0f,
                                             -13.0f,
                                             0.02f,
                                             0.5f,
                                             255.0f,
                                             510.0f,
                                             511.0f,
                                             512.0f,
                                             513.0f,
                                             1e9f,
                                             -1e9f,
                                             1e38f,
                                             1e-38f,
                                             1e-45f,
                                             std::numeric_limits<float>::infinity(),
                                             -std::numeric_limits<float>::infinity(),
                                             std::numeric_limits<float>::quiet_NaN(),
                                             2147483648.0f,
                                             -2147483648.0f};
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return kInteresting[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kInteresting) - 1)];
    case 1:
        return static_cast<float>(in.ConsumeIntegralInRange(-5, 600));
    case 2:
        return in.ConsumeFloatingPointInRange(-100.0f, 100.0f);
    default:
        return in.ConsumeFloatingPoint<float>();
    }
}

inline std::int32_t anyCount(FuzzedDataProvider& in, int low, int high) {
    return in.ConsumeBool() ? in.ConsumeIntegralInRange(low, high)
                            : in.ConsumeIntegral<std::int32_t>();
}

// A window of n valid bars: a price walk, or raw values; below the sentinel what an earlier
// fill may have left.
inline int fillWindow(FuzzedDataProvider& in, BarWindow& bars) {
    const int n = in.ConsumeIntegralInRange(0, kMaxWindowBars);
    const int first = kWindowSlots - n;
    const bool raw = in.ConsumeIntegralInRange(0, 7) == 0;
    const bool flat = in.ConsumeIntegralInRange(0, 7) == 0;
    float price = in.ConsumeFloatingPointInRange(0.01f, 5000.0f);
    for (int slot = 0; slot < kWindowSlots; ++slot) {
        PriceBar& bar = bars[static_cast<std::size_t>(slot)];
        if (slot < first - 1) {
            // Left over from an earlier, longer window, or zero.
            if (in.ConsumeBool()) bar = bars[static_cast<std::size_t>(kWindowSlots - 1 - slot)];
            continue;
        }
        if (slot == first - 1) {
            bar.date = 0.0;
            continue;
        }
        bar.date = 42000.0 + slot;
        if (raw) {
            bar.open = anyFloat(in);
            bar.high = anyFloat(in);
            bar.low = anyFloat(in);
            bar.close = anyFloat(in);
            bar.volume = anyFloat(in);
            continue;
        }
        if (!flat) price *= 1.0f + in.ConsumeFloatingPointInRange(-0.1f, 0.1f);
        const float range = flat ? 0.0f : price * in.ConsumeFloatingPointInRange(0.0f, 0.05f);
        bar.close = price;
        bar.open = price + (in.ConsumeBool() ? range : -range) / 2;
        bar.high = price + range;
        bar.low = price - range;
        bar.volume = flat ? 0.0f : static_cast<float>(in.ConsumeIntegralInRange(0, 5000000));
    }
    return n;
}

inline void setStoredFields(FuzzedDataProvider& in, TOscObj& indicator) {
    indicator.Interval = in.ConsumeIntegral<std::uint8_t>();
    indicator.BarSpacing = anyCount(in, 0, 2);
    indicator.ShowVolume = in.ConsumeBool();
    if (in.ConsumeBool()) indicator.Style = in.ConsumeIntegral<std::uint8_t>();
    if (in.ConsumeBool()) indicator.LineCount = anyCount(in, 0, 4);
    if (in.ConsumeBool()) indicator.ParamCount = anyCount(in, -1, 5);
    if (in.ConsumeBool()) indicator.PriceField = in.ConsumeIntegralInRange<std::uint8_t>(0, 3);
    for (float& param : indicator.Params)
        if (in.ConsumeBool()) param = anyFloat(in);
    indicator.RelaxLastStage2 = in.ConsumeBool();
    indicator.ResetStage2OnStage1 = in.ConsumeBool();
    indicator.AggressiveStage2 = in.ConsumeBool();
}

} // namespace qm::fuzz
