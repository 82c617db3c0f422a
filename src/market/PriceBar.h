#pragma once
// The price bar record, the data kind and interval codes, and the 512-slot bar window that
// every indicator and the renderer work on.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qm {

static_assert(std::endian::native == std::endian::little,
              "price bars are stored little-endian, the same in memory and on disk");

// One bar, exactly as it sits in a chart data file. `date` counts whole days from 1899-12-30;
// 0 marks an empty slot.
struct PriceBar {
    double date = 0.0;
    float open = 0.0f;
    float high = 0.0f;
    float low = 0.0f;
    float close = 0.0f;
    float volume = 0.0f;
    std::uint32_t reserved = 0;
};
static_assert(sizeof(PriceBar) == 32, "a price bar is 32 bytes in memory and on disk");
static_assert(offsetof(PriceBar, open) == 8 && offsetof(PriceBar, close) == 20 &&
              offsetof(PriceBar, volume) == 24);

// Which price fields a series carries.
enum class DataKind : std::uint8_t {
    None = 0,
    Close = 1,
    CloseVolume = 2,
    HighLowClose = 3,
    HighLowCloseVolume = 4,
    Full = 5,
};

enum class Interval : std::uint8_t { Daily = 0, Weekly = 1, Monthly = 2 };

constexpr int kWindowSlots = 512;
constexpr int kMaxWindowBars = kWindowSlots - 1;

// Slot 511 holds the newest bar; the slot below the oldest loaded bar has date 0.
using BarWindow = std::array<PriceBar, kWindowSlots>;

// Counts valid bars from slot 511 downwards, stopping at a zero date or after slot 1.
inline int countValidBars(const BarWindow& window) {
    int n = 0;
    for (int slot = kWindowSlots - 1; slot >= 1 && window[slot].date != 0.0; --slot) ++n;
    return n;
}

} // namespace qm
