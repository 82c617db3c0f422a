#pragma once
// giflib's command-line tools (Debian package giflib-tools) as an independent GIF decoder.

#include "support/TempDir.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace qm::test {

// Runs a shell command and returns what it wrote to stdout.
inline std::string commandOutput(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    std::string out;
    if (!pipe) return out;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0) out.append(buffer, n);
    return out;
}

inline bool haveGiflibTools() {
    return std::system("command -v giftext >/dev/null 2>&1") == 0;
}

class Giflib {
public:
    explicit Giflib(const std::string& gif) : file_(dir_.write("image.gif", gif)) {}

    // The decoded palette indices, in reading order (giftext -r).
    std::string indices() const {
        return commandOutput("giftext -r '" + file_.string() + "' 2>/dev/null");
    }

    // The LZW codes of the image data as the decoder reads them, end code excepted
    // (giftext -z prints them in hexadecimal after an offset label).
    std::vector<int> codes() const {
        std::istringstream in(commandOutput("giftext -z '" + file_.string() + "' 2>/dev/null"));
        std::vector<int> codes;
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream words(line);
            std::string word;
            if (!(words >> word) || !isCountLabel(word)) continue;
            while (words >> word) codes.push_back(std::stoi(word, nullptr, 16));
        }
        return codes;
    }

private:
    // "001a0:", the number of codes printed before the line's first, in hexadecimal.
    static bool isCountLabel(const std::string& word) {
        return word.size() > 1 && word.back() == ':' &&
               word.find_first_not_of("0123456789abcdefABCDEF") == word.size() - 1;
    }

    TempDir dir_;
    std::filesystem::path file_;
};

} // namespace qm::test
