#pragma once
// The symbol lists kept between runs: the settings list ("PrmsList.Lst", which symbols have
// indicator settings of their own), the favourites ("FavSymbolsList.Lst") and the signal list
// that the sibling scanner writes ("Zorvik.Lst").

#include "market/MessageSink.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

class SettingsReader;
class SettingsWriter;

// One symbol and its source price file (empty for the settings list's entry "Defaults").
class TParamRecObj {
public:
    TParamRecObj() = default;
    TParamRecObj(std::string symbol, std::string file)
        : symbol(std::move(symbol)), file(std::move(file)) {}
    virtual ~TParamRecObj() = default;
    TParamRecObj(const TParamRecObj&) = default;
    TParamRecObj(TParamRecObj&&) = default;
    TParamRecObj& operator=(const TParamRecObj&) = default;
    TParamRecObj& operator=(TParamRecObj&&) = default;

    virtual void ReadFrom(SettingsReader& reader);
    virtual void WriteTo(SettingsWriter& writer) const;

    std::string symbol; // as shown to the user
    std::string file;   // full path of the source price file
};

// One line of the signal list: also the interval code at which the signal was found.
class TSignalRecObj final : public TParamRecObj {
public:
    TSignalRecObj() = default;
    TSignalRecObj(std::string symbol, std::string file, std::int32_t interval)
        : TParamRecObj(std::move(symbol), std::move(file)), interval(interval) {}

    void ReadFrom(SettingsReader& reader) override;
    void WriteTo(SettingsWriter& writer) const override;

    std::int32_t interval = 0;
};

class TParamRecList {
public:
    std::vector<TParamRecObj> records;

    void save(const std::filesystem::path& file) const;
    // Appends the file's records; see loadList (ListFile.h) for failures.
    void load(const std::filesystem::path& file, MessageSink& sink);
    void clear() { records.clear(); }

    // The first record with exactly this symbol.
    std::optional<std::size_t> indexOfSymbol(std::string_view symbol) const;
    // Byte-wise by symbol, so upper case comes before lower case.
    void sortBySymbol();
    // Settings list: the symbol's entry, if any, is replaced by a new one at the end.
    void setEntry(std::string_view symbol, std::string_view file);
};

class TSignalRecList {
public:
    std::vector<TSignalRecObj> records;

    void save(const std::filesystem::path& file) const;
    void load(const std::filesystem::path& file, MessageSink& sink);
    void clear() { records.clear(); }
};

// The settings list's own entry, with an empty file.
inline constexpr std::string_view kDefaultsSymbol = "Defaults";

// Start-up: loads the settings list from `file`, or when the file is missing makes it the single
// entry "Defaults" and saves it at once.
void loadOrCreateSettingsList(TParamRecList& list, const std::filesystem::path& file,
                              MessageSink& sink);

// From the data pick dialog: a symbol already present is refused with "<symbol> is already in
// the list." (information); otherwise the entry is appended, the list sorted and saved to
// `listFile`. Returns whether it was added.
bool addFavourite(TParamRecList& favourites, std::string_view symbol, std::string_view file,
                  const std::filesystem::path& listFile, MessageSink& sink);

// From a chart: appends the chart unless its title is already present, and then saves the list,
// unsorted. Returns whether it was added.
bool addChartToFavourites(TParamRecList& favourites, std::string_view title, std::string_view file,
                          const std::filesystem::path& listFile);

} // namespace qm
