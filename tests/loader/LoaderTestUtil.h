#pragma once
// Price files and settings folders for the loader tests.

#include "market/Calendar.h"
#include "settings/lists/PlotRecList.h"

#include <functional>
#include <string>

namespace qm::test {

// `count` weekday lines from Monday 2016-01-04 on, oldest first, M/d/yyyy dates, each line made
// by `row(i, date)` from its index and date text.
inline std::string priceLines(const std::string& header, int count,
                              const std::function<std::string(int, const std::string&)>& row) {
    std::string text = header + "\n";
    double day = *encodeDate(2016, 1, 4);
    for (int i = 0; i < count; ++day) {
        const int weekday = dayOfWeek(day);
        if (weekday == 1 || weekday == 7) continue;
        const CivilDate d = decodeDate(day);
        text += row(i++, std::to_string(d.month) + "/" + std::to_string(d.day) + "/" +
                             std::to_string(d.year)) +
                "\n";
    }
    return text;
}

// Open, high, low, close and volume, closes 1, 2, 3, ...
inline std::string fullPrices(int count) {
    return priceLines("Date,Open,High,Low,Close,Volume", count, [](int i, const std::string& d) {
        const int c = i + 1;
        return d + "," + std::to_string(c) + "," + std::to_string(c + 1) + "," + std::to_string(c) +
               "," + std::to_string(c) + ",1000";
    });
}

inline std::string closePrices(int count) {
    return priceLines("Date,Close", count,
                      [](int i, const std::string& d) { return d + "," + std::to_string(i + 1); });
}

inline std::string highLowClosePrices(int count) {
    return priceLines("Date,High,Low,Close", count, [](int i, const std::string& d) {
        const int c = i + 1;
        return d + "," + std::to_string(c + 1) + "," + std::to_string(c) + "," + std::to_string(c);
    });
}

// The factory set, changed by `change`, saved as `file`.
inline void writeSettingsSet(const std::filesystem::path& file,
                             const std::function<void(TPlotRecList&)>& change) {
    TPlotRecList set = factoryDefaultSet();
    change(set);
    set.save(file);
}

} // namespace qm::test
