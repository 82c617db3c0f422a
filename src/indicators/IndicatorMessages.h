#pragma once
// Texts the indicators show the user.

#include <string_view>

namespace qm::messages {

// Warning when an indicator cannot get its second table.
inline constexpr std::string_view kMemoryAllocationProblem = "Memory Allocation Problem";

} // namespace qm::messages
