#include "KindNames.h"

#include "indicators/OscObj.h"

#include <array>
#include <charconv>

namespace qm::cli {
namespace {

constexpr std::array<std::string_view, kIndicatorKinds> kShortNames = {
    "ma",    "ema",    "regma", "envelope", "pattern1",   "pattern2",  "stage1", "supres",
    "swing", "sar",    "regr",  "sdband",   "channel",    "bollinger", "bwi",    "macd",
    "rsi",   "trirsi", "stoch", "trix",     "volatility", "detrend",   "slope",  "willr",
    "cci",   "roc",    "adx",   "accdist",  "intensity",  "volume",
};

bool sameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char c = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        if (c != b[i]) return false;
    }
    return true;
}

} // namespace

std::string_view kindShortName(int kind) {
    if (kind < 1 || kind > kIndicatorKinds) return {};
    return kShortNames[static_cast<std::size_t>(kind - 1)];
}

std::optional<int> parseKind(std::string_view word) {
    int kind = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), kind);
    if (ec == std::errc() && end == word.data() + word.size())
        return kind >= 1 && kind <= kIndicatorKinds ? std::optional(kind) : std::nullopt;
    for (int k = 1; k <= kIndicatorKinds; ++k)
        if (sameLetters(word, kindShortName(k))) return k;
    return std::nullopt;
}

} // namespace qm::cli
