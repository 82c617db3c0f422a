#include "Commands.h"
#include "KindNames.h"
#include "indicators/Catalogue.h"
#include "market/PriceText.h"

#include <cstdio>

namespace qm::cli {

// Lists the indicator kinds: number, short name and the name the chart's legend shows.
int runKinds(std::span<char*> args) {
    if (args.size() == 1 && isHelp(args[0])) {
        std::printf("usage: quillmar-cli kinds\n"
                    "Lists the indicator kinds: the number and short name that --add takes, and\n"
                    "the name the chart's legend shows.\n");
        return 0;
    }
    if (!args.empty()) {
        std::fprintf(stderr, "usage: quillmar-cli kinds\n");
        return 2;
    }
    std::printf("kind  short name  legend name\n");
    for (int kind = 1; kind <= kIndicatorKinds; ++kind) {
        const std::string_view name = kindShortName(kind);
        const std::string_view legend = trimBlanks(catalogueEntry(kind)->legendName);
        std::printf("%4d  %-10.*s  %.*s\n", kind, static_cast<int>(name.size()), name.data(),
                    static_cast<int>(legend.size()), legend.data());
    }
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

} // namespace qm::cli
