#include "evaluation/numberformat.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(FormatGeneral, FixedWithinTheExponentRangeElseScientific) {
    EXPECT_EQ(FormatGeneral(82944, 6, 3, ','), "82944");
    EXPECT_EQ(FormatGeneral(100, 4, 2, ','), "100");
    EXPECT_EQ(FormatGeneral(100.0 / 3.0, 4, 2, ','), "33,33");
    EXPECT_EQ(FormatGeneral(2.5, 5, 3, '.'), "2.5");
    EXPECT_EQ(FormatGeneral(0, 6, 3, ','), "0");
    EXPECT_EQ(FormatGeneral(-1.25, 6, 3, ','), "-1,25");
    // The exponent is decided after rounding: 9.9996 at 4 digits is 10.
    EXPECT_EQ(FormatGeneral(9.9996, 4, 2, ','), "10");
    EXPECT_EQ(FormatGeneral(999999.6, 6, 3, ','), "1E+006");
    EXPECT_EQ(FormatGeneral(123456.4, 6, 3, ','), "123456");
    EXPECT_EQ(FormatGeneral(1234567, 6, 3, ','), "1,23457E+006");
    EXPECT_EQ(FormatGeneral(1234567, 7, 3, ','), "1234567");
    EXPECT_EQ(FormatGeneral(0.00001234, 4, 2, ','), "0,00001234");
    EXPECT_EQ(FormatGeneral(0.000001234, 4, 2, ','), "1,234E-06");
    EXPECT_EQ(FormatGeneral(0.000001234, 4, 3, ','), "1,234E-006");
    EXPECT_EQ(FormatGeneral(1e300, 6, 3, ','), "1E+300");
}

}  // namespace
}  // namespace velmora
