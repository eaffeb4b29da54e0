#include "constants_file.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace ferrolux {
namespace {

TEST(ConstantsFile, StoresEachValueAsItIsRead)
{
    struct Case
    {
        std::string bytes;
        std::vector<double> values; // the values read, in order
        std::string failure;
    };
    const Case cases[] = {
        {"a\r\n2.5\r\nb\r\n4.5\r\nc\r\n1.5\r\nd\r\n2.5\r\nmore\r\n", {2.5, 4.5, 1.5, 2.5}, ""},
        {"a\n 3 \nb\n4e-1\nc\n-1.5\nd\n+7.", {3, 0.4, -1.5, 7}, ""},
        {"a\r\nabc\r\nb\r\n\r\nc\r\n1.5%\r\nd\r\nx2\r\n", {0, 0, 1.5, 0}, ""},
        {"", {}, "record 1: file ends early"},
        {"a\r\n", {}, "record 2: file ends early"},
        {"a\r\n2.5\r\nb\r\n", {2.5}, "record 4: file ends early"},
        {"a\r\n1\r\nb\r\n2\r\nc\r\n3\r\nd\r\n", {1, 2, 3}, "record 8: file ends early"},
        // "2,5" is two fields, so every later record moves on by one.
        {"a\r\n2,5\r\nb\r\n4.5\r\n", {2, 0}, "record 6: file ends early"},
        {"a\r\n1\r\nb\r\n1e999\r\nc\r\n3\r\nd\r\n4\r\n",
         {1},
         "record 4: \"1e999\" is too large a number"},
    };
    for (const Case &c : cases) {
        std::istringstream in(c.bytes);
        const ConstantsLoad load = readConstants(in);
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(load.failure, c.failure);
        ASSERT_EQ(load.valuesRead, static_cast<int>(c.values.size()));
        for (std::size_t i = 0; i < c.values.size(); ++i) {
            EXPECT_DOUBLE_EQ(load.values[i], c.values[i]);
        }
    }
}

TEST(ConstantsFile, ApplyStoresOnlyTheValuesRead)
{
    for (int read = 0; read <= 4; ++read) {
        const ConstantsLoad load{{1, 2, 3, 4}, read, ""};
        DissipationLimits limits{9, 9, 9, 9};
        load.applyTo(limits);
        EXPECT_EQ(limits.OCPPDis, read > 0 ? 1 : 9) << read;
        EXPECT_EQ(limits.OCFPDis, read > 1 ? 2 : 9) << read;
        EXPECT_EQ(limits.POTPPDis, read > 2 ? 3 : 9) << read;
        EXPECT_EQ(limits.POTFPDis, read > 3 ? 4 : 9) << read;
    }
}

} // namespace
} // namespace ferrolux
