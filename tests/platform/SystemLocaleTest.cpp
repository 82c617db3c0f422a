#include "platform/SystemLocale.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace qm::platform {
namespace {

TEST(SystemLocale, ConventionsFollowTheLocale) {
    struct Case {
        const char* name;
        std::string pattern;
        char dateSeparator;
        char decimal;
        char thousands;
        std::string january;
    };
    const Case cases[] = {
        // C and POSIX mean United States conventions.
        {"C", "M/d/yyyy", '/', '.', ',', "Jan"},
        {"en_US", "M/d/yy", '/', '.', ',', "Jan"},
        {"en_GB", "dd/MM/yyyy", '/', '.', ',', "Jan"},
        {"de_DE", "dd/MM/yy", '.', ',', '.', "Jan."},
        // The narrow no-break space between thousands becomes a plain one.
        {"fr_FR", "dd/MM/yyyy", '/', ',', ' ', "janv."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FormatSettings fs = formatSettingsOf(QLocale(QString::fromLatin1(c.name)));
        EXPECT_EQ(fs.shortDatePattern, c.pattern);
        EXPECT_EQ(fs.dateSeparator, c.dateSeparator);
        EXPECT_EQ(fs.decimalSeparator, c.decimal);
        EXPECT_EQ(fs.thousandSeparator, c.thousands);
        EXPECT_EQ(fs.shortMonthNames[0], c.january);
    }
}

} // namespace
} // namespace qm::platform
