#pragma once
// The settings editor without its window: the working copy of one symbol's indicator settings
// set, the chart-wide values of the Chart Type and Chart Colors pages, and the commands that
// load, save, assign, delete and restore settings files. Edits change only the working copy;
// only Save and Save As write a file, and each writes it whole or not at all.

#include "market/MessageSink.h"
#include "settings/ParamRecords.h"
#include "settings/lists/PlotRecList.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The Chart Type and Chart Colors pages: the price chart record's chart type, its background,
// price bar and scale text colours and its scale font size.
struct ChartPages {
    enum Element { Background, PriceBars, ScaleText };
    int style = 3;
    std::array<std::int32_t, 3> colours{};
    int fontSize = 10;
};

inline constexpr int kMinFontSize = 8;
inline constexpr int kMaxFontSize = 14;

// The pages' values as the price chart record stores them; the scale text colour goes to both
// text slots (2 and 3). A chart type outside 0 to 4 read from a file stays as it was.
void applyChartPages(TOscObj& price, const ChartPages& pages);

class PlotEditorModel {
public:
    // Settings files are in `settingsFolder`; `settingsList` ("PrmsList.Lst" in memory) says
    // which symbols have their own. Both must outlive the model. A missing "Defaults.prm" is
    // written with the factory set.
    PlotEditorModel(std::filesystem::path settingsFolder, TParamRecList& settingsList,
                    MessageSink& sink);

    // The symbols with settings, in the settings list's order: the symbol list's items.
    // "Defaults" is always among them.
    std::vector<std::string> symbols() const;

    // Makes `symbol`'s settings set the working copy: the settings file its entry in the
    // settings list names, or "Defaults.prm" (and the symbol "Defaults") when it has no entry
    // or its file is missing. A set that cannot be read whole is reported; the factory set is
    // then the working copy, and Save is off until another symbol is chosen.
    void selectSymbol(std::string_view symbol);
    const std::string& symbol() const { return symbol_; }
    // The file the current symbol's settings came from.
    const std::filesystem::path& file() const { return file_; }
    bool canSave() const { return loaded_; }

    // The working record of `kind` (0, the price chart record, to 30).
    TOscObj& record(int kind);
    const TOscObj& record(int kind) const;
    ChartPages& chartPages() { return pages_; }
    const ChartPages& chartPages() const { return pages_; }

    // Writes the working copy, with the chart pages applied, over exactly the file it came
    // from. False when there is nothing to write or writing failed (reported).
    bool save();

    enum class SaveAsOutcome { Saved, Refused, Failed };
    // Gives the working copy, with the chart pages applied, to the symbol of `sourceFile`: a
    // settings file named after the source file and an entry in the settings list. The symbol
    // is the file's title (up to " = " and the company name). Refused for a file that does not
    // exist and for a name that gives no symbol or "Defaults". On success the symbol is chosen.
    SaveAsOutcome saveAs(const std::filesystem::path& sourceFile);

    // Deletes the current symbol's settings file and its settings list entry, after asking.
    // "Defaults" is never deleted. False when nothing was deleted. The caller then chooses
    // another symbol.
    bool deleteSymbol();

    // Rewrites "Defaults.prm" with the factory set; the caller then chooses a symbol again.
    void restoreFactorySettings();

private:
    void loadChartPages();
    std::filesystem::path defaultsFile() const;
    std::filesystem::path fileOf(std::string_view symbol) const;

    std::filesystem::path folder_;
    TParamRecList& list_;
    MessageSink& sink_;
    TPlotRecList working_;
    ChartPages pages_;
    std::string symbol_;
    std::filesystem::path file_;
    bool loaded_ = false;
};

} // namespace qm
