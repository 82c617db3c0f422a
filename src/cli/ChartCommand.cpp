#include "ChartJob.h"
#include "Commands.h"

namespace qm::cli {

// Draws a chart into an image or PDF file.
int runChart(std::span<char*> args) {
    return runChartJob(args,
                       "usage: quillmar-cli chart PRICEFILE [options] -o OUTFILE\n"
                       "Draws the chart of PRICEFILE into OUTFILE, whose name ends in .png, "
                       ".bmp, .gif, .jpg or .pdf.\n",
                       true, [](PreparedChart& chart, MessageSink& sink) {
                           saveChart(chart, chart.args().output, sink);
                           return std::string();
                       });
}

} // namespace qm::cli
