// Renders a few full charts and leaves them as PNG files in the test output folder, for a
// person to look at; the assertions only make sure something was drawn and saved.

#include "ChartFixture.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>

namespace qm {
namespace {

using test::BarSpec;
using test::Chart;
using test::TableIndicator;

// A daily random walk with a trend, fixed by its seed.
BarWindow randomWalk(int count, std::uint32_t seed) {
    std::vector<BarSpec> specs;
    double close = 40;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) / 16777216.0; // 0..1
    };
    for (int i = 0; i < count; ++i) {
        const double open = close * (1 + (next() - 0.5) * 0.02);
        close = open * (1 + (next() - 0.48) * 0.04);
        const double high = std::max(open, close) * (1 + next() * 0.015);
        const double low = std::min(open, close) * (1 - next() * 0.015);
        specs.push_back({open, high, low, close, 400000 + next() * 1600000});
    }
    return test::makeBars(test::weekdays(test::day(2014, 3, 3), count),
                          [&](int i) { return specs[static_cast<std::size_t>(i)]; });
}

std::unique_ptr<TOscObj> indicator(int kind, int pane = 0) {
    auto r = TOscObj::Create(kind);
    r->Pane = static_cast<std::uint8_t>(pane);
    return r;
}

void save(const QImage& image, const char* name) {
    ASSERT_FALSE(image.isNull());
    const auto file = test::outputFolder() / name;
    ASSERT_TRUE(image.save(QString::fromStdString(file.string()))) << file;
}

// The chart of the speed goal: candles, three overlays and three oscillators.
void addFullSet(Chart& c) {
    c.add(test::priceRecord(4)).Pane = 2;
    c.add(indicator(1));
    c.add(indicator(14));
    c.add(indicator(5));
    c.add(indicator(16, 8));
    c.add(indicator(17, 7));
    c.add(indicator(30, 6));
}

TEST(Pictures, CandlesWithOverlaysAndOscillators) {
    Chart c;
    c.bars = randomWalk(511, 7);
    addFullSet(c);
    c.width = 1600;
    c.height = 900;
    c.options.showParamsOnChart = true;
    save(c.draw()->bitmap(), "candles_full_set.png");

    c.options.showIndOnScale = true;
    c.width = 900;
    c.height = 600;
    c.spacing = 0;
    save(c.draw()->bitmap(), "candles_tags_on_scale.png");
}

TEST(Pictures, PrintedPage) {
    Chart c;
    c.bars = randomWalk(511, 7);
    addFullSet(c);
    c.records.front()->Colors[1] = 0xFFFFFF;           // white bars print black
    c.page = QImage(3508, 2480, QImage::Format_RGB32); // A4 landscape at 300 dots per inch
    c.page.setDotsPerMeterX(11811);
    c.page.setDotsPerMeterY(11811);
    c.page.fill(Qt::white);
    c.width = 3508;
    c.height = 2480;
    c.draw();
    save(c.page, "printed_page.png");
}

// The same drawing on a PDF page, as PDF export would make it.
TEST(Pictures, PdfPage) {
    Chart c;
    c.bars = randomWalk(511, 7);
    addFullSet(c);
    const auto file = test::outputFolder() / "chart.pdf";
    {
        QPdfWriter pdf(QString::fromStdString(file.string()));
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setResolution(600);
        test::ensureGuiApplication();
        std::vector<TOscObj*> records;
        for (auto& r : c.records) records.push_back(r.get());
        TBmpChartObj renderer(c.bars, records, c.fs);
        renderer.setTitle("IBM");
        renderer.setWidth(pdf.width());
        renderer.setHeight(pdf.height());
        renderer.setScreen(c.screen);
        renderer.setPrintTarget(&pdf);
        renderer.draw();
        EXPECT_TRUE(renderer.bitmap().isNull());
        EXPECT_GT(renderer.barPitch(), 7); // scaled to the page's width
    }
    EXPECT_GT(std::filesystem::file_size(file), 10000u);
}

// Every drawing style from tables of its own, over OHLC bars on white.
TEST(Pictures, DrawingStyles) {
    Chart c;
    const int n = 300;
    c.bars = randomWalk(n, 11);
    c.add(test::priceRecord(3, 0xFFFFFF, 0x000000, 0x000000)).Pane = 2;
    OutputTable sar{}, regr{}, steps{}, band{}, levels{}, detrend{}, volume{}, adx{};
    for (int s = kWindowSlots - n; s < kWindowSlots; ++s) {
        const auto i = static_cast<std::size_t>(s);
        const PriceBar& b = c.bars[i];
        const float phase = static_cast<float>(s) / 9.0f;
        sar[i][0] = (s / 20) % 2 ? b.high * 1.02f : b.low * 0.98f;
        if (s > 460) regr[i][0] = c.bars[460].close + (s - 460) * 0.05f;
        steps[i] = {0, 0, (s / 30) % 2 ? 1.0f : 2.0f, (s / 30) % 2 ? b.low * 0.97f : b.high * 1.03f,
                    0, 0};
        band[i] = {b.close * 1.06f, b.close * 0.94f, 0, 0, 0, 0};
        levels[i] = {
            0, (s / 25) % 3 ? c.bars[static_cast<std::size_t>(s / 25 * 25)].low : 0, 0, 0, 0, 0};
        detrend[i] = {std::sin(phase) + 0.6f, std::sin(phase) - 0.6f, std::sin(phase), 0, 0, 0};
        volume[i] = {b.volume, b.close >= b.open ? 1.0f : -1.0f, 0, 0, 0, 0};
        adx[i] = {25 + 10 * std::sin(phase),
                  20 + 8 * std::cos(phase),
                  15 + 5 * std::sin(phase / 2),
                  0,
                  0,
                  0};
    }
    for (auto [kind, table] :
         {std::pair{10, &sar}, {11, &regr}, {8, &steps}, {12, &band}, {7, &levels}})
        c.add(std::make_unique<TableIndicator>(kind, *table));
    c.add(std::make_unique<TableIndicator>(22, detrend)).Pane = 8;
    c.add(std::make_unique<TableIndicator>(30, volume)).Pane = 7;
    auto& adxRecord = c.add(std::make_unique<TableIndicator>(27, adx));
    adxRecord.Pane = 6;
    c.options.showParamsOnChart = true;
    c.width = 1200;
    c.height = 800;
    save(c.draw()->bitmap(), "drawing_styles.png");
}

TEST(Pictures, WeeklyLineAndPatternMarks) {
    Chart c;
    const int n = 120;
    std::vector<double> dates;
    for (int i = 0; i < n; ++i) dates.push_back(test::day(2014, 1, 3) + 7 * i);
    BarWindow daily = randomWalk(n, 3);
    std::vector<BarSpec> specs;
    for (int s = kWindowSlots - n; s < kWindowSlots; ++s) {
        const PriceBar& b = daily[static_cast<std::size_t>(s)];
        specs.push_back({b.open, b.high, b.low, b.close, b.volume});
    }
    c.bars = test::makeBars(dates, [&](int i) { return specs[static_cast<std::size_t>(i)]; });
    TOscObj& price = c.add(test::priceRecord(4));
    price.Interval = 1;
    OutputTable marks{};
    // A completed first stage, a perfection mark, second-stage counts with a signal, and a
    // running count one bar short of completion.
    for (int k = 1; k <= 9; ++k)
        marks[static_cast<std::size_t>(470 + k)][1] = static_cast<float>(k);
    marks[479][4] = 1;
    for (int k = 1; k <= 13; ++k)
        marks[static_cast<std::size_t>(480 + k * 2)][2] = static_cast<float>(-k);
    marks[506][0] = -1;
    for (int k = 1; k <= 8; ++k)
        marks[static_cast<std::size_t>(503 + k)][1] = static_cast<float>(-k);
    c.add(std::make_unique<TableIndicator>(5, marks));
    c.spacing = 2;
    c.width = 1000;
    c.height = 500;
    c.title = "KRNX";
    save(c.draw()->bitmap(), "weekly_pattern_marks.png");
}

} // namespace
} // namespace qm
