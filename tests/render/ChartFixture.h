#pragma once
// Charts for the renderer tests: a bar window built from a few rules, indicators whose values
// are given outright, and a drawing at a fixed screen so the results do not depend on the
// machine's display.

#include "indicators/OscObj.h"
#include "market/Calendar.h"
#include "market/FormatSettings.h"
#include "market/PriceBar.h"
#include "render/ChartRenderer.h"
#include "support/GuiApplication.h"

#include <QColor>
#include <QImage>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qm::test {

inline double day(int y, int m, int d) {
    return *encodeDate(y, m, d);
}

// `count` weekdays from `first` on (Monday to Friday).
inline std::vector<double> weekdays(double first, int count) {
    std::vector<double> dates;
    for (double d = first; static_cast<int>(dates.size()) < count; d += 1)
        if (dayOfWeek(d) != 1 && dayOfWeek(d) != 7) dates.push_back(d);
    return dates;
}

struct BarSpec {
    double open, high, low, close, volume;
};

// One bar per date, oldest first, newest in slot 511.
inline BarWindow makeBars(const std::vector<double>& dates,
                          const std::function<BarSpec(int)>& bar) {
    BarWindow w{};
    const int count = static_cast<int>(dates.size());
    for (int i = 0; i < count; ++i) {
        const BarSpec b = bar(i);
        w[static_cast<std::size_t>(kWindowSlots - count + i)] =
            PriceBar{dates[static_cast<std::size_t>(i)],
                     static_cast<float>(b.open),
                     static_cast<float>(b.high),
                     static_cast<float>(b.low),
                     static_cast<float>(b.close),
                     static_cast<float>(b.volume),
                     0};
    }
    return w;
}

// A bar window of `count` weekday bars from 2016-01-04 on.
inline BarWindow makeBars(int count, const std::function<BarSpec(int)>& bar) {
    return makeBars(weekdays(day(2016, 1, 4), count), bar);
}

// An indicator of any kind whose computation hands back a fixed table.
class TableIndicator final : public TOscObj {
public:
    TableIndicator(int kind, OutputTable table, int shortfall = 0)
        : TOscObj(static_cast<std::uint8_t>(kind)), table_(table), shortfall_(shortfall) {}
    void Compute(BarWindow&, OutputTable& out, int& shortfall) override {
        out = table_;
        shortfall = shortfall_;
    }

private:
    OutputTable table_;
    int shortfall_;
};

inline std::unique_ptr<TOscObj> priceRecord(int chartType, std::int32_t back = 0x000000,
                                            std::int32_t bars = 0xF0FBFF,
                                            std::int32_t text = 0xC0C0C0) {
    auto r = TOscObj::CreatePriceChartRecord();
    r->DataKind = 5;
    r->Style = static_cast<std::uint8_t>(chartType);
    r->Colors[0] = back;
    r->Colors[1] = bars;
    r->Colors[3] = text;
    return r;
}

struct Chart {
    BarWindow bars{};
    std::vector<std::unique_ptr<TOscObj>> records;
    FormatSettings fs = FormatSettings::unitedStates();
    ScreenFacts screen{1920, 1080, 96};
    ChartOptions options;
    int width = 800;
    int height = 600;
    int spacing = 1;
    int visibleBars = 0; // 0: as many as fit
    std::string title = "IBM";
    QImage page; // printing target when not null

    TOscObj& add(std::unique_ptr<TOscObj> record) {
        records.push_back(std::move(record));
        return *records.back();
    }

    // A renderer set up for the chart, not yet drawn.
    std::unique_ptr<TBmpChartObj> renderer() {
        ensureGuiApplication();
        pointers_.clear();
        for (auto& r : records) pointers_.push_back(r.get());
        auto renderer = std::make_unique<TBmpChartObj>(bars, pointers_, fs);
        renderer->setTitle(title);
        renderer->setSpacing(spacing);
        renderer->setWidth(width);
        renderer->setHeight(height);
        renderer->setScreen(screen);
        renderer->setOptions(options);
        renderer->setVisibleBars(visibleBars);
        if (!page.isNull()) renderer->setPrintTarget(&page);
        return renderer;
    }

    std::unique_ptr<TBmpChartObj> draw() {
        auto drawn = renderer();
        drawn->draw();
        return drawn;
    }

private:
    std::vector<TOscObj*> pointers_;
};

inline QRgb rgbOf(std::uint32_t colour) {
    return qRgb(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

// Where the tests leave pictures for a person to look at.
inline std::filesystem::path outputFolder() {
    std::filesystem::path dir = QM_TEST_OUTPUT_DIR;
    std::filesystem::create_directories(dir);
    return dir;
}

} // namespace qm::test
