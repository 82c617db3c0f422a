#pragma once
// Every text the chart loader and the indicator drop show the user, and the reasons a chart is
// abandoned that callers may show.

#include <string_view>

namespace qm::loader_messages {

// Follows the missing source file's path and a line break.
inline constexpr std::string_view kCannotBeFound = "Cannot be found.";
// Precedes a line break and the names of the file(s) that gave no bars.
inline constexpr std::string_view kCannotDigest = "Dang! Can't digest data in file(s) ... ";

// A dropped indicator the series has no data for.
inline constexpr std::string_view kNeedsHighLow =
    "This indicator needs data \n\rwith Hi and Lo or Vol values.";
inline constexpr std::string_view kNeedsOpenHighLowClose =
    "This indicator needs data \n\rwith Open, Hi, Lo and Close values.";

// Why a chart was abandoned after its data was read. The desktop window closes quietly; the
// command line says why.
inline constexpr std::string_view kNoRecordForKind = "the settings file holds no record for kind ";

} // namespace qm::loader_messages
