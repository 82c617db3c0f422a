#include "CliRunner.h"
#include "settings/lists/PlotRecList.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace qm {
namespace {

using test::CliRun;
using test::kAcme;

// Every bad file and option ends in a message and a failing exit status: 2 for a mistake in
// the options, 1 for input that gives no chart. No output file appears or changes, and no
// temporary file stays behind.
TEST(BadInput, EndsInAMessageAndNoOutput) {
    test::CliSandbox box;
    const auto& dir = box.dir();
    const std::string settings = box.settings().string();
    const std::string out = (dir / "out" / "chart.png").string();
    std::filesystem::create_directories(dir / "out");
    dir.write("out/chart.png", "old");

    const std::string garbage = dir.write("GARBAGE.csv", "\x01\x02 no prices here\n").string();
    const std::string fifo = (dir / "PIPE.csv").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directories(dir / "truncated");
    const auto truncated = dir / "truncated" / "Defaults.prm";
    writeFactoryDefaults(truncated);
    std::filesystem::resize_file(truncated, 100);
    std::filesystem::create_directories(dir / "badlist");
    dir.write("badlist/PrmsList.Lst", "not a settings list");
    const std::string emptyOsl = dir.write("empty.osl", "").string();
    std::filesystem::create_directories(dir / "osl-folder.osl");

    struct Case {
        std::vector<std::string> args;
        int status;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{"chart", (dir / "MISSING.csv").string(), "-o", out}, 1, "\nCannot be found."},
        {{"chart", garbage, "-o", out}, 1, "Dang! Can't digest data in file(s) ... \nGARBAGE.csv"},
        {{"chart", fifo, "-o", out}, 1, "Dang! Can't digest data in file(s)"},
        {{"chart", kAcme, "--vs", (dir / "MISSING.csv").string(), "-o", out},
         1,
         "Dang! Can't digest data in file(s)"},
        {{"chart", kAcme, "--add", "nonsense", "-o", out}, 2, "bad value 'nonsense' for --add"},
        {{"chart", kAcme, "--add", "31", "-o", out}, 2, "bad value '31' for --add"},
        {{"chart", kAcme, "--add", "rsi:0", "-o", out},
         2,
         "bad value 'rsi:0' for --add: Lookback length must be 0.5 to 250, not 0"},
        {{"chart", kAcme, "--add", "sdband:2.5", "-o", out},
         2,
         "Mov Avg length must be a whole number 3 to 100, not 2.5"},
        {{"chart", kAcme, "--add", "rsi:14,3", "-o", out},
         2,
         "takes at most 1 parameter: Lookback length"},
        {{"chart", kAcme, "--add", "volume:1", "-o", out}, 2, "has no parameters"},
        {{"chart", kAcme, "--add", "ma:20,", "-o", out}, 2, "numbers separated by commas"},
        {{"chart", kAcme, "--size", "800", "-o", out}, 2, "for --size"},
        {{"chart", kAcme, "--size", "9000x600", "-o", out}, 2, "for --size"},
        {{"chart", kAcme, "--interval", "hourly", "-o", out}, 2, "for --interval"},
        {{"chart", kAcme, "--type", "area", "-o", out}, 2, "for --type"},
        {{"chart", kAcme, "--spacing", "3", "-o", out}, 2, "for --spacing"},
        {{"chart", kAcme, "--offset", "0", "-o", out}, 2, "for --offset"},
        {{"chart", kAcme, "--offset=", "-o", out}, 2, "--offset needs a value"},
        {{"chart", kAcme, "--frobnicate", "-o", out}, 2, "unknown option '--frobnicate'"},
        {{"chart", kAcme, "-o", (dir / "out" / "chart.tiff").string()}, 2, "must end in .png"},
        {{"chart", kAcme}, 2, "no output file given"},
        {{"chart", kAcme, kAcme, "-o", out}, 2, "one price file only"},
        {{"values", kAcme, "-o", out}, 2, "unknown option '-o'"},
        {{"chart", kAcme, "--indicators", (dir / "MISSING.osl").string(), "-o", out},
         1,
         "cannot be found"},
        {{"chart", kAcme, "--indicators", (dir / "osl-folder.osl").string(), "-o", out},
         1,
         "cannot be found"},
        {{"chart", kAcme, "--settings-dir", (dir / "nowhere").string(), "-o", out},
         1,
         "does not exist"},
        {{"chart", kAcme, "--settings-dir", (dir / "truncated").string(), "-o", out},
         1,
         "Trouble reading saved oscillator settings."},
        {{"chart", kAcme, "--settings-dir", (dir / "badlist").string(), "-o", out},
         1,
         "cannot read"},
        {{"chart", kAcme, "--offset", "100000", "-o", out}, 1, "lies beyond the 2764 bars"},
        {{"chart", kAcme, "-o", (dir / "nowhere" / "chart.png").string()}, 1, "cannot save"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        if (std::find(args.begin(), args.end(), "--settings-dir") == args.end())
            args.insert(args.end(), {"--settings-dir", settings});
        std::string line;
        for (const auto& a : c.args) line += a + " ";
        SCOPED_TRACE(line);
        const CliRun r = box.run(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(test::readFile(out), "old");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "out"), {}), 1);
        EXPECT_TRUE(std::filesystem::is_empty(box.temp()));
    }
    // An empty request file asks for the price chart alone.
    const CliRun empty =
        box.run({"values", kAcme, "--indicators", emptyOsl, "--settings-dir", settings});
    EXPECT_EQ(empty.status, 0) << empty.err;
}

} // namespace
} // namespace qm
