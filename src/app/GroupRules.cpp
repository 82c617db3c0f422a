#include "GroupRules.h"

#include "FileList.h"
#include "SymbolSearch.h"
#include "settings/GroupRecords.h"

#include <algorithm>

namespace qm {

namespace fs = std::filesystem;

namespace {

// In 64 bits: the corners of saved bounds may lie anywhere an integer reaches.
long long overlap(const ScreenRect& a, const ScreenRect& b) {
    const auto span = [](long long startA, long long lengthA, long long startB, long long lengthB) {
        return std::min(startA + lengthA, startB + lengthB) - std::max(startA, startB);
    };
    const long long w = span(a.left, a.width, b.left, b.width);
    const long long h = span(a.top, a.height, b.top, b.height);
    return w > 0 && h > 0 ? w * h : 0;
}

// A span [start, start + length) moved the least into [low, low + room), its length cut to
// the room.
void fit(int& start, int& length, int low, int room, int minimum) {
    length = std::clamp(length, std::min(minimum, room), room);
    start = std::clamp(start, low, low + room - length);
}

bool lessWithoutCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

ScreenRect keepOnScreens(const ScreenRect& bounds, std::span<const ScreenRect> screens) {
    if (screens.empty()) return bounds;
    ScreenRect sane = bounds;
    sane.width = std::max(sane.width, 0);
    sane.height = std::max(sane.height, 0);
    const ScreenRect* home = &screens.front();
    long long best = 0;
    for (const ScreenRect& s : screens)
        if (const long long o = overlap(sane, s); o > best) {
            best = o;
            home = &s;
        }
    ScreenRect placed = sane;
    fit(placed.left, placed.width, home->left, home->width, kGroupChartMinWidth);
    fit(placed.top, placed.height, home->top, home->height, kGroupChartMinHeight);
    return placed;
}

std::vector<fs::path> groupFilesIn(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.front() != '.' && isGroupFile(name) && it->is_regular_file(ec))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), lessWithoutCase);
    std::vector<fs::path> files;
    for (const auto& n : names) files.push_back(folder / n);
    return files;
}

fs::path findSavedSource(const fs::path& sourceFile) {
    return findSymbolFile(sourceFile.parent_path(), groupRecordSymbol(sourceFile.string()));
}

fs::path savedSourceRoot(const fs::path& sourceFile) {
    return parentFolder(sourceFile.parent_path());
}

} // namespace qm
