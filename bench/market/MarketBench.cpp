// Throughput of the market data core on long histories: reading a standard CSV price file
// into a chart data file (against a plain read of the same file), weekly and monthly
// conversion, and window fills across a long chart data file.

#include "market/AsciiFileReader.h"
#include "market/BarWindowFill.h"
#include "market/Calendar.h"
#include "market/IntervalConverter.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
constexpr int kLines = 1'000'000;

// The files every benchmark works on, made once and removed at exit.
struct Files {
    fs::path folder;
    fs::path csv;   // standard download layout, newest first
    fs::path daily; // chart data file of weekdays, oldest first

    Files() {
        folder = fs::temp_directory_path() / ("qm-bench-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        csv = folder / "BENCH.csv";
        daily = folder / "daily.bars";
        std::vector<qm::PriceBar> bars;
        bars.reserve(kLines);
        const double start = *qm::encodeDate(1900, 1, 1);
        double price = 50.0;
        std::uint32_t seed = 12345;
        const auto noise = [&seed] {
            seed = seed * 1664525u + 1013904223u;
            return static_cast<double>(seed >> 8) / (1 << 24) - 0.5;
        };
        for (double d = start; bars.size() < kLines; ++d) {
            if (qm::dayOfWeek(d) == 1 || qm::dayOfWeek(d) == 7) continue;
            const double open = price;
            price *= 1.0 + 0.03 * noise();
            const double high = std::max(open, price) * (1.0 + 0.01 * (noise() + 0.5));
            const double low = std::min(open, price) * (1.0 - 0.01 * (noise() + 0.5));
            bars.push_back({d, float(open), float(high), float(low), float(price),
                            float(1e6 * (1.5 + noise())), 0});
        }
        std::ofstream(daily, std::ios::binary)
            .write(reinterpret_cast<const char*>(bars.data()),
                   static_cast<std::streamsize>(bars.size() * sizeof(qm::PriceBar)));
        std::FILE* out = std::fopen(csv.c_str(), "wb");
        std::fputs("Date,Open,High,Low,Close,Volume\n", out);
        for (auto it = bars.rbegin(); it != bars.rend(); ++it) {
            const qm::CivilDate c = qm::decodeDate(it->date);
            std::fprintf(out, "%d/%d/%d,%.2f,%.2f,%.2f,%.2f,%.0f\n", c.month, c.day, c.year,
                         it->open, it->high, it->low, it->close, it->volume);
        }
        std::fclose(out);
    }
    ~Files() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
};

const Files& files() {
    static const Files f;
    return f;
}

void BM_RawRead(benchmark::State& state) {
    const Files& f = files();
    auto buffer = std::make_unique<char[]>(1 << 20);
    for (auto _ : state) {
        const int fd = ::open(f.csv.c_str(), O_RDONLY);
        while (::read(fd, buffer.get(), 1 << 20) > 0) benchmark::DoNotOptimize(buffer.get());
        ::close(fd);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(f.csv)));
}
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);

void BM_ReadStandardCsv(benchmark::State& state) {
    const Files& f = files();
    qm::SilentSink sink;
    qm::TAsciiFileReader reader(qm::FormatSettings::unitedStates(), f.folder, 2016, sink);
    for (auto _ : state) {
        reader.readFile(f.csv);
        if (reader.barCount() != kLines) state.SkipWithError("the read failed");
        fs::remove(reader.resultName());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(f.csv)));
}
BENCHMARK(BM_ReadStandardCsv)->Unit(benchmark::kMillisecond);

void BM_Convert(benchmark::State& state) {
    const Files& f = files();
    const auto interval = static_cast<qm::Interval>(state.range(0));
    for (auto _ : state) fs::remove(qm::convertInterval(f.daily, interval, f.folder));
    state.SetItemsProcessed(state.iterations() * kLines);
    state.SetLabel(interval == qm::Interval::Weekly ? "weekly" : "monthly");
}
BENCHMARK(BM_Convert)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// One fill per step back through the whole file, as when a chart is scrolled.
void BM_FillWindow(benchmark::State& state) {
    const Files& f = files();
    qm::SilentSink sink;
    auto window = std::make_unique<qm::BarWindow>();
    qm::WindowPosition position;
    std::int32_t offset = 1;
    for (auto _ : state) {
        position.offset = offset;
        qm::fillWindow(*window, position, f.daily, sink);
        offset = offset >= kLines ? 1 : offset + 997;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FillWindow);

} // namespace
