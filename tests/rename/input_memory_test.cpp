#include "rename/input_memory.h"

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

TextInputs inputsWithTemplate(const QString &templateText)
{
    return {u"<*>"_s, {}, templateText, u"a>b"_s, {}};
}

TEST(InputMemory, RestoresAlternateBetweenTheTwoRememberedStates)
{
    InputMemory memory;
    memory.rememberInputs(inputsWithTemplate(u"one"_s));
    memory.rememberInputs(inputsWithTemplate(u"two"_s));
    memory.rememberInputs(inputsWithTemplate(u"three"_s)); // replaces "one"
    EXPECT_EQ(memory.slot(), 1);
    EXPECT_EQ(memory.restoreInputs(), inputsWithTemplate(u"two"_s));
    EXPECT_EQ(memory.restoreInputs(), inputsWithTemplate(u"three"_s));
    EXPECT_EQ(memory.restoreInputs(), inputsWithTemplate(u"two"_s));
}

TEST(InputMemory, TakesTheFiveTextsOfASettingsRecord)
{
    RenameSettings settings;
    settings.regFindname = u"n"_s;
    settings.regFindext = u"e"_s;
    settings.regReplace = u"t"_s;
    settings.txtFind = u"f"_s;
    settings.txtReplace = u"r"_s;
    EXPECT_EQ(textInputsOf(settings), (TextInputs{u"n"_s, u"e"_s, u"t"_s, u"f"_s, u"r"_s}));
}

} // namespace
} // namespace namenswerk
