#pragma once
// Short names of the thirty indicator kinds, for typing on the command line.

#include <optional>
#include <string_view>

namespace qm::cli {

// The short name of kind 1..30; empty for any other kind.
std::string_view kindShortName(int kind);

// The kind a command-line word names: a number 1 to 30 or a short name in any case.
std::optional<int> parseKind(std::string_view word);

} // namespace qm::cli
