#include "OpenPlan.h"

#include <algorithm>

namespace qm {

namespace fs = std::filesystem;

namespace {

bool fileExists(const fs::path& file) {
    std::error_code ec;
    return !file.empty() && fs::exists(file, ec);
}

// The first chart's entry in the list, or -1 when it was left out, so that next opens the
// list's first entry and nothing is passed over.
int entryOf(const FileList& files, const fs::path& file) {
    const auto it = std::find_if(files.entries.begin(), files.entries.end(),
                                 [&](const FileEntry& e) { return e.path == file; });
    return it == files.entries.end() ? -1 : static_cast<int>(it - files.entries.begin());
}

} // namespace

int validInterval(int code) {
    return code >= 0 && code <= 2 ? code : 0;
}

OpenPlan planOpening(const DataPickChoice& choice, const TParamRecList& favourites,
                     const TSignalRecList& signals) {
    OpenPlan plan;
    plan.interval = validInterval(choice.interval);
    plan.firstFile = choice.firstFile;
    if (choice.useFavourites) {
        for (const auto& r : favourites.records)
            if (fileExists(r.file)) plan.files.append(r.file);
        if (!favourites.records.empty()) plan.firstFile = favourites.records.front().file;
    } else if (choice.useSignals) {
        for (const auto& r : signals.records)
            if (fileExists(r.file)) plan.files.append(r.file, validInterval(r.interval));
        if (!signals.records.empty()) {
            plan.firstFile = signals.records.front().file;
            plan.interval = validInterval(signals.records.front().interval);
        }
    } else if (!choice.secondFile.empty()) {
        plan.secondFile = choice.secondFile;
        plan.emptyLists = true;
        return plan;
    } else {
        for (const std::string& name : choice.folderFiles) plan.files.append(choice.folder / name);
        plan.emptyLists = true;
    }
    plan.files.current = entryOf(plan.files, plan.firstFile);
    return plan;
}

} // namespace qm
