// The data updater's merge of an update file into a price file, on any two texts.
//
// Input: byte 0 picks the regional settings (bit 0 day-first); the rest is the price file and
// the update file separated by a line "--8<--".
//
// Checked: a refused merge leaves the price file as it was; a merge writes only lines of the two
// files; nothing but the price file is left in its folder.

#include "FuzzSupport.h"
#include "download/AsciiUpdater.h"

#include <set>
#include <string>

using namespace qm;

namespace {

std::set<std::string> linesOf(std::string_view text) {
    std::set<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.emplace(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const auto [priceText, updateText] = fuzz::splitAt(text, "\n--8<--\n");
    const FormatSettings fs =
        (data[0] & 1) != 0 ? FormatSettings::dayFirst() : FormatSettings::unitedStates();

    const std::filesystem::path folder = fuzz::freshFolder("prices");
    const std::filesystem::path temp = fuzz::freshFolder("temp");
    const std::filesystem::path price = folder / "ACME.csv";
    const std::filesystem::path update = temp / "ACME.upd";
    fuzz::writeBytes(price, priceText);
    fuzz::writeBytes(update, updateText);

    TAsciiUpdater updater(fs);
    const bool merged = updater.MergeUpdate(price.string(), update.string());
    const std::string after = fuzz::readBytes(price);
    if (!merged) {
        QM_FUZZ_CHECK(after == priceText, "a refused merge leaves the price file as it was");
    } else {
        std::set<std::string> known = linesOf(priceText);
        known.merge(linesOf(updateText));
        for (const std::string& line : linesOf(after))
            QM_FUZZ_CHECK(line.empty() || known.contains(line), "merged lines come from the files");
    }
    QM_FUZZ_CHECK(fuzz::entryCount(folder) == 1, "no work file left beside the price file");
    return 0;
}
