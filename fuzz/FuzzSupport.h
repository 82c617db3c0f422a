#pragma once
// Helpers shared by the fuzz harnesses: a private scratch folder for the files a reader needs,
// and a check that stops the run with a message when a property of the code under test fails.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace qm::fuzz {

// A property the code under test promises; libFuzzer records the input that broke it.
#define QM_FUZZ_CHECK(condition, what)                                                             \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", what, __FILE__, __LINE__);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// One folder per harness process, in memory where the machine offers it, removed at exit.
inline const std::filesystem::path& scratchFolder() {
    static const std::filesystem::path folder = [] {
        std::error_code ec;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, ec)) base = std::filesystem::temp_directory_path();
        std::string name = (base / "qm-fuzz-XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        static const std::filesystem::path made = name;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(made, ignored);
        });
        return made;
    }();
    return folder;
}

// A subfolder of the scratch folder, emptied before each input.
inline std::filesystem::path freshFolder(std::string_view name) {
    const std::filesystem::path folder = scratchFolder() / name;
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    std::filesystem::create_directories(folder);
    return folder;
}

inline void writeBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    QM_FUZZ_CHECK(out.good(), "scratch file written");
}

inline std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::size_t entryCount(const std::filesystem::path& folder) {
    std::error_code ec;
    const auto it = std::filesystem::directory_iterator(folder, ec);
    if (ec) return 0;
    return static_cast<std::size_t>(std::distance(it, std::filesystem::directory_iterator{}));
}

// The input cut at the first occurrence of `marker`: the text before it and the text after it
// (everything and nothing when the marker is absent).
inline std::pair<std::string_view, std::string_view> splitAt(std::string_view input,
                                                             std::string_view marker) {
    const std::size_t at = input.find(marker);
    if (at == std::string_view::npos) return {input, {}};
    return {input.substr(0, at), input.substr(at + marker.size())};
}

} // namespace qm::fuzz
