#pragma once
// The rules of chart groups that need no window: where a saved chart goes on today's screens,
// which files form a group folder's file list, and where a saved chart's data is looked for.

#include "MainWindowPlace.h"

#include <filesystem>
#include <span>
#include <vector>

namespace qm {

// The smallest chart window a group reopens, frame included.
inline constexpr int kGroupChartMinWidth = 160;
inline constexpr int kGroupChartMinHeight = 120;

// Saved bounds held on the screens: a group file may come from another desktop, or be damaged.
// The window keeps its size where the screen it overlaps most (else the first) can hold it,
// at least the smallest chart, and is moved the least that puts it wholly on that screen.
ScreenRect keepOnScreens(const ScreenRect& bounds, std::span<const ScreenRect> screens);

// The chart group files (".grp") of `folder`, in name order without regard to case.
std::vector<std::filesystem::path> groupFilesIn(const std::filesystem::path& folder);

// The price file of a saved chart's source file, searched by its symbol in the folders beside
// the one it was saved from, so that a symbol kept in several of them comes from the first;
// empty when none has it.
std::filesystem::path findSavedSource(const std::filesystem::path& sourceFile);

// The folder that search looks in.
std::filesystem::path savedSourceRoot(const std::filesystem::path& sourceFile);

} // namespace qm
