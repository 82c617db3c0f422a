#include "market/ColumnNames.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(ColumnNames, RolesInTheLanguagesOfFreeSources) {
    struct Case {
        const char* name;
        ColumnRole role;
    };
    for (const Case& c : {
             Case{"Date", ColumnRole::Date},
             Case{" \"DATUM\" ", ColumnRole::Date},
             Case{"<DATE>", ColumnRole::Date},
             Case{"\xD0\x94\xD0\xB0\xD1\x82\xD0\xB0", ColumnRole::Date}, // Дата
             Case{"Timestamp", ColumnRole::Time},
             Case{"Er\xC3\xB6"
                  "ffn.",
                  ColumnRole::Open},
             Case{"Plus Haut", ColumnRole::High},
             Case{"M\xC3\x8DNIMO", ColumnRole::Low}, // MÍNIMO
             Case{"Close*", ColumnRole::Close},
             Case{"Close/Last", ColumnRole::Close},
             Case{"Price", ColumnRole::Last},
             Case{"Adj Close**", ColumnRole::AdjustedClose},
             Case{"adj_close", ColumnRole::AdjustedClose},
             Case{"Vol.", ColumnRole::Volume},
             Case{"<OPENINT>", ColumnRole::OpenInterest},
             Case{"Change %", ColumnRole::Change},
             Case{"Unnamed: 0", ColumnRole::Unknown},
             Case{"", ColumnRole::Unknown},
         }) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(roleOfColumnName(c.name), c.role);
    }
}

TEST(ColumnNames, HeaderNeedsADateAndACloseColumn) {
    struct Case {
        const char* line;
        char separator; // NUL: no header
        ColumnMap columns;
    };
    for (const Case& c : {
             Case{"Date,Open,High,Low,Close,Volume", ',', {0, 1, 2, 3, 4, 5}},
             Case{"Date,High,Low,Open,Close,Volume,Adj Close", ',', {0, 3, 1, 2, 4, 5}},
             Case{"Datum;Schluss;Volumen", ';', {0, -1, -1, -1, 1, 2}},
             Case{"\"Date\",\"Price\",\"Open\",\"Change %\"", ',', {0, 2, -1, -1, 1, -1}},
             Case{"Date\tAdj Close\tClose", '\t', {0, -1, -1, -1, 2, -1}},
             Case{"Date Open High Low Close", ' ', {0, 1, 2, 3, 4, -1}},
             Case{"Time,Date,Last,Close", ',', {1, -1, -1, -1, 3, -1}}, // date and close win
             Case{"Timestamp,Price", ',', {0, -1, -1, -1, 1, -1}},
             Case{"Date,Open,High,Low", '\0', {}},
             Case{"Open,High,Low,Close", '\0', {}},
             Case{"2016-01-04,1,2,3,4", '\0', {}},
             Case{"Date", '\0', {}},
         }) {
        SCOPED_TRACE(c.line);
        const std::optional<NamedHeader> header = recogniseHeader(c.line);
        ASSERT_EQ(header.has_value(), c.separator != '\0');
        if (!header) continue;
        EXPECT_EQ(header->separator, c.separator);
        const ColumnMap& m = header->columns;
        EXPECT_EQ(m.date, c.columns.date);
        EXPECT_EQ(m.open, c.columns.open);
        EXPECT_EQ(m.high, c.columns.high);
        EXPECT_EQ(m.low, c.columns.low);
        EXPECT_EQ(m.close, c.columns.close);
        EXPECT_EQ(m.volume, c.columns.volume);
    }
}

} // namespace
} // namespace qm
