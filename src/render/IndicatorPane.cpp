#include "IndicatorPane.h"

#include "format/NumberFormat.h"
#include "render/Layout.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace qm::chart {
namespace {

struct Extent {
    double min = 0;
    double max = 0;
};

// Lowest and highest value of columns first..last over rows firstRow..511, starting from
// row 511's column 0.
Extent columnExtent(const OutputTable& out, int firstRow, int first, int last) {
    const auto& newest = out[kWindowSlots - 1];
    Extent e{newest[0], newest[0]};
    last = std::min(last, kOutputColumns - 1);
    for (int s = std::max(firstRow, 0); s < kWindowSlots; ++s)
        for (int c = first; c <= last; ++c) {
            const double v = out[static_cast<std::size_t>(s)][static_cast<std::size_t>(c)];
            e.min = std::min(e.min, v);
            e.max = std::max(e.max, v);
        }
    return e;
}

Extent withZero(Extent e) {
    if (e.min > 0) e.min = 0;
    if (e.max < 0) e.max = 0;
    return e;
}

double midLevel(const Extent& e) {
    return e.min < 0 && e.max > 0 ? 0.0 : e.min + (e.max - e.min) / 2;
}

// "(" + the parameters in their patterns, blank-separated + `close`.
std::string paramText(const TOscObj& r, const FormatSettings& fs,
                      std::initializer_list<std::pair<int, const char*>> params,
                      const char* close) {
    std::string text = "(";
    bool firstParam = true;
    for (const auto& [index, pattern] : params) {
        if (!firstParam) text += ' ';
        text += formatNumber(r.Params[static_cast<std::size_t>(index)], pattern, fs);
        firstParam = false;
    }
    return text + close;
}

// One parameter per drawn line, for the kinds whose lines each have their own length.
std::string perLineParams(const TOscObj& r, const FormatSettings& fs, const char* pattern) {
    switch (r.LineCount) {
    case 1:
        return paramText(r, fs, {{0, pattern}}, ")");
    case 2:
        return paramText(r, fs, {{0, pattern}, {1, pattern}}, ")");
    case 3:
        return paramText(r, fs, {{0, pattern}, {1, pattern}, {2, pattern}}, ")");
    default:
        return {};
    }
}

void setLevelsFromData(IndicatorPane& p, const Extent& e) {
    p.levels = {e.min, midLevel(e), e.max, 0};
}

// A range that is a single value other than zero gets room around it, so that the pane can
// be scaled; the line then runs across its middle.
void widenFlatRange(IndicatorPane& p) {
    if (p.rangeMax > p.rangeMin) return;
    const double half = std::max(std::fabs(p.rangeMax) * 0.01, 1e-5);
    p.rangeMin -= half;
    p.rangeMax += half;
}

} // namespace

IndicatorPane setUpIndicatorPane(const TOscObj& r, const OutputTable& out, const PaneInputs& in,
                                 const FormatSettings& fs) {
    IndicatorPane p;
    p.levelCount = std::clamp(r.RefLineCount, 0, kRefLineSlots);
    for (std::size_t i = 0; i < p.levels.size(); ++i) p.levels[i] = r.RefLevels[i];
    p.valueFormat = in.priceStep <= 0.1 ? " ##0.###0 " : " ##0.#0 ";
    const bool overlay = r.Kind >= 1 && r.Kind <= 14;
    if (overlay) {
        p.rangeMin = in.priceMin;
        p.rangeMax = in.priceMax;
        p.scaleMode = 0;
    }
    auto fixed = [&](double min, double max) {
        p.rangeMin = min;
        p.rangeMax = max;
    };
    auto fromColumns = [&](int last, bool zero) {
        Extent e = columnExtent(out, in.firstRow, 0, last);
        if (zero) e = withZero(e);
        fixed(e.min, e.max);
        return e;
    };
    const char* signedTwo = " +##0.#0 ; -##0.#0 ";
    switch (r.Kind) {
    case 1:
    case 2:
    case 3:
    case 8:
    case 9:
    case 10:
    case 11:
        p.paramText = perLineParams(r, fs, "#.###");
        break;
    case 4:
        p.paramText = paramText(r, fs, {{0, "##"}, {1, "#.##"}, {2, "#.##"}}, ") ");
        break;
    case 5:
    case 6:
        p.valueFormat = " ##";
        if (r.AggressiveStage2)
            p.paramText = "(Aggr) ";
        else
            p.paramText = paramText(r, fs, {{0, "##"}, {1, "##"}, {2, "##"}, {3, "##"}},
                                    r.PriceField != 0 ? " <>) " : " <=>) ");
        break;
    case 7:
        p.paramText = paramText(r, fs, {{0, "##"}, {2, "##"}}, ") ");
        break;
    case 12:
        p.scaleMode = r.Spare;
        p.paramText = paramText(r, fs, {{0, "##"}, {1, "##"}, {2, "#.##"}, {3, "#.##"}}, ")");
        break;
    case 13:
        p.scaleMode = r.Spare;
        p.paramText = paramText(r, fs, {{0, "##"}}, ")");
        break;
    case 14:
        p.scaleMode = r.Spare;
        p.paramText = paramText(r, fs, {{0, "##"}, {1, "##"}, {2, "#.##"}}, ")");
        break;
    case 15:
        setLevelsFromData(p, fromColumns(0, false));
        p.valueFormat = " +##0.#0 ";
        p.paramText = paramText(r, fs, {{0, "##"}, {1, "##"}, {2, "##"}}, ") ");
        break;
    case 16:
        fromColumns(1, true);
        p.valueFormat = " +##0.#0# ; -##0.#0# ";
        p.paramText = paramText(r, fs, {{0, "##"}, {1, "##"}, {2, "##"}}, ") ");
        break;
    case 17:
    case 18:
        fixed(0, 100);
        p.valueFormat = " +##.#0 ";
        p.paramText = paramText(r, fs, {{0, "##"}}, ") ");
        break;
    case 19:
        fixed(0, 100);
        p.valueFormat = " +##.#0 ";
        p.paramText = paramText(r, fs, {{0, "##"}, {1, "##"}}, ") ");
        break;
    case 20:
        fromColumns(0, true);
        p.valueFormat = signedTwo;
        p.paramText = paramText(r, fs, {{0, "#.##"}, {1, "#.##"}, {2, "#.##"}}, ") ");
        break;
    case 21:
        setLevelsFromData(p, fromColumns(0, false));
        p.valueFormat = signedTwo;
        p.paramText = paramText(r, fs, {{0, "##"}}, ") ");
        break;
    case 22:
        fromColumns(2, false);
        p.valueFormat = signedTwo;
        p.paramText = paramText(r, fs, {{0, "##"}}, ") ");
        break;
    case 23:
        fromColumns(std::clamp(r.LineCount, 1, 3) - 1, true);
        p.valueFormat = " +##0.##0 ; -##0.##0 ";
        p.paramText = perLineParams(r, fs, "###");
        break;
    case 24:
        fixed(-100, 0);
        p.valueFormat = signedTwo;
        p.paramText = paramText(r, fs, {{0, "##"}}, ") ");
        break;
    case 25: {
        const Extent e = fromColumns(0, false);
        fixed(std::min(e.min, -100.0), std::max(e.max, 100.0));
        p.valueFormat = signedTwo;
        p.paramText = paramText(r, fs, {{0, "##"}}, ") ");
        break;
    }
    case 26:
        fromColumns(0, true);
        p.valueFormat = signedTwo;
        p.paramText = paramText(r, fs, {{0, "#.##"}, {1, "#.##"}}, ") ");
        break;
    case 27:
        fromColumns(2, false);
        p.valueFormat = signedTwo;
        p.paramText = paramText(r, fs, {{0, "##"}}, ") ");
        break;
    case 28:
        fromColumns(0, false);
        p.valueFormat = " ###0.#0 ";
        break;
    case 29:
        fromColumns(0, false);
        p.valueFormat = " ###0 ";
        break;
    case 30: {
        const Extent e = columnExtent(out, in.firstRow, 0, 0);
        const TickRange t = tickRangeFor(e.min, e.max);
        p.tickStep = t.step;
        p.lowTick = t.lowTick;
        p.highTick = t.highTick;
        fixed(0, t.rangeMax);
        const double half = std::trunc(std::trunc(p.rangeMax) / 2); // Trunc(maximum) div 2
        p.levels = {half, p.rangeMax, 0, 0};
        p.valueFormat = half / 500000000 >= 1 ? " ##0.#0 B "
                        : half / 500000 >= 1  ? " ##0.#0 M "
                                              : " ##0.#0 K ";
        break;
    }
    default:
        break;
    }
    const bool nearZero = std::fabs(p.rangeMin) < 0.00001 && std::fabs(p.rangeMax) < 0.00001;
    if (!overlay && !nearZero) widenFlatRange(p);
    return p;
}

} // namespace qm::chart
