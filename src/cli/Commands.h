#pragma once
// The commands of quillmar-cli. Each command lives in its own file and takes the arguments
// after its name; it returns the process exit code.

#include <span>
#include <string_view>

namespace qm::cli {

struct Command {
    std::string_view name;
    std::string_view usage; // arguments, for the usage text
    std::string_view summary;
    int (*run)(std::span<char*> args);
};

// Every command, in the order the usage text lists them.
std::span<const Command> commands();

// Whether an argument asks for a command's help: --help or -h.
inline bool isHelp(std::string_view arg) {
    return arg == "--help" || arg == "-h";
}

} // namespace qm::cli
