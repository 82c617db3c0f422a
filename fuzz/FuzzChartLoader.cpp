// A chart opened end to end from outside files: the price file (read, and converted to weekly or
// monthly bars), the indicator settings set and the request list, then every indicator of the
// chart computed over the loaded window as a drawing computes it.
//
// Input: byte 0 is the mode (its value mod 3 the interval; bit 2 day-first regional settings;
// bit 3 a settings set taken from the input instead of the factory one); byte 1 the number of
// request entries, followed by two bytes (kind, pane) per entry; then the price file, and, when
// bit 3 is set, a line "--8<--" and the bytes of "Defaults.prm".
//
// Checked: the window holds the newest bars of the chart data file; the chart's records start with
// the price chart record; nothing the loader wrote is left in the temporary folder once the chart
// goes.

#include "FuzzSupport.h"
#include "indicators/Frame.h"
#include "loader/ChartLoader.h"
#include "settings/SettingsStream.h"

#include <algorithm>
#include <system_error>

using namespace qm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t mode = data[0];
    const std::size_t entries = std::min<std::size_t>(data[1], (size - 2) / 2);
    ChartRequest request;
    for (std::size_t i = 0; i < entries; ++i)
        request.requests.push_back({data[2 + 2 * i], data[3 + 2 * i]});
    const std::string_view rest(reinterpret_cast<const char*>(data) + 2 + 2 * entries,
                                size - 2 - 2 * entries);
    const bool ownSettings = (mode & 8) != 0;
    const auto [priceText, settingsBytes] =
        ownSettings ? fuzz::splitAt(rest, "\n--8<--\n")
                    : std::pair<std::string_view, std::string_view>{rest, {}};

    const std::filesystem::path sources = fuzz::freshFolder("sources");
    const std::filesystem::path settings = fuzz::freshFolder("settings");
    const std::filesystem::path temp = fuzz::freshFolder("temp");
    fuzz::writeBytes(sources / "ACME.csv", priceText);
    if (ownSettings) fuzz::writeBytes(settings / "Defaults.prm", settingsBytes);

    LoaderContext context;
    context.settingsFolder = settings;
    context.tempFolder = temp;
    context.locale = (mode & 4) != 0 ? FormatSettings::dayFirst() : FormatSettings::unitedStates();
    context.currentYear = 2016;
    request.sourceFile = sources / "ACME.csv";
    request.interval = static_cast<Interval>(mode % 3);

    SilentSink sink;
    LoadResult result;
    try {
        result = openChart(request, context, sink);
    } catch (const std::system_error&) {
        // A conversion to weekly or monthly bars that could not be written.
    } catch (const SettingsError&) {
    }
    if (LoadedChart* chart = result.chart.get()) {
        QM_FUZZ_CHECK(!chart->records.records.empty() && chart->records.records[0]->Kind == 0,
                      "the price chart record first");
        const int n = countValidBars(chart->bars);
        QM_FUZZ_CHECK(chart->position.recordCount > 0 &&
                          n == std::min(chart->position.recordCount, kMaxWindowBars),
                      "a new chart shows its newest bars");
        ChartFacts facts;
        facts.validBars = n;
        facts.shownBars = std::min(n, 300);
        facts.dataKind = static_cast<std::uint8_t>(chart->dataKind);
        facts.interval = static_cast<std::uint8_t>(chart->interval);
        OutputTable out;
        for (std::size_t i = 1; i < chart->records.records.size(); ++i)
            (void)computeForDrawing(*chart->records.records[i], chart->bars, out, facts, sink);
    }
    result.chart.reset();
    QM_FUZZ_CHECK(fuzz::entryCount(temp) == 0, "no chart data file outlives its chart");
    return 0;
}
