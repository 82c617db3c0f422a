#pragma once
// What reading a price file found besides its bars, and how to say it.

#include <cstdint>
#include <filesystem>
#include <string>

namespace qm {

// How many rows of one sort a file has, and the line of the first (from 1).
struct LineTally {
    std::int64_t count = 0;
    std::int64_t firstLine = 0;
    void add(std::int64_t line) {
        if (count++ == 0) firstLine = line;
    }
};

// What reading one price file found besides its bars: rows passed over, and bars that are
// read as written but look wrong.
struct ReadReport {
    std::filesystem::path file;
    LineTally missingPrices;  // rows passed over: an open, high, low or close was missing
    LineTally missingVolumes; // bars given volume 0: their volume was missing
    LineTally highBelowLow;
    LineTally outOfOrder;    // dates that go against the file's order, oldest or newest first
    LineTally repeatedDates; // dates the same as the line before's
    bool doubtful() const {
        return highBelowLow.count > 0 || outOfOrder.count > 0 || repeatedDates.count > 0;
    }
};

// The doubtful bars of a report for a warning: "3 bars with high below low (first at line
// 20); 1 date out of order (line 44)"; empty when there are none.
std::string doubtfulBarsText(const ReadReport& report);
// The rows read other than as written: "2 rows without prices, passed over (first at line
// 17)"; empty when there are none.
std::string skippedRowsText(const ReadReport& report);

} // namespace qm
