#include "ReadReport.h"

namespace qm {
namespace {

void append(std::string& out, const LineTally& tally, const char* one, const char* many) {
    if (tally.count == 0) return;
    if (!out.empty()) out += "; ";
    out += std::to_string(tally.count) + " " + (tally.count == 1 ? one : many);
    out += tally.count == 1 ? " (line " : " (first at line ";
    out += std::to_string(tally.firstLine) + ")";
}

} // namespace

std::string doubtfulBarsText(const ReadReport& report) {
    std::string out;
    append(out, report.highBelowLow, "bar with high below low", "bars with high below low");
    append(out, report.outOfOrder, "date out of order", "dates out of order");
    append(out, report.repeatedDates, "repeated date", "repeated dates");
    return out;
}

std::string skippedRowsText(const ReadReport& report) {
    std::string out;
    append(out, report.missingPrices, "row without prices, passed over",
           "rows without prices, passed over");
    append(out, report.missingVolumes, "row without volume, read as 0",
           "rows without volume, read as 0");
    return out;
}

} // namespace qm
