#include "Commands.h"

#include <cstdio>

namespace qm::cli {

// Filled in with the price file reader.
int runInspect(std::span<char*> args) {
    for (const char* file : args) std::printf("%s\n", file);
    return 0;
}

} // namespace qm::cli
