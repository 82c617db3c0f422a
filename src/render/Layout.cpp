#include "Layout.h"

#include <algorithm>
#include <array>

namespace qm::chart {

int barPitchFor(int chartType, int spacing, int widthRatio) {
    int pitch = 0;
    switch (chartType) {
    case 0:
    case 1:
        pitch = std::max(2 * spacing, 2);
        break;
    case 2:
        pitch = std::max(3 * spacing + 1, 3);
        break;
    case 3:
        pitch = std::max(5 * spacing + 1, 5);
        break;
    default:
        pitch = std::max(7 * spacing, 6);
        break;
    }
    return pitch * std::max(widthRatio, 1);
}

int visibleBarsFor(int width, int charW, int barPitch, int barCount) {
    const int fit = (width - 12 * charW - kLeftMargin) / barPitch;
    return fit >= barCount ? barCount - 2 : fit;
}

PaneRect paneRect(int position, int height, int textH) {
    const double h = height;
    const int halfT = textH / 2;
    auto trunc = [](double v) { return static_cast<int>(std::trunc(v)); };
    auto round = [](double v) { return static_cast<int>(roundEven(v)); };
    switch (position) {
    case 0:
        return {textH, height - 2 * textH};
    case 1:
        return {textH, trunc(0.75 * h) - 2 * textH};
    case 2:
        return {textH, trunc(0.5 * h) - 2 * textH};
    case 3:
        return {trunc(0.5 * h), round(0.5 * h)};
    case 4:
        return {trunc(0.75 * h), round(0.25 * h) - textH};
    case 5:
        return {trunc(0.5 * h), round(0.25 * h) - halfT};
    case 6:
        return {trunc(0.833 * h), round(0.167 * h) - textH};
    case 7:
        return {trunc(0.666 * h), round(0.167 * h) - halfT};
    default:
        return {trunc(0.5 * h), round(0.166 * h) - halfT};
    }
}

double paneUnitsFactor(int position) {
    switch (position) {
    case 0:
        return 1.0;
    case 1:
        return 1.25;
    case 2:
        return 2.0;
    default:
        return 0.0;
    }
}

namespace {

constexpr std::array<double, 16> kThresholds = {
    5, 10, 20, 50, 100, 200, 250, 500, 1000, 2000, 5000, 10000, 50000, 100000, 1000000, 10000000};
constexpr std::array<double, 15> kSteps = {1,   2,   5,    10,   20,    25,    50,    100,
                                           200, 500, 1000, 2000, 10000, 50000, 100000};

double frac(double v) {
    return v - std::trunc(v);
}

} // namespace

TickRange tickRangeFor(double min, double max) {
    double factor = 1;
    if (max - min <= 1)
        factor = 1000;
    else if (max - min <= 5)
        factor = 100;
    const double lo = min * factor;
    const double hi = max * factor;
    const double r = hi - lo;

    TickRange t;
    bool found = false;
    for (std::size_t i = 0; i < kSteps.size() && !found; ++i) {
        if (r <= kThresholds[0] || (kThresholds[i] < r && r <= kThresholds[i + 1])) {
            t.step = kSteps[i];
            found = true;
        }
    }
    if (found) {
        // Ticks round towards zero; below zero the first tick goes down to the multiple
        // under the minimum instead, so that negative data stays inside the pane.
        t.lowTick = lo >= 0 ? lo - frac(lo / t.step) * t.step : std::floor(lo / t.step) * t.step;
        if (frac(lo / t.step) == 0) t.lowTick -= t.step;
        t.highTick = hi - frac(hi / t.step) * t.step + t.step;
    } else {
        t.step = r / 2;
        t.lowTick = lo;
        t.highTick = hi;
    }
    t.step /= factor;
    t.lowTick /= factor;
    t.highTick /= factor;
    const double quarter = t.step / 4;
    t.rangeMax = max > t.highTick - quarter ? t.highTick + quarter : t.highTick;
    t.rangeMin = min < t.lowTick + quarter ? t.lowTick - quarter : t.lowTick;
    return t;
}

PaneMapping::PaneMapping(double rangeMin, double rangeMax, int deviceHeight, PaneRect pane)
    : valueScale_(deviceHeight / (rangeMax - rangeMin)), pane_(pane) {
    top_ = roundEven(valueScale_ * rangeMax);
    bottom_ = std::trunc(valueScale_ * rangeMin);
}

int PaneMapping::deviceY(double logicalY) const {
    // Far-off values stay far off without overflowing the pixel type.
    constexpr double kFar = 1e8;
    const double y = pane_.top + (logicalY - top_) * pane_.height / (bottom_ - top_);
    if (!(y > -kFar)) return static_cast<int>(-kFar);
    if (!(y < kFar)) return static_cast<int>(kFar);
    return static_cast<int>(std::floor(y + 0.5));
}

double PaneMapping::unitsPerRow() const {
    return pane_.height > 0 ? (top_ - bottom_) / pane_.height : 0.0;
}

Colour shade(Colour colour, int percent) {
    int r = static_cast<int>(colour & 0xFF);
    int g = static_cast<int>((colour >> 8) & 0xFF);
    int b = static_cast<int>((colour >> 16) & 0xFF);
    if (r == g && g == b) {
        if (r > 160)
            percent = -20;
        else if (r >= 1)
            percent = 30;
        else
            r = g = b = 30;
    } else if (r > 160 || g > 160 || b > 160) {
        percent = -20;
    }
    auto scaled = [&](int c) {
        return static_cast<Colour>(static_cast<long long>(roundEven(c * (1 + percent / 100.0)))) &
               0xFFu;
    };
    return scaled(r) | scaled(g) << 8 | scaled(b) << 16;
}

} // namespace qm::chart
