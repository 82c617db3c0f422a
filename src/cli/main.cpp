// quillmar-cli: the program's charting, value export and downloading without a desktop.

#include "Commands.h"

#include <cstdio>
#include <string_view>

namespace {

void printUsage() {
    std::fprintf(stderr, "usage: quillmar-cli COMMAND [ARGUMENTS]\n\ncommands:\n");
    for (const auto& c : qm::cli::commands())
        std::fprintf(stderr, "  %.*s %.*s\n      %.*s\n", static_cast<int>(c.name.size()),
                     c.name.data(), static_cast<int>(c.usage.size()), c.usage.data(),
                     static_cast<int>(c.summary.size()), c.summary.data());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printUsage();
        return 2;
    }
    const std::string_view name = argv[1];
    for (const auto& c : qm::cli::commands())
        if (c.name == name) return c.run({argv + 2, static_cast<std::size_t>(argc - 2)});
    std::fprintf(stderr, "quillmar-cli: unknown command '%s'\n\n", argv[1]);
    printUsage();
    return 2;
}
