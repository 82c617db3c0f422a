#pragma once
// Open charts follow the price files that downloads save: a chart whose file a transfer saved
// anew or updated reads it again and stays where it was in its history.

#include <filesystem>
#include <vector>

namespace qm {

class TMainForm;

// Whether `saved` is the price file of the same symbol as `shown`, in the same folder: a new
// download may give the symbol's file another name ("IBM.csv" then "IBM = Intl Business
// Machines Corp.csv").
bool sameSymbolFile(const std::filesystem::path& shown, const std::filesystem::path& saved);

// Reads again every open chart whose price file (or either file of a relative-strength chart)
// is among `saved`. A file that cannot be read leaves its chart as it was, without a message.
void reloadChartsOf(TMainForm& main, const std::vector<std::filesystem::path>& saved);

} // namespace qm
