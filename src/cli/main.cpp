// quillmar-cli: the program's charting, value export and downloading without a desktop.

#include "Commands.h"

#include <cstdio>
#include <span>
#include <string_view>

namespace {

void printUsage(std::FILE* out) {
    std::fprintf(out, "usage: quillmar-cli COMMAND [ARGUMENTS]\n\ncommands:\n");
    for (const auto& c : qm::cli::commands())
        std::fprintf(out, "  %.*s %.*s\n      %.*s\n", static_cast<int>(c.name.size()),
                     c.name.data(), static_cast<int>(c.usage.size()), c.usage.data(),
                     static_cast<int>(c.summary.size()), c.summary.data());
    std::fprintf(out, "\nquillmar-cli COMMAND --help, or quillmar-cli help COMMAND, tells more "
                      "of one command.\n");
}

const qm::cli::Command* commandNamed(std::string_view name) {
    for (const auto& c : qm::cli::commands())
        if (c.name == name) return &c;
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printUsage(stderr);
        return 2;
    }
    const std::string_view name = argv[1];
    if (qm::cli::isHelp(name) || name == "help") {
        if (name == "help" && argc > 2) { // "help COMMAND" is that command's --help
            if (const auto* c = commandNamed(argv[2])) {
                static char help[] = "--help";
                char* args[] = {help};
                return c->run(std::span<char*>(args));
            }
            std::fprintf(stderr, "quillmar-cli: unknown command '%s'\n\n", argv[2]);
            printUsage(stderr);
            return 2;
        }
        printUsage(stdout);
        return 0;
    }
    if (const auto* c = commandNamed(name))
        return c->run({argv + 2, static_cast<std::size_t>(argc - 2)});
    std::fprintf(stderr, "quillmar-cli: unknown command '%s'\n\n", argv[1]);
    printUsage(stderr);
    return 2;
}
