#include "FileList.h"

namespace qm {

const FileEntry* FileList::next() {
    if (entries.empty()) return nullptr;
    const int last = static_cast<int>(entries.size()) - 1;
    current = current < last ? current + 1 : 0;
    return &entries[static_cast<std::size_t>(current)];
}

const FileEntry* FileList::previous() {
    if (entries.empty()) return nullptr;
    const int last = static_cast<int>(entries.size()) - 1;
    current = current < 1 || current > last ? last : current - 1;
    return &entries[static_cast<std::size_t>(current)];
}

bool isGroupFile(const std::filesystem::path& path) {
    return path.extension() == ".grp";
}

} // namespace qm
