// Every indicator kind over random bar windows with random stored fields, as a drawing runs
// them: one to three indicators in turn over the same window (some kinds write into it).
//
// Checked besides the sanitizers: every index stays inside the window and the table (the
// window and the table are heap blocks of their exact size, and the build turns on the standard
// library's bounds assertions), and a table that computeForDrawing lets through has only finite
// values in the rows on show.

#include "FuzzInputs.h"
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
using namespace qm::fuzz;

namespace {

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
