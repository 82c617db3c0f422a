#include "ExtendedFloat.h"

#include <bit>

namespace qm {
namespace {

constexpr int kExtendedBias = 16383;
constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;

// The value of `m` divided by 2^shift, rounded to nearest with ties to even.
std::uint64_t roundedShift(std::uint64_t m, int shift) {
    if (shift <= 0) return m << -shift;
    if (shift > 64) return 0;
    if (shift == 64) return m > kIntegerBit ? 1 : 0; // exactly one half rounds to even (0)
    const std::uint64_t q = m >> shift;
    const std::uint64_t rest = m & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    return (rest > half || (rest == half && (q & 1))) ? q + 1 : q;
}

// The IEEE binary format with `fracBits` stored fraction bits and `expBits` exponent bits.
struct BinaryFormat {
    int fracBits;
    int expBits;
    int bias() const { return (1 << (expBits - 1)) - 1; }
    std::uint64_t signBit() const { return std::uint64_t{1} << (fracBits + expBits); }
    std::uint64_t infinity() const { return std::uint64_t((1 << expBits) - 1) << fracBits; }
};

// The bits of the format's number nearest to m * 2^e (m > 0).
std::uint64_t roundToFormat(std::uint64_t m, int e, const BinaryFormat& f) {
    const int top = 63 - std::countl_zero(m);
    int exponent = top + e;
    const int minExponent = 1 - f.bias();
    if (exponent < minExponent) {
        // Subnormal: the lowest stored bit weighs 2^(minExponent - fracBits). A carry into
        // bit fracBits yields the smallest normal number, which the same bits encode.
        return roundedShift(m, minExponent - f.fracBits - e);
    }
    std::uint64_t q = roundedShift(m, top - f.fracBits);
    if (q >> (f.fracBits + 1)) { // rounding carried into a new top bit
        q >>= 1;
        ++exponent;
    }
    if (exponent > f.bias()) return f.infinity();
    const std::uint64_t fraction = q & ((std::uint64_t{1} << f.fracBits) - 1);
    return (std::uint64_t(exponent + f.bias()) << f.fracBits) | fraction;
}

std::uint64_t extendedToFormat(const ExtendedBytes& b, const BinaryFormat& f) {
    std::uint64_t m = 0;
    for (int i = 7; i >= 0; --i) m = (m << 8) | b[i];
    const unsigned signExp = unsigned(b[8]) | (unsigned(b[9]) << 8);
    const std::uint64_t sign = (signExp & 0x8000) ? f.signBit() : 0;
    const int biased = int(signExp & 0x7FFF);
    if (biased == 0x7FFF) {
        if ((m << 1) == 0) return sign | f.infinity();
        // A NaN keeps the top of its payload and is made quiet.
        const std::uint64_t quiet = std::uint64_t{1} << (f.fracBits - 1);
        return sign | f.infinity() | quiet | ((m << 1) >> (64 - f.fracBits));
    }
    if (m == 0) return sign;
    // Denormals (biased exponent 0) weigh like exponent 1; the integer bit is explicit.
    const int e = (biased == 0 ? 1 : biased) - kExtendedBias - 63;
    return sign | roundToFormat(m, e, f);
}

constexpr BinaryFormat kDouble{52, 11};
constexpr BinaryFormat kSingle{23, 8};

} // namespace

ExtendedBytes toExtended(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const unsigned sign = (bits >> 63) ? 0x8000 : 0;
    const int biased = int((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    unsigned signExp = sign;
    std::uint64_t m = 0;
    if (biased == 0x7FF) {
        signExp |= 0x7FFF;
        m = kIntegerBit | (fraction << 11);
    } else if (biased != 0) {
        signExp |= unsigned(biased - 1023 + kExtendedBias);
        m = kIntegerBit | (fraction << 11);
    } else if (fraction != 0) {
        // A double subnormal is a normal extended float: move its top bit to the integer bit.
        const int top = 63 - std::countl_zero(fraction);
        signExp |= unsigned(top - 1074 + kExtendedBias);
        m = fraction << (63 - top);
    }
    ExtendedBytes out{};
    for (int i = 0; i < 8; ++i) out[i] = std::uint8_t(m >> (8 * i));
    out[8] = std::uint8_t(signExp);
    out[9] = std::uint8_t(signExp >> 8);
    return out;
}

double extendedToDouble(const ExtendedBytes& bytes) {
    return std::bit_cast<double>(extendedToFormat(bytes, kDouble));
}

float extendedToSingle(const ExtendedBytes& bytes) {
    return std::bit_cast<float>(std::uint32_t(extendedToFormat(bytes, kSingle)));
}

} // namespace qm
