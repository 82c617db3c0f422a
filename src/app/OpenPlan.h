#pragma once
// What the open command makes of a confirmed data pick dialog: the file list that next and
// previous then walk, the chart to open first and its interval.

#include "FileList.h"
#include "dialogs/DataPickModel.h"
#include "settings/ParamRecords.h"

#include <filesystem>

namespace qm {

struct OpenPlan {
    FileList files; // current: the entry of the chart opened first, -1 when it is none of them
    std::filesystem::path firstFile; // empty: no chart to open
    std::filesystem::path secondFile;
    int interval = 0;
    bool emptyLists = false; // the favourites and the signal list are emptied
};

// The favourites and the signal list give the files of theirs that exist, in list order, the
// first chart being the list's first; a pair gives itself alone; otherwise every file of the
// dialog's folder, the chosen one first to be shown. A signal keeps its own interval.
OpenPlan planOpening(const DataPickChoice& choice, const TParamRecList& favourites,
                     const TSignalRecList& signals);

// An interval code as charts take it: a code a file holds that is no interval counts as daily.
int validInterval(int code);

} // namespace qm
