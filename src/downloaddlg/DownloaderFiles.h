#pragma once
// The download dialog's files: the ticker files that remember each service's Download List
// (with the lists a new user starts from), the list files handed to the workers, and the
// symbols of the price files in a download folder.

#include "market/SafeFile.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qm::downloader {

inline constexpr int kServiceCount = 5;

// The symbols a new user's ticker file of `service` (0 Yahoo ... 4 Nasdaq) holds.
std::span<const std::string_view> defaultTickers(int service);

// Writes the default list, sorted, to each service's ticker file in `folder` that does not
// exist; makes the folder when it is missing. A file that cannot be written is passed over: its
// list then starts empty.
void writeMissingTickerFiles(const std::filesystem::path& folder);

// Saves `lines` as a list file (one symbol a line, CR LF), replacing the file atomically.
SaveResult saveListFile(const std::filesystem::path& file, const std::vector<std::string>& lines);

// The lines of a list file; nothing when it cannot be read.
std::optional<std::vector<std::string>> readListFile(const std::filesystem::path& file);

// The symbols of the price files in `folder` ("IBM.csv" and "MSFT = Microsoft Corp.csv" give
// IBM and MSFT; the extension in any case), in file name order; none when the folder cannot be
// read.
std::vector<std::string> symbolsInFolder(const std::filesystem::path& folder);

} // namespace qm::downloader
