#pragma once
// The data pick dialog without its window: the folder and the file picked in it, the interval
// and chart option, the pair of a relative-strength chart, and the symbol list beside them,
// which shows either the favourites ("FavSymbolsList.Lst", edited here) or the signal list that
// the sibling scanner leaves in "Zorvik.Lst". That file belongs to the scanner: it is read here
// and never written or deleted. A favourites file that could not be read whole is never written
// over or deleted either.

#include "market/MessageSink.h"
#include "settings/ParamRecords.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qm {

enum class ChartOption { PriceOnly = 0, SavedIndicators = 1, RelativeStrength = 2 };

// What a confirmed data pick dialog hands the open command.
struct DataPickChoice {
    std::filesystem::path folder;         // the folder shown
    std::vector<std::string> folderFiles; // its price files as listed, in order
    int interval = 0;                     // 0 daily, 1 weekly, 2 monthly
    ChartOption option = ChartOption::PriceOnly;
    bool useFavourites = false;
    bool useSignals = false;
    std::filesystem::path firstFile;
    std::filesystem::path secondFile; // only for a relative-strength pair
};

// The symbol a picked file stands for: its name before the extension, cut before " =" when the
// name holds one, without surrounding blanks ("IBM = Intl Business.csv" gives "IBM").
std::string pickedSymbol(const std::filesystem::path& file);

class DataPickModel {
public:
    enum class ListKind { Favourites, Signals };

    // The lists are the program's working lists; `settingsFolder` holds their files.
    DataPickModel(TParamRecList& favourites, TSignalRecList& signals,
                  std::filesystem::path settingsFolder, MessageSink& sink);

    // The dialog opens on `folder` with the interval and chart option chosen last; both boxes
    // unticked, the favourites read afresh and shown.
    void start(const std::filesystem::path& folder, int interval, ChartOption option);

    // The folder and its price files.
    const std::filesystem::path& folder() const { return folder_; }
    const std::vector<std::string>& folderFiles() const { return folderFiles_; }
    void setFolder(const std::filesystem::path& folder);
    // The picked file's name, or the mask before one is picked.
    const std::string& picked() const { return picked_; }
    void pick(std::string name) { picked_ = std::move(name); }
    // Whether the picked name is a name and no mask ("*" or "?").
    bool pickedIsFile() const;

    int interval() const { return interval_; }
    void setInterval(int interval) { interval_ = interval; }
    ChartOption option() const { return option_; }
    // Any choice clears the pair; a relative-strength chart also unticks the favourites box.
    void setOption(ChartOption option);

    // "File 1" (0) or "File 2" (1): the picked file becomes that part of the pair. False when
    // nothing is picked.
    bool setRatioFile(int which);
    const std::filesystem::path& ratioFile(int which) const;
    // The symbol shown for that part of the pair; empty when it is not set.
    std::string ratioSymbol(int which) const;

    // The symbol list.
    ListKind shownList() const { return list_; }
    const std::vector<std::string>& shown() const { return shown_; }
    bool favouritesTicked() const { return favouritesTicked_; }
    bool signalsTicked() const { return signalsTicked_; }
    void tickFavourites(bool on);
    void tickSignals(bool on);

    // Whether a file may be dropped on the list: only the favourites take drops.
    bool acceptsDrops() const;
    // Adds a dropped file's symbol to the favourites (a symbol already there is refused with
    // a message) and saves them; the symbol's line, or none when nothing was added.
    std::optional<std::size_t> dropFile(const std::filesystem::path& file);
    // Delete: the lines go from the list shown. Favourites with their symbols go and the
    // favourites are saved; signals leave this run's list only.
    void removeLines(std::vector<std::size_t> lines);
    // The list loses the focus: an emptied favourites list deletes its file.
    void leaveList();

    // "&Draw Chart": the choice, or none when it cannot be drawn (the dialog beeps and stays;
    // a box ticked over an empty list is unticked).
    std::optional<DataPickChoice> draw();

private:
    std::filesystem::path favouritesFile() const;
    std::filesystem::path signalsFile() const;
    void showFavourites();
    void loadFavourites();
    void saveFavourites();
    void deleteFavouritesFile();
    DataPickChoice choice(std::filesystem::path first, std::filesystem::path second) const;

    TParamRecList& favourites_;
    TSignalRecList& signals_;
    std::filesystem::path settingsFolder_;
    MessageSink& sink_;

    std::filesystem::path folder_;
    std::vector<std::string> folderFiles_;
    std::string picked_;
    int interval_ = 0;
    ChartOption option_ = ChartOption::PriceOnly;
    std::array<std::filesystem::path, 2> ratio_;

    ListKind list_ = ListKind::Favourites;
    std::vector<std::string> shown_;
    bool favouritesTicked_ = false;
    bool signalsTicked_ = false;
    bool favouritesWhole_ = false; // read whole (or absent): may be written
};

} // namespace qm
