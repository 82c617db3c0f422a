#pragma once
// The options of the chart and values commands, which describe the same chart.

#include "market/PriceBar.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qm::cli {

// An indicator added with --add KIND[:P1,P2,...]: its parameters, if any, in the order and
// units of the settings editor's boxes (indicators/EditorParams.h).
struct AddedIndicator {
    int kind = 0;
    std::vector<float> params;
};

struct ChartArgs {
    std::string priceFile;
    std::string vsFile; // relative strength of the price file to this one
    Interval interval = Interval::Daily;
    std::optional<std::uint8_t> chartType; // 0 line ... 4 candle; the settings' own when unset
    int spacing = 1;                       // 0 reduced, 1 normal, 2 increased
    std::vector<AddedIndicator> added;     // indicators added one by one, in order
    std::string indicatorsFile;            // an indicator request file
    std::string settingsDir;               // the program's settings folder when empty
    int offset = 1;                        // 1 puts the newest bar at the right
    int width = 1024;
    int height = 600;
    bool showValues = false;
    bool showParams = false;
    std::string output;
    bool help = false;
};

// The largest chart side accepted, in pixels: larger images take more memory than a chart
// is worth.
constexpr int kMaxChartSide = 8000;

// Reads the arguments after the command's name. `withOutput` says whether -o FILE is expected
// (chart) or refused (values). On a mistake returns nothing and sets `error` to a message for
// the user.
std::optional<ChartArgs> parseChartArgs(std::span<char*> args, bool withOutput, std::string& error);

// The options text of the usage messages.
extern const char* const kChartOptionsHelp;

} // namespace qm::cli
