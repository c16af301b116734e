#include "engine/size_text.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <vector>

namespace namenswerk {
namespace {

struct SizeCase {
    std::int32_t size64;
    const char *expected;
};

void PrintTo(const SizeCase &c, std::ostream *out)
{
    *out << c.size64;
}

class SizeTextTest : public testing::TestWithParam<SizeCase> {};

TEST_P(SizeTextTest, ShowsOneDecimalAndUnit)
{
    EXPECT_EQ(sizeText(GetParam().size64).toStdString(), GetParam().expected);
}

constexpr std::int32_t Units(std::int64_t bytes)
{
    return std::int32_t(bytes >> 6);
}

INSTANTIATE_TEST_SUITE_P(Sizes, SizeTextTest,
                         testing::ValuesIn(std::vector<SizeCase>{
                             {-1, "✕   "},
                             {-2, "ᴰᴵᴿ   "},
                             {-7, "✕   "},
                             {0, "0.0 K"},
                             {Units(100), "0.1 K"}, // 64 bytes are 0.0625 K
                             {Units(1024), "1.0 K"},
                             {Units(1536), "1.5 K"},
                             {16383, "1023.9 K"},
                             {16384, "1.0 M"},
                             {Units(1536LL * 1024), "1.5 M"},
                             {Units(5LL << 30), "5.0 G"},
                             {Units((5LL << 30) + (100LL << 20)), "5.1 G"},
                             {std::numeric_limits<std::int32_t>::max(), "128.0 G"},
                         }));

} // namespace
} // namespace namenswerk
