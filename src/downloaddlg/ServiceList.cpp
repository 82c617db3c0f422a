#include "ServiceList.h"

#include "download/TextRules.h"
#include "download/TickerList.h"

#include <algorithm>

namespace qm::downloader {

namespace {

bool inRange(int line, std::size_t size) {
    return line >= 0 && static_cast<std::size_t>(line) < size;
}

bool sameSymbol(std::string_view a, std::string_view b) {
    return !download::tickerLess(a, b) && !download::tickerLess(b, a);
}

} // namespace

LineMark ServiceList::mark(int line) const {
    return inRange(line, marks_.size()) ? marks_[static_cast<std::size_t>(line)] : LineMark::Ticked;
}

void ServiceList::setMark(int line, LineMark mark) {
    if (!inRange(line, marks_.size())) return;
    marks_[static_cast<std::size_t>(line)] = mark;
    changed(line);
}

bool ServiceList::add(std::string_view symbol) {
    const auto at = std::lower_bound(lines_.begin(), lines_.end(), symbol, download::tickerLess);
    if (at != lines_.end() && sameSymbol(*at, symbol)) return false;
    const auto index = at - lines_.begin();
    lines_.insert(at, std::string(symbol));
    marks_.insert(marks_.begin() + index, LineMark::Unticked);
    changed(kWholeList);
    return true;
}

void ServiceList::assign(const std::vector<std::string>& lines, std::size_t limit) {
    std::vector<std::string> kept;
    kept.reserve(lines.size());
    for (const std::string& line : lines) {
        const std::string_view symbol = download::trimBlanks(line);
        if (!symbol.empty()) kept.emplace_back(symbol);
    }
    lines_ = download::sortTickers(std::move(kept));
    if (lines_.size() > limit) lines_.resize(limit);
    marks_.assign(lines_.size(), LineMark::Unticked);
    changed(kWholeList);
}

void ServiceList::remove(std::vector<int> lines) {
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    // From the last down, so the indexes still to go stay valid.
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        if (!inRange(*it, lines_.size())) continue;
        lines_.erase(lines_.begin() + *it);
        marks_.erase(marks_.begin() + *it);
    }
    changed(kWholeList);
}

void ServiceList::clear() {
    lines_.clear();
    marks_.clear();
    changed(kWholeList);
}

void ServiceList::markAll(LineMark mark) {
    std::fill(marks_.begin(), marks_.end(), mark);
    changed(kWholeList);
}

void ServiceList::changed(int line) const {
    if (onChange) onChange(line);
}

std::vector<std::string> textLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

} // namespace qm::downloader
