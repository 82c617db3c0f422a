#include "imaging/GifStringTable.h"

#include <gtest/gtest.h>
#include <vector>

namespace qm {
namespace {

struct Pair {
    std::uint16_t prefix;
    std::uint8_t byte;
};

TEST(GifStringTable, SearchesEndEvenWhenTheFirstSlotsSequenceIsFull) {
    // First slots that are multiples of 29 (the table has 29 x 613 slots) step through only the
    // 613 multiples of 29. Storing more pairs than that with such first slots must still work.
    std::vector<Pair> pairs;
    for (int byte = 0; byte < 256 && pairs.size() < 1000; ++byte)
        for (int first = 0; first < 4096 && pairs.size() < 1000; first += 29)
            pairs.push_back(
                {static_cast<std::uint16_t>(first ^ (byte << 4)), static_cast<std::uint8_t>(byte)});

    GifStringTable table;
    std::uint16_t code = 258;
    for (const Pair& p : pairs) {
        const int slot = table.find(p.prefix, p.byte);
        ASSERT_TRUE(table.isFree(slot));
        table.store(slot, code++, p.prefix, p.byte);
    }
    code = 258;
    for (const Pair& p : pairs) {
        const int slot = table.find(p.prefix, p.byte);
        ASSERT_FALSE(table.isFree(slot));
        EXPECT_EQ(table.code(slot), code++);
    }

    table.clear();
    EXPECT_TRUE(table.isFree(table.find(pairs[0].prefix, pairs[0].byte)));
}

} // namespace
} // namespace qm
