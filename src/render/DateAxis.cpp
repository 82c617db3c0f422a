// The date row along the bottom and the vertical grid line at each labelled bar.

#include "market/Calendar.h"
#include "render/DrawState.h"

#include <algorithm>
#include <string>

namespace qm::chart {
namespace {

// The label of the bar in `next` when a new period starts there; empty otherwise.
std::string dateLabel(const DrawState& st, double previous, double next) {
    const CivilDate a = decodeDate(previous);
    const CivilDate b = decodeDate(next);
    switch (st.interval) {
    case 0:
        if (a.month == b.month) return {};
        return formatDate(next, b.month == 1 ? "yyyy" : "mmm", st.fs);
    case 1:
        if (a.month == b.month || (b.month != 1 && b.month != 7)) return {};
        return formatDate(next, "mmm yy", st.fs);
    case 2:
        if (a.year >= b.year) return {};
        // Narrow charts get the two-digit year.
        return st.chartType <= 1 ? formatDate(next, "yy", st.fs) : std::to_string(b.year);
    default:
        return {};
    }
}

} // namespace

void drawDateAxis(DrawState& st) {
    st.dateRowY = st.height - st.textH;
    for (int s = st.firstSlot(); s <= kWindowSlots - 2; ++s) {
        std::string text = dateLabel(st, st.bars[s].date, st.bars[s + 1].date);
        if (text.empty()) continue;
        const int x = st.x(s + 1);
        addLabel(st, std::move(text), QPoint(x + 1, st.dateRowY), false, 0, st.backColor,
                 st.textColor);
        // Only a series with sparse dates has more month changes than grid slots.
        if (st.gridCount < kGridSlots) st.gridX[st.gridCount++] = static_cast<std::uint16_t>(x);
    }
    // Slots never set hold 0, so the left edge always gets a line.
    st.canvas->setPen(shade(st.backColor, 50), 1);
    const int lines = std::min(st.gridCount + 1, kDrawnGridLines);
    for (int i = 0; i < lines; ++i) st.canvas->line(st.gridX[i], 0, st.gridX[i], st.height);
}

} // namespace qm::chart
