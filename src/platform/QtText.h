#pragma once
// Texts and paths handed to Qt: the program's own texts are UTF-8 in string views, its paths
// filesystem paths.

#include <QString>
#include <filesystem>
#include <string_view>

namespace qm::platform {

inline QString qtext(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString qpath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace qm::platform
