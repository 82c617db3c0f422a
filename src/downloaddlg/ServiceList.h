#pragma once
// One quote service's Download List: its symbols in the order the transfer worker reads them
// from the list file (without regard to case, each once), each with its mark. The dialog shows
// it and edits it; a running worker reads and sets its marks through it by line index, on the
// user-interface thread. Holding the symbols in the worker's own order is what keeps every mark
// on its symbol's line, whatever case the user typed or pasted.

#include "download/XferThread.h"

#include <cstddef>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace qm::downloader {

class ServiceList final : public DownloadList {
public:
    const std::vector<std::string>& lines() const { return lines_; }
    std::size_t size() const { return lines_.size(); }
    bool empty() const { return lines_.empty(); }

    // A line that is not there reads as ticked (nothing to fetch) and takes no mark.
    LineMark mark(int line) const override;
    void setMark(int line, LineMark mark) override;

    // Adds `symbol` (unticked) in its place; false when the list holds it already, in any case.
    bool add(std::string_view symbol);
    // The list becomes `lines` with blanks trimmed, empty ones dropped, ordered and each kept
    // once, all unticked; at most `limit` of them, the first in that order.
    void assign(const std::vector<std::string>& lines,
                std::size_t limit = std::numeric_limits<std::size_t>::max());
    // Removes the lines of these indexes (in any order; indexes not in the list are passed
    // over); the other lines keep their marks.
    void remove(std::vector<int> lines);
    void clear();
    void markAll(LineMark mark);

    // Told after every change: the line whose mark changed, or kWholeList.
    static constexpr int kWholeList = -1;
    std::function<void(int line)> onChange;

private:
    void changed(int line) const;

    std::vector<std::string> lines_;
    std::vector<LineMark> marks_;
};

// The lines of a text (a ticker file, the clipboard): LF, CR LF or CR ends.
std::vector<std::string> textLines(std::string_view text);

} // namespace qm::downloader
