// Writes the binary seed files of the fuzz corpus with the program's own writers, so that the
// seeds are files the program itself would save. Usage: fuzz_seeds CORPUS_FOLDER
// (normally fuzz/corpus). Text seeds (price files, answers, patterns) are kept by hand.

#include "settings/GroupRecords.h"
#include "settings/IndicatorRequests.h"
#include "settings/ParamRecords.h"
#include "settings/SettingsStream.h"
#include "settings/lists/PlotRecList.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

using namespace qm;

namespace {

// A seed is the harness's selector byte followed by the file.
void seed(const std::filesystem::path& file, char selector, const std::filesystem::path& from) {
    std::ifstream in(from, std::ios::binary);
    std::string bytes(1, selector);
    bytes.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::ofstream(file, std::ios::binary) << bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds CORPUS_FOLDER\n");
        return 2;
    }
    const std::filesystem::path corpus = argv[1];
    const std::filesystem::path settings = corpus / "fuzz_settings";
    std::filesystem::create_directories(settings);
    const std::filesystem::path work = std::filesystem::temp_directory_path() / "qm-fuzz-seeds";
    std::filesystem::create_directories(work);

    TParamRecList params;
    params.records = {{"Defaults", ""},
                      {"ACME", "/home/user/Quotes/Daily/ACME = Acme Industries.csv"},
                      {"KRNX", "/home/user/Quotes/Daily/KRNX.csv"}};
    params.save(work / "PrmsList.Lst");
    seed(settings / "settings-list", 0, work / "PrmsList.Lst");

    TSignalRecList signals;
    signals.records = {{"BOLT", "/home/user/Quotes/Daily/BOLT.csv", 0},
                       {"Zürich Élan", "/home/user/Quotes/Weekly/ZUR.csv", 1}};
    signals.save(work / "Signals.Lst");
    seed(settings / "signal-list", 1, work / "Signals.Lst");

    TGroupRecList groups;
    TGroupRecObj chart;
    chart.title = "ACME";
    chart.sourceFile = "/home/user/Quotes/Daily/ACME = Acme Industries.csv";
    chart.interval = 1;
    chart.chartType = 4;
    chart.setSpacing(1);
    chart.left = 10;
    chart.top = 120;
    chart.width = 800;
    chart.height = 600;
    chart.entries = {{0, 1}, {2, 1}, {17, 2}, {16, 3}};
    groups.records.push_back(chart);
    TGroupRecObj ratio = chart;
    ratio.title = "ACME to QMIX";
    ratio.secondSourceFile = "/home/user/Quotes/Daily/QMIX.csv";
    ratio.entries = {{0, 1}};
    groups.records.push_back(ratio);
    groups.save(work / "Tech.grp");
    seed(settings / "group", 2, work / "Tech.grp");

    writeFactoryDefaults(work / "Defaults.prm");
    seed(settings / "defaults-prm", 3, work / "Defaults.prm");

    saveIndicatorRequests(work / "Osc_List.osl", {{0, 1}, {1, 1}, {14, 1}, {17, 2}, {27, 3}});
    seed(settings / "osc-list", 4, work / "Osc_List.osl");

    // The stream reader driven value by value: a text, an integer, floats and a boolean.
    {
        SettingsWriter w;
        w.beginList();
        w.writeText("ACME");
        w.writeInteger(70000);
        w.writeFloat(13.9);
        w.writeFloat(0.025);
        w.writeBoolean(true);
        w.endList();
        const std::string ops = {0, 7, 3, 5, 6, 4, 1, 2};
        std::ofstream(settings / "stream-walk", std::ios::binary)
            << char(5) << char(ops.size()) << ops << w.bytes();
    }

    // Indicator inputs are read by the harness as a stream of choices; a few fixed random
    // blocks of different lengths start it on short and full windows.
    const std::filesystem::path indicators = corpus / "fuzz_indicators";
    std::filesystem::create_directories(indicators);
    std::mt19937 random(20161230);
    for (const std::size_t length : {64, 600, 2500, 6000}) {
        std::string bytes(length, '\0');
        for (char& b : bytes) b = static_cast<char>(random());
        std::ofstream(indicators / ("window-" + std::to_string(length)), std::ios::binary) << bytes;
    }
    // Charts opened from the sample price files: daily with the price chart, an average, bands
    // and the RSI; weekly; monthly with a settings set from the input.
    const std::filesystem::path loader = corpus / "fuzz_chart_loader";
    std::filesystem::create_directories(loader);
    const auto firstLines = [](const std::filesystem::path& file, int count) {
        std::ifstream in(file, std::ios::binary);
        std::string text, line;
        for (int i = 0; i < count && std::getline(in, line); ++i) text += line + "\n";
        return text;
    };
    const std::filesystem::path samples = QM_SAMPLES_DIR;
    const auto chartSeed = [&](const std::string& name, char mode, const std::string& requests,
                               const std::string& file) {
        std::ofstream(loader / name, std::ios::binary)
            << mode << char(requests.size() / 2) << requests << file;
    };
    chartSeed("daily", 0, std::string{0, 1, 1, 1, 14, 1, 17, 2},
              firstLines(samples / "ACME = Acme Industries.csv", 80));
    chartSeed("weekly-highs-lows", 1, std::string{0, 1, 10, 1, 27, 2, 19, 3},
              firstLines(samples / "BOLT.csv", 120));
    {
        std::ifstream defaults(work / "Defaults.prm", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(defaults)),
                                std::istreambuf_iterator<char>());
        chartSeed("monthly-own-settings", 2 | 8, std::string{0, 1, 5, 1, 16, 2, 30, 3},
                  firstLines(samples / "KRNX.csv", 200) + "--8<--\n" + bytes);
    }
    std::filesystem::remove_all(work);
    return 0;
}
