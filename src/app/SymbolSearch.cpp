#include "SymbolSearch.h"

#include "FolderRules.h"

#include <algorithm>
#include <cctype>
#include <dirent.h>
#include <optional>
#include <sys/stat.h>

namespace qm {
namespace {

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Where ".csv" starts in the name, in any case.
std::size_t csvPosition(std::string_view name) {
    for (std::size_t i = 0; i + 4 <= name.size(); ++i)
        if (name[i] == '.' && lower(name[i + 1]) == 'c' && lower(name[i + 2]) == 's' &&
            lower(name[i + 3]) == 'v')
            return i;
    return std::string_view::npos;
}

bool endsWithCsv(std::string_view name) {
    return name.size() >= 4 && csvPosition(name.substr(name.size() - 4)) == 0;
}

// "name%folder/" compared as text without regard to case.
bool before(std::string_view nameA, std::string_view folderA, std::string_view nameB,
            std::string_view folderB) {
    const std::string a = std::string(nameA) + '%' + std::string(folderA) + '/';
    const std::string b = std::string(nameB) + '%' + std::string(folderB) + '/';
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return lower(x) < lower(y); });
}

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

std::string_view symbolOfFileName(std::string_view fileName) {
    const std::size_t csv = csvPosition(fileName);
    if (csv == std::string_view::npos) return {};
    const std::size_t named = fileName.find(" =");
    return fileName.substr(0, std::min(named, csv));
}

std::filesystem::path findSymbolFile(const std::filesystem::path& baseFolder,
                                     std::string_view symbol) {
    if (symbol.empty()) return {};
    const std::string root = parentFolder(baseFolder).string();
    const std::string prefix = root + '/';
    DIR* top = ::opendir(prefix.c_str());
    if (!top) return {};
    std::optional<std::pair<std::string, std::string>> best; // file name, folder
    while (const dirent* entry = ::readdir(top)) {
        const std::string_view name = entry->d_name;
        if (name.empty() || name.front() == '.') continue; // hidden, "." and ".."
        const std::string folder = prefix + std::string(name);
        if (entry->d_type != DT_DIR && !(entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK))
            continue;
        DIR* dir = ::opendir(folder.c_str());
        if (!dir) continue;
        while (const dirent* file = ::readdir(dir)) {
            const std::string_view fileName = file->d_name;
            if (!endsWithCsv(fileName) || symbolOfFileName(fileName) != symbol) continue;
            if (file->d_type == DT_DIR || ((file->d_type == DT_UNKNOWN || file->d_type == DT_LNK) &&
                                           isFolder(folder + '/' + std::string(fileName))))
                continue;
            if (!best || before(fileName, folder, best->first, best->second))
                best.emplace(std::string(fileName), folder);
        }
        ::closedir(dir);
    }
    ::closedir(top);
    if (!best) return {};
    return std::filesystem::path(best->second) / best->first;
}

std::string symbolFromTypedText(std::string_view typed) {
    const auto first = typed.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = typed.find_last_not_of(" \t");
    std::string symbol(typed.substr(first, last - first + 1));
    for (char& c : symbol) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (const auto colon = symbol.find(':'); colon != std::string::npos) symbol[colon] = '-';
    return symbol;
}

} // namespace qm
