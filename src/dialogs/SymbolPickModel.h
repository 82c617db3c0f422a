#pragma once
// The symbol list dialog without its window: every price file in the folders beside the data
// folder, one line each with a tick, in the order of the symbol lists, so that one symbol kept
// in two folders lies on adjacent lines.

#include "market/MessageSink.h"
#include "market/PriceFileFolders.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qm {

class SymbolPickModel {
public:
    // Lists the price files beside `dataFolder`; nothing is ticked.
    void build(const std::filesystem::path& dataFolder);

    // The folder searched: the data folder's parent.
    const std::filesystem::path& root() const { return root_; }
    std::size_t size() const { return lines_.size(); }
    // What a line shows: the file's name.
    const std::string& name(std::size_t line) const { return lines_[line].name; }
    std::filesystem::path path(std::size_t line) const { return lines_[line].path(); }

    bool ticked(std::size_t line) const { return ticks_[line] != 0; }
    void setTicked(std::size_t line, bool on) { ticks_[line] = on ? 1 : 0; }
    // The full paths of the ticked lines, in list order.
    std::vector<std::filesystem::path> tickedPaths() const;

    // Deletes the line's file; one that cannot be deleted is reported through `sink`. Whether
    // the file is gone, and its line is to go.
    bool deleteFile(std::size_t line, MessageSink& sink) const;
    void removeLine(std::size_t line);

private:
    std::filesystem::path root_;
    std::vector<PriceFileEntry> lines_;
    std::vector<char> ticks_; // parallel to lines_
};

} // namespace qm
