#include "PlotEditorModel.h"

#include "EditorMessages.h"
#include "market/AsciiFileReader.h"
#include "settings/SettingsFiles.h"

#include <algorithm>
#include <system_error>

namespace qm {

namespace em = editor_messages;
namespace sf = settings_files;

namespace {

bool isFile(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec);
}

// A set short of records is completed from the factory set, so that every kind has its record
// and a save makes the file whole; records beyond the set are kept as they are.
void completeSet(TPlotRecList& set) {
    if (set.records.size() >= kSettingsSetSize) return;
    TPlotRecList factory = factoryDefaultSet();
    for (std::size_t k = set.records.size(); k < kSettingsSetSize; ++k)
        set.records.push_back(std::move(factory.records[k]));
}

} // namespace

void applyChartPages(TOscObj& price, const ChartPages& pages) {
    if (pages.style >= 0 && pages.style <= 4)
        price.SetStyle(static_cast<std::uint8_t>(pages.style));
    price.Colors[0] = pages.colours[ChartPages::Background];
    price.Colors[1] = pages.colours[ChartPages::PriceBars];
    price.Colors[2] = pages.colours[ChartPages::ScaleText];
    price.Colors[3] = pages.colours[ChartPages::ScaleText];
    price.FontSize = pages.fontSize;
}

PlotEditorModel::PlotEditorModel(std::filesystem::path settingsFolder, TParamRecList& settingsList,
                                 MessageSink& sink)
    : folder_(std::move(settingsFolder)), list_(settingsList), sink_(sink),
      working_(factoryDefaultSet()), symbol_(kDefaultsSymbol) {
    try {
        if (!isFile(defaultsFile())) writeFactoryDefaults(defaultsFile());
    } catch (const std::exception& e) {
        sink_.error(e.what());
    }
    loadChartPages();
}

std::vector<std::string> PlotEditorModel::symbols() const {
    std::vector<std::string> out;
    for (const TParamRecObj& entry : list_.records)
        if (!entry.symbol.empty()) out.push_back(entry.symbol);
    if (std::find(out.begin(), out.end(), kDefaultsSymbol) == out.end())
        out.insert(out.begin(), std::string(kDefaultsSymbol));
    return out;
}

std::filesystem::path PlotEditorModel::defaultsFile() const {
    return folder_ / sf::kDefaultSettings;
}

std::filesystem::path PlotEditorModel::fileOf(std::string_view symbol) const {
    if (symbol == kDefaultsSymbol) return defaultsFile();
    if (symbol.empty()) return {};
    const auto index = list_.indexOfSymbol(symbol);
    if (!index) return {};
    return folder_ / sf::symbolSettingsFileName(list_.records[*index].file);
}

void PlotEditorModel::selectSymbol(std::string_view symbol) {
    std::filesystem::path file = fileOf(symbol);
    symbol_ = symbol;
    if (file.empty() || !isFile(file)) {
        file = defaultsFile();
        symbol_ = kDefaultsSymbol;
    }
    file_ = file;
    loaded_ = false;

    TPlotRecList loaded;
    try {
        if (file_ == defaultsFile() && !isFile(file_)) writeFactoryDefaults(file_);
        loaded.load(file_, sink_);
        loaded_ = true;
    } catch (const std::exception& e) {
        sink_.error(e.what());
    }
    // What could not be read whole is never the working copy: a save would cut the file short.
    working_ = loaded_ ? std::move(loaded) : factoryDefaultSet();
    completeSet(working_);
    loadChartPages();
}

TOscObj& PlotEditorModel::record(int kind) {
    return *working_.records.at(static_cast<std::size_t>(kind));
}

const TOscObj& PlotEditorModel::record(int kind) const {
    return *working_.records.at(static_cast<std::size_t>(kind));
}

void PlotEditorModel::loadChartPages() {
    const TOscObj& price = record(0);
    pages_.style = price.Style;
    pages_.colours = {price.Colors[0], price.Colors[1], price.Colors[3]};
    pages_.fontSize = std::clamp(price.FontSize, kMinFontSize, kMaxFontSize);
}

bool PlotEditorModel::save() {
    if (!loaded_) return false;
    applyChartPages(record(0), pages_);
    try {
        working_.save(file_);
        return true;
    } catch (const std::exception& e) {
        sink_.error(e.what());
        return false;
    }
}

PlotEditorModel::SaveAsOutcome PlotEditorModel::saveAs(const std::filesystem::path& sourceFile) {
    if (!isFile(sourceFile)) return SaveAsOutcome::Refused;
    const std::string symbol = titlesFromFileName(sourceFile).title;
    // "Defaults" names the default set, which no price file can take over.
    if (symbol.empty() || symbol == kDefaultsSymbol) return SaveAsOutcome::Refused;

    applyChartPages(record(0), pages_);
    try {
        working_.save(folder_ / sf::symbolSettingsFileName(sourceFile));
    } catch (const std::exception& e) {
        sink_.error(e.what());
        return SaveAsOutcome::Failed;
    }
    list_.setEntry(symbol, sourceFile.string());
    selectSymbol(symbol);
    return SaveAsOutcome::Saved;
}

bool PlotEditorModel::deleteSymbol() {
    if (symbol_ == kDefaultsSymbol || file_ == defaultsFile()) {
        sink_.information(em::kKeepDefaults);
        return false;
    }
    if (!sink_.confirm(std::string(em::kConfirmDelete) + symbol_ + "?")) return false;
    std::error_code ec;
    std::filesystem::remove(file_, ec);
    if (ec) {
        sink_.error(std::string(em::kCannotDelete) + file_.string() + ": " + ec.message());
        return false;
    }
    if (const auto index = list_.indexOfSymbol(symbol_))
        list_.records.erase(list_.records.begin() + static_cast<std::ptrdiff_t>(*index));
    loaded_ = false;
    return true;
}

void PlotEditorModel::restoreFactorySettings() {
    try {
        writeFactoryDefaults(defaultsFile());
    } catch (const std::exception& e) {
        sink_.error(e.what());
    }
}

} // namespace qm
