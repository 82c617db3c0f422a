#include "app/SymbolSearch.h"

#include "app/FileList.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;

TEST(SymbolSearch, TypedText) {
    struct Case {
        const char* typed;
        const char* symbol;
    };
    const Case cases[] = {
        {"brk:b", "BRK-B"},       {"  ibm ", "IBM"}, {"a:b:c", "A-B:C"},
        {"eurusd=x", "EURUSD=X"}, {"   ", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(symbolFromTypedText(c.typed), c.symbol) << c.typed;
}

TEST(SymbolSearch, FindsTheFileInTheFoldersBesideTheDataFolder) {
    test::TempDir dir;
    for (const char* folder : {"CSV", "Google Data", "Yahoo Data", "empty", ".hidden"})
        fs::create_directories(dir / folder);
    const auto put = [&](const char* folder, const char* name) {
        return dir.write(std::string(folder) + "/" + name, "x");
    };
    put("CSV", "ACME = Acme Industries.csv");
    put("Google Data", "IBM.csv");
    const auto yahooIbm = put("Yahoo Data", "IBM.csv");
    put("CSV", "ibm.csv");
    const auto euro = put("Yahoo Data", "EURUSD=X.csv");
    put(".hidden", "HID.csv");
    put("CSV", "TMP.csv.Ab12Cd"); // a leftover of a save, not a price file
    fs::create_directories(dir / "CSV" / "DIR.csv");

    const fs::path base = dir / "CSV";
    EXPECT_EQ(findSymbolFile(base, "ACME"), dir / "CSV" / "ACME = Acme Industries.csv");
    // Case counts; of two folders, the first in text order wins ("Google Data" before "Yahoo").
    EXPECT_EQ(findSymbolFile(base, "IBM"), dir / "Google Data" / "IBM.csv");
    EXPECT_EQ(findSymbolFile(base, "ibm"), dir / "CSV" / "ibm.csv");
    EXPECT_EQ(findSymbolFile(base, "EURUSD=X"), euro);
    EXPECT_EQ(findSymbolFile(base, "HID"), fs::path());
    EXPECT_EQ(findSymbolFile(base, "TMP"), fs::path());
    EXPECT_EQ(findSymbolFile(base, "DIR"), fs::path());
    EXPECT_EQ(findSymbolFile(base, "Acme"), fs::path());
    fs::remove(dir / "Google Data" / "IBM.csv");
    EXPECT_EQ(findSymbolFile(base, "IBM"), yahooIbm);
    EXPECT_EQ(findSymbolFile(dir / "nothing" / "here", "IBM"), fs::path());
}

TEST(FileList, NextAndPreviousWrapAround) {
    FileList files;
    EXPECT_EQ(files.next(), nullptr);
    for (const char* f : {"/a.csv", "/b.csv", "/c.csv"}) files.append(f);
    files.current = 0;
    EXPECT_EQ(files.next()->path, "/b.csv");
    EXPECT_EQ(files.next()->path, "/c.csv");
    EXPECT_EQ(files.next()->path, "/a.csv");
    EXPECT_EQ(files.previous()->path, "/c.csv");
    EXPECT_EQ(files.previous()->path, "/b.csv");
    files.current = 7; // the list was shortened under it
    EXPECT_EQ(files.previous()->path, "/c.csv");
    EXPECT_TRUE(isGroupFile("/g/Morning.grp"));
    EXPECT_FALSE(isGroupFile("/g/Morning.GRP"));
}

} // namespace
} // namespace qm
