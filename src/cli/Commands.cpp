#include "Commands.h"

namespace qm::cli {

int runInspect(std::span<char*> args);

std::span<const Command> commands() {
    static constexpr Command kCommands[] = {
        {"inspect", "FILE...",
         "read price files and print the layout found, data kind, bar count and date range",
         runInspect},
    };
    return kCommands;
}

} // namespace qm::cli
