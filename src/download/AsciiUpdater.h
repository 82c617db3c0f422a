#pragma once
// The data updater: folds the rows of an update file (the last weeks of a symbol, newest first,
// as a transfer converted them) into the symbol's price file. The new rows go in front, the old
// rows they replace are dropped, and the price file is replaced atomically, so it is never left
// half written.

#include "market/FormatSettings.h"

#include <optional>
#include <string>
#include <string_view>

namespace qm {

class TAsciiUpdater {
public:
    // Takes the regional settings the transfer wrote its dates with.
    explicit TAsciiUpdater(const qm::FormatSettings& formatSettings);

    // Examines the first 10 lines of FilePath for the first line that starts with a date and
    // sets FieldCount, Separator, FirstDataLine and DateFound from it.
    void ScanLayout();

    // Merges the update file into the price file: the header and the dated rows of the update
    // file, then the dated rows of the price file older than the oldest new row. True when the
    // price file was replaced; false leaves it as it was. Refused: a missing file, a price file
    // without a date in its first 10 lines, different field counts, an update file without a
    // dated row, a price file kept oldest first.
    bool MergeUpdate(const std::string& pricePath, const std::string& updatePath);

    // The date of `text` when it is written completely in the short date format, as a day count.
    // A two-digit year is the latest year with those digits up to the current one.
    std::optional<double> DateOf(std::string_view text) const;

    // Results of the last scan.
    int FieldCount = 0;   // fields after the date on the first data line; 0: none found
    char Separator = 0;   // ',', ' ', '\t', or 0 when none was chosen
    std::string FilePath; // the file scanned
    int FirstDataLine = 0;
    const qm::FormatSettings FormatSettings;
    bool DateFound = false;

private:
    int currentYear_;
};

} // namespace qm
