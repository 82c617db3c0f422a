// Throughput of the download engine's local work: converting a service's answer into a price
// file, decoding a gzip answer, and merging three weeks of new rows into a ten-year price file.

#include "download/AsciiUpdater.h"
#include "download/Inflate.h"
#include "download/NasdaqXfer.h"
#include "download/YahooXfer.h"
#include "market/Calendar.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <zlib.h>

namespace {

namespace fs = std::filesystem;

// Weekdays from `first` on, newest first, as calendar dates.
std::vector<qm::CivilDate> weekdaysNewestFirst(double first, int count) {
    std::vector<qm::CivilDate> days;
    for (double d = first; static_cast<int>(days.size()) < count; ++d)
        if (qm::dayOfWeek(d) != 1 && qm::dayOfWeek(d) != 7) days.push_back(qm::decodeDate(d));
    return {days.rbegin(), days.rend()};
}

// A Yahoo answer of `rows` trading days.
std::string yahooAnswer(int rows) {
    std::string text = "Date,Open,High,Low,Close,Volume,Adj Close\n";
    char line[128];
    int i = 0;
    for (const auto& c : weekdaysNewestFirst(*qm::encodeDate(1950, 1, 2), rows)) {
        std::snprintf(line, sizeof line, "%04d-%02d-%02d,%d.25,%d.75,%d.10,%d.50,%d,%d.50\n",
                      c.year, c.month, c.day, 100 + i % 50, 101 + i % 50, 99 + i % 50,
                      100 + i % 50, 1000000 + i, 100 + i % 50);
        text += line;
        ++i;
    }
    return text;
}

std::string nasdaqAnswer(int rows) {
    std::string text = "\"date\",\"close\",\"volume\",\"open\",\"high\",\"low\"\n"
                       "\"16:00\",\"100.5\",\"1000\",\"100\",\"101\",\"99\"\n";
    char line[160];
    int i = 0;
    for (const auto& c : weekdaysNewestFirst(*qm::encodeDate(1950, 1, 2), rows)) {
        std::snprintf(line, sizeof line,
                      "\"%04d/%02d/%02d\",\"%d.50\",\"%d.0000\",\"%d.25\",\"%d.75\",\"%d.10\"\n",
                      c.year, c.month, c.day, 100 + i % 50, 1000000 + i, 100 + i % 50,
                      101 + i % 50, 99 + i % 50);
        text += line;
        ++i;
    }
    return text;
}

std::string gzipped(const std::string& text) {
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, static_cast<uLong>(text.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = static_cast<uInt>(text.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

template <class Convert>
void convertAnswer(benchmark::State& state, const std::string& answer, Convert convert) {
    const qm::FormatSettings fs = qm::FormatSettings::unitedStates();
    std::string out;
    const qm::download::TextSink sink = [&out](std::string_view text) {
        out += text;
        return true;
    };
    for (auto _ : state) {
        out.clear();
        std::istringstream in(answer);
        benchmark::DoNotOptimize(convert(in, sink, fs));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * answer.size()));
    state.counters["rows/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * static_cast<double>(state.range(0)),
        benchmark::Counter::kIsRate);
}

void BM_ConvertYahoo(benchmark::State& state) {
    convertAnswer(state, yahooAnswer(static_cast<int>(state.range(0))),
                  qm::download::convertYahooAnswer);
}
BENCHMARK(BM_ConvertYahoo)->Arg(2520)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ConvertNasdaq(benchmark::State& state) {
    convertAnswer(state, nasdaqAnswer(static_cast<int>(state.range(0))),
                  qm::download::convertNasdaqAnswer);
}
BENCHMARK(BM_ConvertNasdaq)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_DecodeGzip(benchmark::State& state) {
    const std::string text = yahooAnswer(100000);
    const std::string body = gzipped(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(qm::download::decodeContent(
            body, qm::download::ContentEncoding::Gzip, qm::download::InflateLimits{}));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_DecodeGzip)->Unit(benchmark::kMillisecond);

// Ten years of rows (2,520) with 15 new rows of three weeks, as an update merges them; the
// price file is replaced each time, flushed to disk, in the system's temporary folder.
void BM_MergeTenYears(benchmark::State& state) {
    const fs::path folder =
        fs::temp_directory_path() / ("qm-download-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const auto days = weekdaysNewestFirst(*qm::encodeDate(2006, 1, 2), 2520 + 15);
    const auto rowOf = [](const qm::CivilDate& c, int v) {
        return std::to_string(c.month) + "/" + std::to_string(c.day) + "/" +
               std::to_string(c.year) + "," + std::to_string(v) + ".5," + std::to_string(v + 1) +
               ",99.5,100.25,123400\r\n";
    };
    std::string price = "Date,Open,High,Low,Close,Volume\r\n";
    std::string update = price;
    for (std::size_t i = 0; i < days.size(); ++i)
        (i < 15 ? update : price) += rowOf(days[i], 100 + static_cast<int>(i % 50));
    const fs::path pricePath = folder / "BENCH.csv";
    const fs::path updatePath = folder / "BENCH.upd";
    std::ofstream(pricePath, std::ios::binary) << price;
    qm::TAsciiUpdater updater(qm::FormatSettings::unitedStates());
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(updatePath, std::ios::binary) << update;
        state.ResumeTiming();
        if (!updater.MergeUpdate(pricePath.string(), updatePath.string()))
            state.SkipWithError("merge refused");
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_MergeTenYears)->Unit(benchmark::kMillisecond);

} // namespace
