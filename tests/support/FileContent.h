#pragma once
// A whole file's bytes, for comparing what a test's subject wrote.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace qm::test {

// Empty when the file cannot be opened.
inline std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

} // namespace qm::test
