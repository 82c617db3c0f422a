// A save on its own, for tests that kill it at each of its system calls: saves CHUNK three
// times over as the new content of TARGET. The save lies between two marker calls that fail
// harmlessly and that a system call trace shows.

#include "market/SafeFile.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

void marker(const char* text) {
    if (::write(-1, text, std::strlen(text)) < 0) {
    } // fails with EBADF by design
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: save_probe TARGET CHUNK\n");
        return 2;
    }
    const std::string_view chunk = argv[2];
    marker("qm-save-begin");
    const qm::SaveResult saved = qm::saveFileAtomically(argv[1], [&](const qm::ChunkWriter& write) {
        return write(chunk) && write(chunk) && write(chunk);
    });
    marker("qm-save-end");
    if (!saved) std::fprintf(stderr, "save_probe: %s\n", saved.reason.c_str());
    return saved ? 0 : 1;
}
