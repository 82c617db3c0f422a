#pragma once
// The 80-bit extended float of settings files (64-bit significand with an explicit integer bit,
// 15-bit exponent biased by 16383, sign bit), converted by bit manipulation so that the result
// does not depend on the platform's long double.

#include <array>
#include <cstdint>

namespace qm {

using ExtendedBytes = std::array<std::uint8_t, 10>; // little-endian, as stored

// Exact: every double is representable as an extended float.
ExtendedBytes toExtended(double value);

// Rounded to nearest, ties to even, with gradual underflow and overflow to infinity.
double extendedToDouble(const ExtendedBytes& bytes);
float extendedToSingle(const ExtendedBytes& bytes);

} // namespace qm
