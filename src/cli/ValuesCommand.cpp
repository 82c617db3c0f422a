#include "ChartJob.h"
#include "Commands.h"
#include "indicators/Catalogue.h"
#include "market/Calendar.h"
#include "market/PriceText.h"

#include <charconv>
#include <cstdio>
#include <map>

namespace qm::cli {
namespace {

// The shortest text that reads back as the same float.
void appendFloat(std::string& out, float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

void appendDate(std::string& out, double dayCount) {
    const CivilDate d = decodeDate(dayCount);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    out += text;
}

// "17" for the first indicator of kind 17, "17#2" for the second, and so on.
std::vector<std::string> columnHeads(const ChartValues& values) {
    std::map<int, int> seen;
    std::vector<std::string> heads;
    for (const auto& v : values.indicators) {
        const int n = ++seen[v.record->Kind];
        heads.push_back(std::to_string(v.record->Kind) + (n > 1 ? "#" + std::to_string(n) : ""));
    }
    return heads;
}

std::string csvOf(const ChartValues& values, const std::vector<std::string>& heads) {
    std::string out = "slot,date,open,high,low,close,volume";
    for (const auto& head : heads)
        for (int column = 0; column < kOutputColumns; ++column)
            out += "," + head + "." + std::to_string(column);
    out += '\n';
    const int n = countValidBars(values.bars);
    for (int slot = kWindowSlots - n; slot < kWindowSlots; ++slot) {
        const PriceBar& bar = values.bars[static_cast<std::size_t>(slot)];
        out += std::to_string(slot);
        out += ',';
        appendDate(out, bar.date);
        for (const float price : {bar.open, bar.high, bar.low, bar.close, bar.volume}) {
            out += ',';
            appendFloat(out, price);
        }
        for (const auto& v : values.indicators) {
            for (int column = 0; column < kOutputColumns; ++column) {
                out += ',';
                if (v.table)
                    appendFloat(out, (*v.table)[static_cast<std::size_t>(slot)]
                                               [static_cast<std::size_t>(column)]);
            }
        }
        out += '\n';
    }
    return out;
}

} // namespace

// Prints the numbers of a chart as CSV: the bars of the window and every indicator's six
// output columns, exactly as the chart command computes them.
int runValues(std::span<char*> args) {
    return runChartJob(
        args,
        "usage: quillmar-cli values PRICEFILE [options]\n"
        "Prints the bars of the chart of PRICEFILE and its indicators' values as CSV on stdout.\n",
        false, [](PreparedChart& chart, MessageSink& sink) {
            const ChartValues values = computeValues(chart, sink);
            const auto heads = columnHeads(values);
            for (std::size_t i = 0; i < values.indicators.size(); ++i)
                if (!values.indicators[i].table) {
                    const IndicatorInfo* info = catalogueEntry(values.indicators[i].record->Kind);
                    std::fprintf(stderr,
                                 "quillmar-cli: %s (columns %s.*) was skipped by a fault in its "
                                 "computation; its cells are empty\n",
                                 info ? std::string(trimBlanks(info->legendName)).c_str() : "?",
                                 heads[i].c_str());
                }
            return csvOf(values, heads);
        });
}

} // namespace qm::cli
