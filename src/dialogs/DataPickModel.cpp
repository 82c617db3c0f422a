#include "DataPickModel.h"

#include "market/PriceFileFolders.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsStream.h"

#include <algorithm>

namespace qm {

namespace fs = std::filesystem;
namespace sf = settings_files;

namespace {

bool hasMask(std::string_view name) {
    return name.find_first_of("*?") != std::string_view::npos;
}

bool fileExists(const fs::path& file) {
    std::error_code ec;
    return fs::exists(file, ec);
}

std::string upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

} // namespace

std::string pickedSymbol(const fs::path& file) {
    std::string symbol = file.stem().string();
    if (const auto cut = symbol.find(" ="); cut != std::string::npos) symbol.resize(cut);
    const auto first = symbol.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return symbol.substr(first, symbol.find_last_not_of(' ') - first + 1);
}

DataPickModel::DataPickModel(TParamRecList& favourites, TSignalRecList& signals,
                             fs::path settingsFolder, MessageSink& sink)
    : favourites_(favourites), signals_(signals), settingsFolder_(std::move(settingsFolder)),
      sink_(sink) {}

fs::path DataPickModel::favouritesFile() const {
    return settingsFolder_ / sf::kFavourites;
}

fs::path DataPickModel::signalsFile() const {
    return settingsFolder_ / sf::kSignalList;
}

void DataPickModel::start(const fs::path& folder, int interval, ChartOption option) {
    setFolder(folder);
    interval_ = interval;
    option_ = option;
    ratio_ = {};
    favouritesTicked_ = false;
    signalsTicked_ = false;
    loadFavourites();
}

void DataPickModel::setFolder(const fs::path& folder) {
    folder_ = folder;
    folderFiles_ = priceFilesIn(folder);
    picked_ = "*.csv";
}

bool DataPickModel::pickedIsFile() const {
    return !picked_.empty() && !hasMask(picked_);
}

void DataPickModel::setOption(ChartOption option) {
    option_ = option;
    if (option == ChartOption::RelativeStrength) favouritesTicked_ = false;
    ratio_ = {};
}

bool DataPickModel::setRatioFile(int which) {
    if (!pickedIsFile()) return false;
    ratio_.at(static_cast<std::size_t>(which)) = folder_ / picked_;
    return true;
}

const fs::path& DataPickModel::ratioFile(int which) const {
    return ratio_.at(static_cast<std::size_t>(which));
}

std::string DataPickModel::ratioSymbol(int which) const {
    const fs::path& file = ratioFile(which);
    return file.empty() ? std::string() : pickedSymbol(file);
}

void DataPickModel::showFavourites() {
    list_ = ListKind::Favourites;
    shown_.clear();
    for (const auto& r : favourites_.records) shown_.push_back(r.symbol);
    std::sort(shown_.begin(), shown_.end());
}

void DataPickModel::loadFavourites() {
    favourites_.clear();
    favouritesWhole_ = !settingsFolder_.empty();
    if (favouritesWhole_ && fileExists(favouritesFile())) {
        try {
            favourites_.load(favouritesFile(), sink_);
        } catch (const SettingsError& e) {
            favouritesWhole_ = false;
            sink_.error(e.what());
        }
    }
    showFavourites();
}

void DataPickModel::saveFavourites() {
    if (!favouritesWhole_) return;
    try {
        favourites_.save(favouritesFile());
    } catch (const SettingsError& e) {
        sink_.error(e.what());
    }
}

void DataPickModel::deleteFavouritesFile() {
    if (!favouritesWhole_) return;
    std::error_code ec;
    fs::remove(favouritesFile(), ec);
}

void DataPickModel::tickFavourites(bool on) {
    favouritesTicked_ = on;
    if (!on || list_ == ListKind::Favourites) return;
    signalsTicked_ = false;
    signals_.clear();
    loadFavourites();
}

void DataPickModel::tickSignals(bool on) {
    signalsTicked_ = on;
    if (!on) return;
    if (list_ == ListKind::Favourites) {
        if (favourites_.records.empty()) {
            deleteFavouritesFile();
        } else {
            saveFavourites();
        }
    }
    list_ = ListKind::Signals;
    shown_.clear();
    signals_.clear();
    if (!settingsFolder_.empty() && fileExists(signalsFile())) {
        try {
            signals_.load(signalsFile(), sink_);
        } catch (const SettingsError& e) {
            sink_.error(e.what());
        }
    }
    for (const auto& r : signals_.records) shown_.push_back(r.symbol);
    favouritesTicked_ = false;
    favourites_.clear();
}

bool DataPickModel::acceptsDrops() const {
    return list_ == ListKind::Favourites && favouritesWhole_ &&
           option_ != ChartOption::RelativeStrength;
}

std::optional<std::size_t> DataPickModel::dropFile(const fs::path& file) {
    if (!acceptsDrops()) return std::nullopt;
    const std::string symbol = pickedSymbol(file);
    if (symbol.empty()) return std::nullopt;
    try {
        if (!addFavourite(favourites_, symbol, file.string(), favouritesFile(), sink_))
            return std::nullopt;
    } catch (const SettingsError& e) { // added, but not saved
        sink_.error(e.what());
    }
    showFavourites();
    return static_cast<std::size_t>(std::find(shown_.begin(), shown_.end(), symbol) -
                                    shown_.begin());
}

void DataPickModel::removeLines(std::vector<std::size_t> lines) {
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    // From the last to the first, so that each index still names its line.
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        if (*it >= shown_.size()) continue;
        if (list_ == ListKind::Favourites) {
            const std::string& symbol = shown_[*it];
            std::erase_if(favourites_.records, [&](const auto& r) { return r.symbol == symbol; });
        } else {
            signals_.records.erase(signals_.records.begin() + static_cast<std::ptrdiff_t>(*it));
        }
        shown_.erase(shown_.begin() + static_cast<std::ptrdiff_t>(*it));
    }
    if (list_ == ListKind::Favourites) saveFavourites();
}

void DataPickModel::leaveList() {
    if (list_ == ListKind::Favourites && shown_.empty()) deleteFavouritesFile();
}

DataPickChoice DataPickModel::choice(fs::path first, fs::path second) const {
    DataPickChoice c;
    c.folder = folder_;
    c.folderFiles = folderFiles_;
    c.interval = interval_;
    c.option = option_;
    c.useFavourites = favouritesTicked_;
    c.useSignals = signalsTicked_;
    c.firstFile = std::move(first);
    c.secondFile = std::move(second);
    return c;
}

std::optional<DataPickChoice> DataPickModel::draw() {
    if (upper(fs::path(picked_).extension().string()) == ".GRP") return std::nullopt;
    if (favouritesTicked_) {
        if (shown_.empty() || favourites_.records.empty()) {
            favouritesTicked_ = false;
            return std::nullopt;
        }
        favourites_.sortBySymbol();
        saveFavourites();
        return choice(favourites_.records.front().file, {});
    }
    if (signalsTicked_) {
        if (shown_.empty() || signals_.records.empty()) {
            signalsTicked_ = false;
            return std::nullopt;
        }
        // The signal list is the scanner's file: it is charted as it stands, never written.
        return choice(signals_.records.front().file, {});
    }
    if (picked_.empty()) return std::nullopt;
    if (option_ == ChartOption::RelativeStrength) {
        const fs::path& first = ratio_[0];
        const fs::path& second = ratio_[1];
        if (upper(second.extension().string()) == upper(fs::path(picked_).extension().string()) &&
            first != second && !hasMask(first.string()) && !hasMask(second.string())) {
            if (fileExists(first) && fileExists(second)) return choice(first, second);
            return std::nullopt;
        }
    }
    const fs::path file = folder_ / picked_;
    if (hasMask(picked_) || !fileExists(file)) return std::nullopt;
    return choice(file, {});
}

} // namespace qm
