#include "settings/ExtendedFloat.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace qm {
namespace {

// Extended bytes from the significand and the sign-and-exponent word, as they are stored.
ExtendedBytes ext(std::uint64_t significand, std::uint16_t signExp) {
    ExtendedBytes b{};
    for (int i = 0; i < 8; ++i) b[i] = std::uint8_t(significand >> (8 * i));
    b[8] = std::uint8_t(signExp);
    b[9] = std::uint8_t(signExp >> 8);
    return b;
}

constexpr std::uint64_t kOne = std::uint64_t{1} << 63; // the explicit integer bit

struct WriteCase {
    double value;
    std::uint64_t significand;
    std::uint16_t signExp;
};

TEST(ExtendedFloat, WritesTheExactBits) {
    const WriteCase cases[] = {
        {1.0, kOne, 0x3FFF},
        {0.0, 0, 0},
        {-0.0, 0, 0x8000},
        {-2.5, 0xA000000000000000, 0xC000},         // 1.25 * 2^1
        {double(0.1f), 0xCCCCCD0000000000, 0x3FFB}, // 0x3DCCCCCD widened
        {std::numeric_limits<double>::max(), 0xFFFFFFFFFFFFF800, 0x43FE},
        {std::numeric_limits<double>::min(), kOne, 0x3C01},        // 2^-1022
        {std::numeric_limits<double>::denorm_min(), kOne, 0x3BCD}, // 2^-1074, normalised
        {3 * std::numeric_limits<double>::denorm_min(), 0xC000000000000000, 0x3BCE},
        {std::numeric_limits<double>::infinity(), kOne, 0x7FFF},
        {-std::numeric_limits<double>::infinity(), kOne, 0xFFFF},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toExtended(c.value), ext(c.significand, c.signExp)) << c.value;
}

struct ReadCase {
    std::uint64_t significand;
    std::uint16_t signExp;
    double expected;
};

TEST(ExtendedFloat, RoundsToNearestDoubleTiesToEven) {
    const double tiny = std::numeric_limits<double>::denorm_min();
    const double inf = std::numeric_limits<double>::infinity();
    const ReadCase cases[] = {
        {kOne, 0x3FFF, 1.0},
        {0xA000000000000000, 0xC000, -2.5},
        {kOne | 0x400, 0x3FFF, 1.0},           // 1 + 2^-53: tie, stays even
        {kOne | 0xC00, 0x3FFF, 1.0 + 0x1p-51}, // 1 + 3 * 2^-53: tie, up to even
        {kOne | 0x401, 0x3FFF, 1.0 + 0x1p-52}, // just above the tie
        {0xFFFFFFFFFFFFFFFF, 0x3FFF, 2.0},     // carry into the exponent
        {0xFFFFFFFFFFFFFFFF, 0x43FE, inf},     // carry past the largest double
        {kOne, 0x43FF, inf},                   // 2^1024
        {kOne, 0x7FFE, inf},                   // largest extended exponent
        {kOne, 0xFFFE, -inf},
        {kOne, 0x3BCD, tiny},                    // 2^-1074
        {kOne, 0x3BCC, 0.0},                     // 2^-1075: tie, down to even zero
        {kOne | 1, 0x3BCC, tiny},                // just above it
        {0xC000000000000000, 0x3BCD, 2 * tiny},  // 1.5 units: tie, up to even
        {0xFFFFFFFFFFFFFFFF, 0x3C00, 0x1p-1022}, // subnormal rounding into the normals
        {1, 0, 0.0},                             // extended denormal: far below doubles
        {0x4000000000000000, 0x3FFF, 0.5},       // unnormal: its plain value
    };
    for (const auto& c : cases) {
        const double got = extendedToDouble(ext(c.significand, c.signExp));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(c.expected))
            << std::hex << c.significand << ' ' << c.signExp << " gave " << got;
    }
}

TEST(ExtendedFloat, ZeroKeepsItsSignAndNanStaysNan) {
    EXPECT_TRUE(std::signbit(extendedToDouble(ext(0, 0x8000))));
    EXPECT_TRUE(std::isnan(extendedToDouble(ext(0xC000000000000000, 0x7FFF))));
    EXPECT_TRUE(std::isnan(extendedToDouble(ext(kOne | 1, 0x7FFF)))); // signalling payload
    EXPECT_TRUE(std::isnan(extendedToSingle(ext(kOne | 1, 0x7FFF))));
}

TEST(ExtendedFloat, RoundsOnceToSingle) {
    const float tiny = std::numeric_limits<float>::denorm_min();
    struct SingleCase {
        std::uint64_t significand;
        std::uint16_t signExp;
        float expected;
    } const cases[] = {
        // 1 + 2^-24 + 2^-54: above the midpoint of two singles; through a double it would
        // first become the midpoint and then round down to 1.
        {0x8000008000000200, 0x3FFF, 1.0f + 0x1p-23f},
        {0x8000008000000000, 0x3FFF, 1.0f}, // the midpoint itself: even
        {kOne, 0x3F6A, tiny},               // 2^-149
        {kOne, 0x3F69, 0.0f},               // 2^-150: tie, down to zero
        {0xFFFFFF0000000000, 0x407E, std::numeric_limits<float>::max()},
        {0xFFFFFF8000000000, 0x407E, std::numeric_limits<float>::infinity()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(extendedToSingle(ext(c.significand, c.signExp)), c.expected)
            << std::hex << c.significand << ' ' << c.signExp;
}

TEST(ExtendedFloat, EveryDoubleAndSingleComesBackUnchanged) {
    std::mt19937_64 random(20240607);
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t bits = random();
        const double d = std::bit_cast<double>(bits);
        if (std::isnan(d)) continue;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(extendedToDouble(toExtended(d))), bits);
        const float f = std::bit_cast<float>(std::uint32_t(bits));
        if (std::isnan(f)) continue;
        ASSERT_EQ(std::bit_cast<std::uint32_t>(extendedToSingle(toExtended(f))),
                  std::uint32_t(bits));
    }
}

// Where the compiler's long double is the x87 format, the hardware rounding is an independent
// reference for arbitrary extended values (the conversion itself never relies on it).
TEST(ExtendedFloat, AgreesWithTheX87Hardware) {
    if constexpr (std::numeric_limits<long double>::digits != 64 ||
                  std::numeric_limits<long double>::max_exponent != 16384) {
        GTEST_SKIP() << "long double is not the 80-bit format here";
    } else {
        std::mt19937_64 random(7);
        for (int i = 0; i < 200000; ++i) {
            // Exponents over and beyond the double range, and half the time the single range.
            const int spread = (i % 2) ? 1200 : 160;
            const auto exponent =
                std::uint16_t(0x3FFF + int(random() % std::uint64_t(2 * spread)) - spread);
            const std::uint16_t signExp = exponent | ((random() & 1) ? 0x8000 : 0);
            const ExtendedBytes b = ext(random() | kOne, signExp);
            long double reference = 0;
            std::memcpy(&reference, b.data(), b.size());
            ASSERT_EQ(std::bit_cast<std::uint64_t>(extendedToDouble(b)),
                      std::bit_cast<std::uint64_t>(static_cast<double>(reference)));
            ASSERT_EQ(std::bit_cast<std::uint32_t>(extendedToSingle(b)),
                      std::bit_cast<std::uint32_t>(static_cast<float>(reference)));
        }
    }
}

} // namespace
} // namespace qm
