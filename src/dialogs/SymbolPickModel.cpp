#include "SymbolPickModel.h"

#include "PickMessages.h"

namespace qm {

namespace fs = std::filesystem;

void SymbolPickModel::build(const fs::path& dataFolder) {
    root_ = parentFolder(dataFolder);
    lines_ = listPriceFiles(root_);
    ticks_.assign(lines_.size(), 0);
}

std::vector<fs::path> SymbolPickModel::tickedPaths() const {
    std::vector<fs::path> out;
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (ticks_[i]) out.push_back(lines_[i].path());
    return out;
}

bool SymbolPickModel::deleteFile(std::size_t line, MessageSink& sink) const {
    if (line >= lines_.size()) return false;
    const fs::path file = lines_[line].path();
    std::error_code ec;
    // A file already gone by other means loses its line too.
    if (!fs::remove(file, ec) && ec) {
        sink.error(std::string(pick_messages::kCannotDelete) + file.string() + ": " + ec.message());
        return false;
    }
    return true;
}

void SymbolPickModel::removeLine(std::size_t line) {
    if (line >= lines_.size()) return;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(line));
    ticks_.erase(ticks_.begin() + static_cast<std::ptrdiff_t>(line));
}

} // namespace qm
