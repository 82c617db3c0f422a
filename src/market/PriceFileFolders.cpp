#include "PriceFileFolders.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace qm {
namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Where ".csv" starts in the name, in any case.
std::size_t csvPosition(std::string_view name) {
    for (std::size_t i = 0; i + 4 <= name.size(); ++i)
        if (name[i] == '.' && lower(name[i + 1]) == 'c' && lower(name[i + 2]) == 's' &&
            lower(name[i + 3]) == 'v')
            return i;
    return std::string_view::npos;
}

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isPlainFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Whether the entry is, or may be, of the kind wanted: the listing tells most kinds at once,
// and links and file systems that tell nothing are asked.
bool entryIs(const dirent& entry, unsigned char kind, const std::string& path,
             bool (*check)(const std::string&)) {
    if (entry.d_type == DT_UNKNOWN || entry.d_type == DT_LNK) return check(path);
    return entry.d_type == kind;
}

// Calls `visit` with each visible entry's name in `folder`.
template <class Visit> void forEachEntry(const std::string& folder, Visit visit) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') continue; // hidden, "." and ".."
        visit(*entry);
    }
    ::closedir(dir);
}

// The sort key of a price file: "name%folder/" in lower case.
std::string orderKey(std::string_view name, std::string_view folder) {
    std::string key;
    key.reserve(name.size() + folder.size() + 2);
    for (char c : name) key += lower(c);
    key += '%';
    for (char c : folder) key += lower(c);
    key += '/';
    return key;
}

bool lessWithoutCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(lower(x)) < static_cast<unsigned char>(lower(y));
    });
}

} // namespace

std::filesystem::path parentFolder(const std::filesystem::path& path) {
    const std::string text = path.string();
    const std::size_t slash = text.find_last_of('/');
    if (slash == std::string::npos) return {};
    return text.substr(0, slash);
}

bool isPriceFileName(std::string_view name) {
    return name.size() > 4 && name.front() != '.' && csvPosition(name.substr(name.size() - 4)) == 0;
}

std::string_view symbolOfFileName(std::string_view fileName) {
    const std::size_t csv = csvPosition(fileName);
    if (csv == std::string_view::npos) return {};
    const std::size_t named = fileName.find(" =");
    return fileName.substr(0, std::min(named, csv));
}

std::vector<std::string> priceFilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    const std::string prefix = folder.string() + '/';
    forEachEntry(prefix, [&](const dirent& entry) {
        const std::string_view name = entry.d_name;
        if (isPriceFileName(name) &&
            entryIs(entry, DT_REG, prefix + std::string(name), &isPlainFile))
            names.emplace_back(name);
    });
    std::sort(names.begin(), names.end(), lessWithoutCase);
    return names;
}

void forEachPriceFileIn(
    const std::filesystem::path& root,
    const std::function<void(std::string_view name, const std::string& folder)>& visit) {
    const std::string prefix = root.string() + '/';
    forEachEntry(prefix, [&](const dirent& top) {
        const std::string folder = prefix + top.d_name;
        if (!entryIs(top, DT_DIR, folder, &isFolder)) return;
        forEachEntry(folder, [&](const dirent& file) {
            const std::string_view name = file.d_name;
            if (isPriceFileName(name) &&
                entryIs(file, DT_REG, folder + '/' + std::string(name), &isPlainFile))
                visit(name, folder);
        });
    });
}

bool priceFileBefore(std::string_view nameA, std::string_view folderA, std::string_view nameB,
                     std::string_view folderB) {
    return orderKey(nameA, folderA) < orderKey(nameB, folderB);
}

std::vector<PriceFileEntry> listPriceFiles(const std::filesystem::path& root) {
    struct Keyed {
        std::string key;
        PriceFileEntry entry;
    };
    std::vector<Keyed> found;
    forEachPriceFileIn(root, [&](std::string_view name, const std::string& folder) {
        found.push_back({orderKey(name, folder), {std::string(name), folder}});
    });
    std::sort(found.begin(), found.end(),
              [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    std::vector<PriceFileEntry> out;
    out.reserve(found.size());
    for (auto& f : found) out.push_back(std::move(f.entry));
    return out;
}

} // namespace qm
