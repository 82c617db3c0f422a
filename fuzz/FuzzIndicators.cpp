// Every indicator kind over random bar windows with random stored fields, as a drawing runs
// them: one to three indicators in turn over the same window (some kinds write into it).
//
// Checked besides the sanitizers: every index stays inside the window and the table (the
// window and the table are heap blocks of their exact size, and the build turns on the standard
// library's bounds assertions), and a table that computeForDrawing lets through has only finite
// values in the rows on show.

#include "FuzzSupport.h"
#include "indicators/Frame.h"
#include "indicators/OscObj.h"
#include "market/MessageSink.h"

#include <cmath>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include <limits>
#include <memory>

using namespace qm;

namespace {

float anyFloat(FuzzedDataProvider& in) {
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

std::int32_t anyCount(FuzzedDataProvider& in, int low, int high) {
    return in.ConsumeBool() ? in.ConsumeIntegralInRange(low, high)
                            : in.ConsumeIntegral<std::int32_t>();
}

// A window of n valid bars: a price walk, or raw values; below the sentinel what an earlier
// fill may have left.
int fillWindow(FuzzedDataProvider& in, BarWindow& bars) {
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

void setStoredFields(FuzzedDataProvider& in, TOscObj& indicator) {
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

// The window is shared by every indicator of a drawing. Only the support and resistance steps,
// the swing line and Wilder's RSI may write into it, and then only prices, never a date.
void checkWindowKept(int kind, const BarWindow& before, const BarWindow& after) {
    for (std::size_t slot = 0; slot < before.size(); ++slot)
        QM_FUZZ_CHECK(std::memcmp(&before[slot].date, &after[slot].date, sizeof(double)) == 0,
                      "no indicator changes a date of the window");
    if (kind == 8 || kind == 9 || kind == 17) return;
    QM_FUZZ_CHECK(std::memcmp(before.data(), after.data(), sizeof before) == 0,
                  "the indicator leaves the window as it was");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int count = in.ConsumeIntegralInRange(1, 3);
    int kinds[3] = {};
    for (int i = 0; i < count; ++i) kinds[i] = in.ConsumeIntegralInRange(1, kIndicatorKinds);

    auto bars = std::make_unique<BarWindow>();
    auto out = std::make_unique<OutputTable>();
    const int n = fillWindow(in, *bars);
    ChartFacts facts;
    facts.validBars = in.ConsumeIntegralInRange(0, 7) == 0 ? anyCount(in, -2, 600) : n;
    facts.shownBars = in.ConsumeIntegralInRange(0, 7) == 0 ? anyCount(in, -2, 600)
                                                           : in.ConsumeIntegralInRange(0, 511);
    facts.dataKind = in.ConsumeIntegralInRange<std::uint8_t>(0, 6);
    facts.interval = in.ConsumeIntegralInRange<std::uint8_t>(0, 3);

    SilentSink sink;
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<TOscObj> indicator = TOscObj::Create(kinds[i]);
        QM_FUZZ_CHECK(indicator != nullptr && indicator->Kind == kinds[i],
                      "the factory makes every kind");
        if (in.ConsumeBool()) setStoredFields(in, *indicator);
        const BarWindow before = *bars;
        const std::optional<int> shortfall =
            computeForDrawing(*indicator, *bars, *out, facts, sink);
        checkWindowKept(kinds[i], before, *bars);
        if (!shortfall) continue;
        QM_FUZZ_CHECK(*shortfall >= 0, "a drawn indicator has no negative shortfall");
        const std::int64_t firstShown = std::int64_t{kWindowSlots + 1} - facts.shownBars;
        for (std::int64_t row = std::max<std::int64_t>(firstShown, 0); row < kWindowSlots; ++row)
            for (const float value : (*out)[static_cast<std::size_t>(row)])
                QM_FUZZ_CHECK(std::isfinite(value), "only finite values in a drawn table");
    }
    return 0;
}
