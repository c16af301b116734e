#include "engine/compiled_pattern.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <utility>

using namespace Qt::StringLiterals;
using namenswerk::CompiledPattern;

namespace {

TEST(CompiledPattern, ReportsCapturesAndGroups)
{
    auto pattern = CompiledPattern::compile(u"^(\\w+)-(?<n>\\d+)(x)?"_s, true);
    ASSERT_TRUE(pattern);
    EXPECT_EQ(pattern->captureCount(), 3);
    EXPECT_EQ(pattern->group(1), QString()); // nothing matched yet
    ASSERT_TRUE(pattern->match(u"ab-12 rest"));
    EXPECT_EQ(pattern->group(0), u"ab-12"_s);
    EXPECT_EQ(pattern->group(1), u"ab"_s);
    EXPECT_EQ(pattern->group(2), u"12"_s);
    EXPECT_EQ(pattern->group(3), QString());
    EXPECT_EQ(pattern->group(4), QString());
    EXPECT_EQ(pattern->group(-1), QString());
    pattern->forgetMatch();
    EXPECT_EQ(pattern->group(1), QString());
}

TEST(CompiledPattern, GroupsOutliveTheSubject)
{
    auto pattern = CompiledPattern::compile(u"^(.*)"_s, true);
    ASSERT_TRUE(pattern);
    {
        const QString subject = u"temporary"_s;
        ASSERT_TRUE(pattern->match(subject));
    }
    EXPECT_EQ(pattern->group(1), u"temporary"_s);
}

TEST(CompiledPattern, CaseFlagAndCompileFailure)
{
    auto caseless = CompiledPattern::compile(u"^straße$"_s, false);
    auto exact = CompiledPattern::compile(u"^straße$"_s, true);
    ASSERT_TRUE(caseless && exact);
    EXPECT_TRUE(caseless->match(u"STRAßE"));
    EXPECT_FALSE(exact->match(u"STRAßE"));
    EXPECT_FALSE(CompiledPattern::compile(u"^(a"_s, true));
    EXPECT_FALSE(CompiledPattern::compile(u"^a"_s + QChar(0xD800), true));
}

TEST(CompiledPattern, MovedPatternKeepsWorking)
{
    auto compiled = CompiledPattern::compile(u"^(a+)"_s, true);
    ASSERT_TRUE(compiled);
    CompiledPattern moved = std::move(*compiled);
    ASSERT_TRUE(moved.match(u"aab"));
    EXPECT_EQ(moved.group(1), u"aa"_s);
    CompiledPattern target = std::move(*CompiledPattern::compile(u"^(b)"_s, true));
    target = std::move(moved);
    EXPECT_EQ(target.group(1), u"aa"_s);
    EXPECT_TRUE(target.match(u"a"));
}

} // namespace
