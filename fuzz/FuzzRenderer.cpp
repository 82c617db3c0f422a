// The chart renderer over arbitrary charts: a record list of the price chart record and up to
// six indicators with any stored fields and pane codes, a bar window of any content, any size,
// bar spacing, visible bar count, screen, options, title and regional settings, drawn into an
// image as the chart window and the command line draw.
//
// Checked besides the sanitizers: a drawing of a window with a valid bar makes an image of the
// size asked for (at least the smallest the renderer draws), one without makes none; the
// drawing never changes a date of the window; every pane it reports lies inside the image
// from top to bottom.

#include "FuzzInputs.h"
#include "FuzzSupport.h"
#include "indicators/OscObj.h"
#include "market/MessageSink.h"
#include "render/ChartFonts.h"
#include "render/ChartRenderer.h"

#include <QGuiApplication>
#include <cstring>
#include <memory>
#include <vector>

using namespace qm;
using namespace qm::fuzz;

namespace {

constexpr int kMaxIndicators = 6;
// Large enough for any screen; larger sizes only cost memory.
constexpr int kMaxSide = 4000;

void startQt() {
    static int argc = 1;
    static char name[] = "fuzz_renderer";
    static char* argv[] = {name, nullptr};
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Kept for the life of the process: destroyed among the exit handlers, it would outlive
    // the thread storage its font cache needs.
    new QGuiApplication(argc, argv);
    chart::registerChartFonts();
}

void setRecordFields(FuzzedDataProvider& in, TOscObj& record) {
    if (in.ConsumeBool()) setStoredFields(in, record);
    if (in.ConsumeBool())
        for (std::int32_t& colour : record.Colors)
            colour = in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 0xFFFFFF)
                                      : in.ConsumeIntegral<std::int32_t>();
    if (in.ConsumeBool()) record.FontSize = anyCount(in, 6, 16);
    if (in.ConsumeBool()) record.Overlay = in.ConsumeBool();
    record.DataKind = in.ConsumeIntegralInRange<std::uint8_t>(0, 6);
    record.Pane = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::uint8_t>(0, 9)
                                   : in.ConsumeIntegral<std::uint8_t>();
}

int anySide(FuzzedDataProvider& in, int usual) {
    switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0:
        return in.ConsumeIntegralInRange(-10, 200);
    case 1:
        return in.ConsumeIntegralInRange(0, kMaxSide);
    default:
        return usual + in.ConsumeIntegralInRange(-300, 300);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    startQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    std::vector<std::unique_ptr<TOscObj>> records;
    records.push_back(TOscObj::CreatePriceChartRecord());
    setRecordFields(in, *records.front());
    const int indicators = in.ConsumeIntegralInRange(0, kMaxIndicators);
    for (int i = 0; i < indicators; ++i) {
        records.push_back(TOscObj::Create(in.ConsumeIntegralInRange(1, kIndicatorKinds)));
        setRecordFields(in, *records.back());
    }
    std::vector<TOscObj*> list;
    for (const auto& r : records) list.push_back(r.get());

    auto bars = std::make_unique<BarWindow>();
    fillWindow(in, *bars);
    const FormatSettings fs =
        in.ConsumeBool() ? FormatSettings::unitedStates() : FormatSettings::dayFirst();
    const int width = anySide(in, 1024);
    const int height = anySide(in, 600);

    TBmpChartObj renderer(*bars, list, fs);
    renderer.setTitle(in.ConsumeRandomLengthString(64));
    renderer.setSpacing(in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 2) : anyCount(in, -1, 3));
    renderer.setWidth(width);
    renderer.setHeight(height);
    // A screen without a size or resolution stands for one the size of the chart.
    renderer.setScreen(
        ScreenFacts{anyCount(in, 640, 7680), anyCount(in, 480, 4320), anyCount(in, 72, 288)});
    renderer.setOptions(ChartOptions{in.ConsumeBool(), in.ConsumeBool()});
    if (in.ConsumeIntegralInRange(0, 3) == 0) renderer.setVisibleBars(anyCount(in, 0, 600));
    SilentSink sink;
    renderer.setMessageSink(&sink);

    const BarWindow before = *bars;
    renderer.draw();

    for (std::size_t slot = 0; slot < before.size(); ++slot)
        QM_FUZZ_CHECK(std::memcmp(&before[slot].date, &(*bars)[slot].date, sizeof(double)) == 0,
                      "the drawing changes no date of the window");
    const QImage& image = renderer.bitmap();
    if (countValidBars(before) == 0) {
        QM_FUZZ_CHECK(image.isNull(), "no image without a valid bar");
        return 0;
    }
    QM_FUZZ_CHECK(!image.isNull(), "an image of a window with bars");
    QM_FUZZ_CHECK(image.width() == std::max(width, 150) && image.height() == std::max(height, 100),
                  "the image has the size asked for");
    for (const PaneInfo& pane : renderer.panes()) {
        const chart::PaneRect& r = pane.rect;
        QM_FUZZ_CHECK(r.top >= 0 && r.top + r.height <= image.height(),
                      "every pane lies inside the image");
    }
    return 0;
}
