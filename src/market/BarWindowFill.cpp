#include "BarWindowFill.h"

#include "ChartDataFile.h"
#include "MarketMessages.h"

#include <algorithm>
#include <cerrno>

namespace qm {

bool fillWindow(BarWindow& window, WindowPosition& position,
                const std::filesystem::path& chartDataFile, MessageSink& sink) {
    BarFileReader file;
    PriceBar first, last;
    int error = file.open(chartDataFile);
    if (error == 0 && file.recordCount() > INT32_MAX) error = EFBIG;
    if (error == 0) error = file.read(0, 1, &first);
    if (error == 0) error = file.read(file.recordCount() - 1, 1, &last);

    const std::int64_t count = file.recordCount();
    const std::int64_t newest = count - std::max<std::int64_t>(position.offset, 1);
    // Slots 511 down to (but not including) `stop` take records newest, newest - 1, ...
    const int stop = count >= kWindowSlots ? 0 : kMaxWindowBars - static_cast<int>(count);
    const auto loaded =
        static_cast<int>(std::clamp<std::int64_t>(newest + 1, 0, kMaxWindowBars - stop));
    const int firstSlot = kWindowSlots - loaded;
    if (error == 0 && loaded > 0)
        error =
            file.read(newest + 1 - loaded, static_cast<std::size_t>(loaded), &window[firstSlot]);
    if (error != 0) {
        window[kWindowSlots - 1].date = 0.0;
        sink.information(msg::kWindowReadError);
        return false;
    }
    position.recordCount = static_cast<std::int32_t>(count);
    position.firstDate = first.date;
    position.lastDate = last.date;
    window[firstSlot - 1].date = 0.0;
    return true;
}

} // namespace qm
