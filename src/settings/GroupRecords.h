#pragma once
// Chart groups: a saved arrangement of open charts, one record per chart window, kept in a
// ".grp" file of the settings stream in the settings folder's "Groups" folder.

#include "IndicatorRequests.h"
#include "market/MessageSink.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

class SettingsReader;
class SettingsWriter;

class TGroupRecObj {
public:
    void ReadFrom(SettingsReader& reader);
    void WriteTo(SettingsWriter& writer) const;

    std::int32_t spacing() const { return spacing_; }
    // Bar spacing codes run 0 to 2; anything else is brought into that range.
    void setSpacing(std::int32_t code);

    std::string title;            // the chart's title
    std::string sourceFile;       // full path of its source price file
    std::string secondSourceFile; // of a relative-strength chart; empty otherwise
    std::uint8_t sourceFileType = 0;
    std::uint8_t interval = 0;  // 0 daily, 1 weekly, 2 monthly
    std::uint8_t chartType = 0; // the price chart type of the chart's price object
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    // One (kind, pane) per object of the chart, the price object first.
    IndicatorRequestList entries;

private:
    std::int32_t spacing_ = 0;
};

class TGroupRecList {
public:
    std::vector<TGroupRecObj> records;

    void save(const std::filesystem::path& file) const;
    // Appends the file's records; see loadList (ListFile.h) for failures.
    void load(const std::filesystem::path& file, MessageSink& sink);
    void clear() { records.clear(); }

    // Drops the records whose source file does not exist (any more).
    void dropMissingSources();
};

// The name a group is saved under: the chosen name with the extension ".grp" in place of any
// other ("Tech" and "Tech.txt" both give "Tech.grp").
std::filesystem::path groupFileName(const std::filesystem::path& chosen);

// The symbol a group record's source file stands for when the group is opened: the file's name
// without folder, cut before " =" when the name holds one ("ABC = Abc Corp.csv" gives "ABC"),
// else before ".csv", else before its extension.
std::string groupRecordSymbol(std::string_view sourceFile);

} // namespace qm
