#pragma once
// Reads a text price file of any supported layout into a new chart data file, oldest bar
// first, and builds relative-strength series from two files. One reader serves one chart.

#include "Calendar.h"
#include "FormatSettings.h"
#include "MessageSink.h"
#include "PlainLine.h"
#include "PriceBar.h"
#include "PriceLayout.h"
#include "PriceText.h"
#include "ReadReport.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qm {

class TAsciiFileReader {
public:
    // `locale` gives the date order tried first; `tempFolder` receives the chart data files;
    // `currentYear` completes dates written without a year or with two digits.
    TAsciiFileReader(const FormatSettings& locale, std::filesystem::path tempFolder,
                     int currentYear, MessageSink& sink);

    // Detects the file's layout and reads it. On success resultName() is the new chart data
    // file; otherwise it is empty and barCount() is 0, and no chart data file is left.
    void readFile(const std::filesystem::path& source);
    // The ratio of the first file's closes to the second's, aligned on their last common
    // date, as a close-only series titled "first to second".
    void readRatio(const std::filesystem::path& first, const std::filesystem::path& second);

    const std::filesystem::path& resultName() const { return resultName_; }
    std::int32_t barCount() const { return barCount_; }
    DataKind dataKind() const { return dataKind_; }
    const std::string& title() const { return title_; }
    const std::string& description() const { return description_; }
    // What detection found in the last file read; meaningful when a layout was found.
    const PriceLayout& layout() const { return layout_; }
    bool layoutFound() const { return layoutFound_; }
    // One report per file of the last readFile or readRatio whose reading got under way, in
    // the order read.
    const std::vector<ReadReport>& reports() const { return reports_; }

private:
    // How one line turned out.
    enum class Row : std::uint8_t { Bar, BarWithoutVolume, Blank, NoPrice, Failed };

    void clearResult();
    void readOne(const std::filesystem::path& source);
    static std::string_view noLayoutMessage(NoLayout why);
    void readDetected(LineReader& lines, ReadReport& report);
    Row readByPosition(std::string_view text, PriceBar& bar);
    Row readByName(std::string_view text, PriceBar& bar);
    Row readOverlongByName(std::string_view kept, PriceBar& bar);
    // The fields split last, of a line whose columns a header names.
    Row readFields(std::string_view text, PriceBar& bar);
    void fillOpenHighLow(PriceBar& bar) const;
    bool readDate(std::string_view text, PriceBar& bar);
    // The date of the plain line read last; false sends the line the general way.
    bool readPlainDate(PriceBar& bar);
    std::optional<double> dayCountOf(CivilDate date);
    bool takeDay(std::optional<double> day, PriceBar& bar);
    bool fieldsFitHeader() const;
    bool repeatsTheHeader(std::string_view text) const;
    std::string overlongLineMessage(std::string_view kept);
    void pairRatio(const std::filesystem::path& first, const std::filesystem::path& second);
    void reportIoError(int error);

    FormatSettings locale_;
    std::filesystem::path tempFolder_;
    int currentYear_;
    MessageSink& sink_;

    PriceLayout layout_;
    DateOrder dateOrder_ = DateOrder::MonthDayYear;
    ColumnMap columns_;
    std::size_t fieldsNeeded_ = 0;
    bool layoutFound_ = false;
    std::vector<ReadReport> reports_;
    std::string failure_; // the message of the line that ended the reading
    LinePieces pieces_;
    LineFields fields_;
    PlainLineReader plainLine_;
    PlainDate plainDate_;
    struct PlainMonth {
        DateNumbers numbers; // of the month's first day
        std::optional<double> firstDay;
        int length = 0; // days
    } plainMonth_;
    bool plainLines_ = false; // whether the file's lines may be plain
    MonthStartCache monthStarts_;
    std::filesystem::path resultName_;
    std::int32_t barCount_ = 0;
    DataKind dataKind_ = DataKind::None;
    std::string title_;
    std::string description_;
};

// Title and description from a price file's name: the name without folder and extension,
// trimmed; "ACME = Acme Industries.csv" gives "ACME" and "Acme Industries" (the name follows the
// first " ="), other names give the same text twice ("EURUSD=X.csv": "EURUSD=X").
struct FileTitles {
    std::string title;
    std::string description;
};
FileTitles titlesFromFileName(const std::filesystem::path& source);

} // namespace qm
