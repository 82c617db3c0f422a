#include "Commands.h"

namespace qm::cli {

int runInspect(std::span<char*> args);
int runFetch(std::span<char*> args);
int runKinds(std::span<char*> args);
#ifdef QM_CLI_CHARTS
int runChart(std::span<char*> args);
int runValues(std::span<char*> args);
#endif

std::span<const Command> commands() {
    static constexpr Command kCommands[] = {
        {"inspect", "FILE...",
         "read price files and print the layout found, which column is which, the bars and the "
         "rows passed over",
         runInspect},
#ifdef QM_CLI_CHARTS
        {"chart", "PRICEFILE [options] -o OUTFILE",
         "draw a chart into a .png, .bmp, .gif, .jpg or .pdf file", runChart},
        {"values", "PRICEFILE [options]", "print a chart's bars and indicator values as CSV",
         runValues},
#endif
        {"kinds", "", "list the indicator kinds", runKinds},
        {"fetch", "--service NAME (--symbol SYMBOL... | --tickers FILE) --dest DIR [options]",
         "download price histories from a quote service (--help for the options)", runFetch},
    };
    return kCommands;
}

} // namespace qm::cli
