#include "market/PriceFileFolders.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;

TEST(PriceFileFolders, SymbolOfFileName) {
    struct Case {
        const char* name;
        const char* symbol;
    };
    const Case cases[] = {
        {"IBM.csv", "IBM"},
        {"IBM = International Business Machines.csv", "IBM"},
        {"EURUSD=X.csv", "EURUSD=X"}, // an "=" without a blank before it is part of the symbol
        {"BRK-B = Berkshire = B shares.csv", "BRK-B"},
        {"MSFT.CSV", "MSFT"},
        {"notes.txt", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(symbolOfFileName(c.name), c.symbol) << c.name;
}

TEST(PriceFileFolders, ParentFolder) {
    EXPECT_EQ(parentFolder("/data/Quillmar/CSV"), "/data/Quillmar");
    EXPECT_EQ(parentFolder("/data/Quillmar/CSV/"), "/data/Quillmar/CSV");
    EXPECT_EQ(parentFolder("CSV"), "");
}

struct PriceFolders : testing::Test {
    test::TempDir dir;
    PriceFolders() {
        for (const char* folder : {"CSV", "Yahoo Data", "google data", ".hidden", "empty"})
            fs::create_directories(dir / folder);
        for (const char* file :
             {"CSV/IBM.csv", "CSV/acme = Acme.CSV", "CSV/Zeta.csv", "CSV/notes.txt",
              "CSV/.secret.csv", "CSV/AAA.csv.Qx12", "Yahoo Data/IBM.csv", "google data/IBM.csv",
              ".hidden/HID.csv", "loose.csv"})
            dir.write(file, "x");
        fs::create_directories(dir / "CSV" / "Folder.csv");
        fs::create_symlink(dir / "CSV" / "Zeta.csv", dir / "Yahoo Data" / "Linked.csv");
        fs::create_symlink(dir / "nowhere.csv", dir / "Yahoo Data" / "Broken.csv");
    }
};

TEST_F(PriceFolders, OneFolderListsItsPriceFilesWithoutRegardToCase) {
    EXPECT_EQ(priceFilesIn(dir / "CSV"),
              (std::vector<std::string>{"acme = Acme.CSV", "IBM.csv", "Zeta.csv"}));
    EXPECT_TRUE(priceFilesIn(dir / "missing").empty());
}

TEST_F(PriceFolders, TheFoldersBesideListOneSymbolOnAdjacentLines) {
    std::vector<std::string> lines;
    for (const auto& e : listPriceFiles(dir.path()))
        lines.push_back(e.name + " in " + fs::path(e.folder).filename().string());
    EXPECT_EQ(lines, (std::vector<std::string>{"acme = Acme.CSV in CSV", "IBM.csv in CSV",
                                               "IBM.csv in google data", "IBM.csv in Yahoo Data",
                                               "Linked.csv in Yahoo Data", "Zeta.csv in CSV"}));
    EXPECT_EQ(listPriceFiles(dir.path()).front().path(), dir / "CSV" / "acme = Acme.CSV");
    EXPECT_TRUE(listPriceFiles(dir / "missing").empty());
}

} // namespace
} // namespace qm
