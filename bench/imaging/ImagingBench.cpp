// Encoding a chart-sized image (1600 x 900, a few colours, lines and candles) in each format.

#include "imaging/ChartImage.h"
#include "imaging/IndexedColours.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

QImage chartImage() {
    QImage image(1600, 900, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 255));
    QPainter p(&image);
    p.setPen(QColor(210, 210, 210)); // grid
    for (int x = 60; x < 1540; x += 100) p.drawLine(x, 20, x, 860);
    for (int y = 20; y < 860; y += 60) p.drawLine(60, y, 1540, y);
    p.setPen(QColor(0, 0, 0)); // pane frames
    p.drawRect(60, 20, 1480, 540);
    p.drawRect(60, 580, 1480, 130);
    p.drawRect(60, 730, 1480, 130);

    double price = 300;
    QPolygon average;
    QPolygon oscillator;
    for (int bar = 0; bar < 370; ++bar) {
        const int x = 64 + bar * 4;
        const double open = price;
        price += 12 * std::sin(bar * 0.37) + 7 * std::cos(bar * 0.11);
        const double high = std::max(open, price) + 6;
        const double low = std::min(open, price) - 6;
        p.setPen(QColor(0, 0, 0));
        p.drawLine(x, static_cast<int>(low), x, static_cast<int>(high));
        p.fillRect(x - 1, static_cast<int>(std::min(open, price)), 3,
                   std::max(1, static_cast<int>(std::abs(price - open))),
                   price >= open ? QColor(0, 160, 0) : QColor(200, 0, 0));
        average << QPoint(x, static_cast<int>(open + 15 * std::sin(bar * 0.05)));
        oscillator << QPoint(x, 645 + static_cast<int>(55 * std::sin(bar * 0.21)));
        p.fillRect(x - 1, 860 - (bar * 37) % 120, 3, (bar * 37) % 120, QColor(90, 90, 200));
    }
    p.setPen(QColor(0, 0, 255));
    p.drawPolyline(average);
    p.setPen(QColor(255, 128, 0));
    p.drawPolyline(oscillator);
    return image;
}

void encode(benchmark::State& state, qm::ChartFileFormat format) {
    const QImage image = chartImage();
    std::size_t size = 0;
    for (auto _ : state) {
        std::string bytes;
        if (!qm::encodeChartImage(image, format, bytes)) state.SkipWithError("encoding failed");
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = static_cast<double>(size);
}

void BM_Gif(benchmark::State& state) {
    encode(state, qm::ChartFileFormat::Gif);
}
void BM_Bmp(benchmark::State& state) {
    encode(state, qm::ChartFileFormat::Bmp);
}
void BM_Jpeg(benchmark::State& state) {
    encode(state, qm::ChartFileFormat::Jpeg);
}
void BM_Png(benchmark::State& state) {
    encode(state, qm::ChartFileFormat::Png);
}

// Qt's own PNG writer at its default settings, the yardstick of the PNG encoder.
void BM_PngQtWriter(benchmark::State& state) {
    const QImage image = chartImage();
    std::size_t size = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        if (!writer.write(image)) state.SkipWithError("encoding failed");
        size = static_cast<std::size_t>(buffer.data().size());
    }
    state.counters["bytes"] = static_cast<double>(size);
}

// The colour indexing alone, the part of the GIF time spent before compression.
void BM_GifIndexing(benchmark::State& state) {
    const QImage image = chartImage();
    for (auto _ : state) {
        qm::IndexedBitmap bitmap;
        benchmark::DoNotOptimize(qm::toIndexedBitmap(image, bitmap));
    }
}

BENCHMARK(BM_Gif)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GifIndexing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Jpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Png)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngQtWriter)->Unit(benchmark::kMillisecond);

} // namespace
