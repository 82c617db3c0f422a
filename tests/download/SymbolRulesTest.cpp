#include "download/GoogleXfer.h"
#include "download/NasdaqXfer.h"
#include "download/OtcXfer.h"
#include "download/QuoteMediaXfer.h"
#include "download/SymbolFiles.h"
#include "download/TickerList.h"
#include "download/YahooXfer.h"
#include "market/Calendar.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qm::download {
namespace {

TEST(CleanSymbolName, MakesCompanyNamesFitForFileNames) {
    const std::pair<std::string, std::string> cases[] = {
        {"Acme, Inc.", "Acme Inc"},
        {"International Business Machines Corporation", "Intl Business Machines Corp"},
        {"AT\\u0026T Inc.", "AT&T Inc"},
        {"Johnson &amp; Johnson", "Johnson & Johnson"},
        {"McDonald\\u0027s CORPORATION", "McDonalds Corp"},
        {"A/B\\C=D", "A-B-C-D"},
        {"Limited Company Limited Company", "Ltd Co Limited Company"},
        {"Incorporated International", "Inc Intl"},
        // Every other JSON escape is its character, in UTF-8.
        {"Soci\\u00e9t\\u00E9 G\\u00e9n\\u00e9rale",
         "Soci\xC3\xA9t\xC3\xA9 G\xC3\xA9n\xC3\xA9rale"},
        {"Smile \\ud83d\\ude00 Ltd", "Smile \xF0\x9F\x98\x80 Ltd"},
        {"Lone\\ud83d \\ude00Halves", "Lone Halves"},
        {"A\\u002fB\\u002eC\\u003dD", "A-BC-D"},
        {"Not \\u00zz \\u00e", "Not -u00zz -u00e"},
        {"Kept \\\\u00e9", "Kept --u00e9"},
    };
    for (const auto& [name, expected] : cases) EXPECT_EQ(cleanSymbolName(name), expected) << name;
}

TEST(DownloadFileName, StaysInsideItsFolderAndWithinTheLengthLimit) {
    const std::string longName(300, 'x');
    const std::string longSymbol(300, 's');
    // "é" is two bytes and straddles the cut.
    const std::string straddling = std::string(189, 'x') + "\xC3\xA9";
    const std::pair<std::pair<std::string, std::string>, std::string> cases[] = {
        {{"IBM", ""}, "IBM.csv"},
        {{"IBM", "Intl Business Machines Corp"}, "IBM = Intl Business Machines Corp.csv"},
        {{"EURUSD=X", ""}, "EURUSD=X.csv"},
        {{"../../etc/passwd", ""}, "..-..-etc-passwd.csv"},
        {{"IBM", "Evil/../../x"}, "IBM = Evil-..-..-x.csv"},
        {{"A\tB\nC", "x\ry\x7f"}, "ABC = xy.csv"},
        {{"A = B", ""}, "A - B.csv"},
        {{"IBM", "  "}, "IBM.csv"},
        {{"IBM", longName}, "IBM = " + std::string(190, 'x') + ".csv"},
        {{longSymbol, "Name"}, std::string(196, 's') + ".csv"},
        {{"IBM", straddling}, "IBM = " + std::string(189, 'x') + ".csv"},
    };
    for (const auto& [in, expected] : cases) {
        const std::string name = downloadFileName(in.first, in.second);
        EXPECT_EQ(name, expected);
        EXPECT_LE(name.size(), kMaxFileNameBytes);
    }
}

TEST(SymbolFiles, FindTheSymbolsFilesWithAndWithoutNames) {
    test::TempDir dir;
    for (const char* name : {"IBM.csv", "ibm = Old Name.csv", "IBMX.csv", "IBM = Notes.txt",
                             "EURUSD=X.csv", "eurusd=x = Euro.csv", "IB.csv"})
        dir.write(name, "x");
    std::filesystem::create_directory(dir / "IBM = Folder.csv");

    const auto names = [](const std::vector<std::filesystem::path>& files) {
        std::vector<std::string> out;
        for (const auto& f : files) out.push_back(f.filename().string());
        return out;
    };
    EXPECT_EQ(names(symbolFiles(dir.path(), "IBM = Intl Business Machines Corp.csv")),
              (std::vector<std::string>{"IBM.csv", "ibm = Old Name.csv"}));
    EXPECT_EQ(names(symbolFiles(dir.path(), "IBM.csv")),
              (std::vector<std::string>{"IBM.csv", "ibm = Old Name.csv"}));
    EXPECT_EQ(names(symbolFiles(dir.path(), "EURUSD=X.csv")),
              (std::vector<std::string>{"EURUSD=X.csv", "eurusd=x = Euro.csv"}));
    EXPECT_TRUE(symbolFiles(dir.path(), "MSFT.csv").empty());
    EXPECT_TRUE(symbolFiles(dir / "missing", "IBM.csv").empty());
}

TEST(TickerList, SortsWithoutRegardToCaseAndKeepsEachSymbolOnce) {
    EXPECT_EQ(sortTickers({"msft", "IBM", "^DJI", "ibm", "AAPL", " spy"}),
              (std::vector<std::string>{" spy", "^DJI", "AAPL", "IBM", "msft"}));
}

TEST(ServiceSymbols, RequestAndFileSymbols) {
    const auto yahoo = [](const char* s) {
        const auto r = yahooSymbols(s);
        return r.request + " " + r.file;
    };
    EXPECT_EQ(yahoo("BRK-B"), "BRK:B BRK-B");
    EXPECT_EQ(yahoo("^gspc"), "^GSPC ^gspc");

    const auto google = [](const char* s, bool names) {
        const auto r = googleSymbols(s, names);
        return r.request + " " + r.file + " " + r.shortSymbol;
    };
    EXPECT_EQ(google("ETR:SIE", false), "ETR:SIE ETR-SIE SIE");
    EXPECT_EQ(google("PINK:VLKAY", true), "PINK:VLKAY PINK-VLKAY VLKAY");
    EXPECT_EQ(google("lon-bp", false), "LON:BP lon-bp bp");
    EXPECT_EQ(google("lon-bp", true), "LON:BP LON-BP bp");
    EXPECT_EQ(google("NYSE:.DJI", false), "NYSE:.DJI NYSE-DJI .DJI");
    EXPECT_EQ(google("aapl", false), "AAPL aapl aapl");

    const auto otc = [](const char* s) {
        const auto r = otcSymbols(s);
        return r.request + " " + r.file;
    };
    EXPECT_EQ(otc("brk/a"), "BRK/A brka");
    EXPECT_EQ(otc("OTC:ABC"), "OTC:ABC OTC-ABC");

    const auto qmedia = [](const char* s) {
        const auto r = quoteMediaSymbols(s);
        return r.request + " " + r.file + " " + r.lookup;
    };
    EXPECT_EQ(qmedia("~GC-CMX"), "/GC:CMX ~GC-CMX /GC:CMX");
    EXPECT_EQ(qmedia("~gc-cmx"), "/GC:CMX ~gc-cmx /gc:cmx");
    EXPECT_EQ(qmedia("BP-LN"), "BP:LN BP-LN BP:LN");
    EXPECT_EQ(qmedia("^DJI!"), "^DJI! ^DJI ^DJI!");

    EXPECT_EQ(nasdaqFileSymbol("BRK.B"), "BRKB");
    EXPECT_EQ(nasdaqFileSymbol("BRK/B"), "BRKSpB");
    EXPECT_EQ(nasdaqFileSymbol("A:B"), "A-B");
}

TEST(ServiceDates, NasdaqPeriodCodesAndOtcMilliseconds) {
    const std::pair<int, const char*> periods[] = {
        {0, "5d"},   {5, "5d"},    {6, "1m"},    {21, "1m"},   {31, "1m"},   {32, "3m"},
        {92, "3m"},  {93, "1y"},   {370, "1y"},  {371, "2y"},  {400, "2y"},  {730, "2y"},
        {731, "3y"}, {1095, "3y"}, {1096, "5y"}, {1825, "5y"}, {1826, "6y"}, {2000, "6y"}};
    for (const auto& [days, code] : periods) EXPECT_EQ(nasdaqPeriodCode(days), code) << days;

    EXPECT_EQ(otcMilliseconds(*encodeDate(1970, 1, 1)), 0);
    EXPECT_EQ(otcMilliseconds(*encodeDate(2016, 1, 1)), 1451606400000);
    EXPECT_EQ(otcMilliseconds(*encodeDate(2016, 1, 1) + 0.75), 1451606400000);
}

} // namespace
} // namespace qm::download
