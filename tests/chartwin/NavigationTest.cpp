#include "chartwin/ChartNavigation.h"

#include <gtest/gtest.h>
#include <vector>

namespace qm {
namespace {

using namespace navigation;

TEST(Navigation, BackStopsAtTheHundredAndFirstRecordFromTheEnd) {
    // 1,000 records, step 50: 51, 101, ... 851; 901 would not be below 900.
    std::vector<int> offsets{1};
    for (int i = 0; i < 30; ++i) offsets.push_back(back(offsets.back(), 1000, 50));
    EXPECT_EQ(offsets[1], 51);
    EXPECT_EQ(offsets[17], 851);
    EXPECT_EQ(offsets.back(), 851);
    EXPECT_EQ(toStart(851, 1000), 900);
}

TEST(Navigation, Table) {
    struct Case {
        const char* what;
        int got;
        int expected;
    };
    const Case cases[] = {
        {"100 records: back does nothing", back(1, 100, 1), 1},
        {"100 records: shift+back does nothing", toStart(1, 100), 1},
        {"101 records: back still blocked", back(1, 101, 1), 1},
        {"102 records: still blocked", back(1, 102, 1), 1},
        {"103 records: one step back", back(1, 103, 1), 2},
        {"1000 records: step 1", back(1, 1000, 1), 2},
        {"1000 records: last step that fits", back(898, 1000, 1), 899},
        {"1000 records: the floor", back(899, 1000, 1), 899},
        {"forward from 3 by 5 ends at the newest", forward(3, 5), 1},
        {"forward from 7 by 5", forward(7, 5), 2},
        {"forward from 6 by 5 ends at the newest", forward(6, 5), 1},
        {"forward at the newest stays", forward(1, 1), 1},
        {"shift+forward", toEnd(), 1},
        {"shift+back with 5000 records", toStart(1, 5000), 4900},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
}

TEST(Navigation, StepMenuItems) {
    for (int item = 1; item <= 6; ++item) EXPECT_EQ(itemOfStep(stepOfItem(item)), item);
    EXPECT_EQ(stepOfItem(5), 20);
    EXPECT_EQ(stepOfItem(0), 1);
    EXPECT_EQ(itemOfStep(7), 1);
}

} // namespace
} // namespace qm
