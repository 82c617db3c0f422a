#include "ParamRecords.h"

#include "ListFile.h"
#include "SettingsMessages.h"
#include "SettingsStream.h"

#include <algorithm>

namespace qm {

void TParamRecObj::ReadFrom(SettingsReader& reader) {
    symbol = reader.readText();
    file = reader.readText();
}

void TParamRecObj::WriteTo(SettingsWriter& writer) const {
    writer.writeText(symbol);
    writer.writeText(file);
}

void TSignalRecObj::ReadFrom(SettingsReader& reader) {
    TParamRecObj::ReadFrom(reader);
    interval = reader.readInteger();
}

void TSignalRecObj::WriteTo(SettingsWriter& writer) const {
    TParamRecObj::WriteTo(writer);
    writer.writeInteger(interval);
}

void TParamRecList::save(const std::filesystem::path& file) const {
    saveList(file, [this](SettingsWriter& w) {
        for (const auto& r : records) r.WriteTo(w);
    });
}

void TParamRecList::load(const std::filesystem::path& file, MessageSink& sink) {
    loadList(file, sink, settings_messages::kTroubleReadingParamList, [this](SettingsReader& r) {
        TParamRecObj record;
        record.ReadFrom(r);
        records.push_back(std::move(record));
    });
}

std::optional<std::size_t> TParamRecList::indexOfSymbol(std::string_view symbol) const {
    for (std::size_t i = 0; i < records.size(); ++i)
        if (records[i].symbol == symbol) return i;
    return std::nullopt;
}

void TParamRecList::sortBySymbol() {
    // std::string compares its characters as unsigned bytes.
    std::stable_sort(records.begin(), records.end(),
                     [](const auto& a, const auto& b) { return a.symbol < b.symbol; });
}

void TParamRecList::setEntry(std::string_view symbol, std::string_view file) {
    std::erase_if(records, [symbol](const auto& r) { return r.symbol == symbol; });
    records.emplace_back(std::string(symbol), std::string(file));
}

void TSignalRecList::save(const std::filesystem::path& file) const {
    saveList(file, [this](SettingsWriter& w) {
        for (const auto& r : records) r.WriteTo(w);
    });
}

void TSignalRecList::load(const std::filesystem::path& file, MessageSink& sink) {
    loadList(file, sink, settings_messages::kTroubleReadingSignalList, [this](SettingsReader& r) {
        TSignalRecObj record;
        record.ReadFrom(r);
        records.push_back(std::move(record));
    });
}

void loadOrCreateSettingsList(TParamRecList& list, const std::filesystem::path& file,
                              MessageSink& sink) {
    // A file whose existence cannot be told is loaded, so that its failure is reported rather
    // than the file being replaced.
    std::error_code ec;
    if (std::filesystem::exists(file, ec) || ec) {
        list.load(file, sink);
        return;
    }
    list.records.emplace_back(std::string(kDefaultsSymbol), std::string());
    list.save(file);
}

bool addFavourite(TParamRecList& favourites, std::string_view symbol, std::string_view file,
                  const std::filesystem::path& listFile, MessageSink& sink) {
    if (favourites.indexOfSymbol(symbol)) {
        sink.information(std::string(symbol) + std::string(settings_messages::kAlreadyInList));
        return false;
    }
    // The path is kept as it is: on a case-sensitive file system an upper-cased path would
    // name a file that does not exist.
    favourites.records.emplace_back(std::string(symbol), std::string(file));
    favourites.sortBySymbol();
    favourites.save(listFile);
    return true;
}

bool addChartToFavourites(TParamRecList& favourites, std::string_view title, std::string_view file,
                          const std::filesystem::path& listFile) {
    if (favourites.indexOfSymbol(title)) return false;
    favourites.records.emplace_back(std::string(title), std::string(file));
    favourites.save(listFile);
    return true;
}

} // namespace qm
