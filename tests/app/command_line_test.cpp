#include "app/command_line.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace namenswerk {
namespace {

struct CommandLineCase {
    const char *what;
    QStringList arguments;
    QString listArgument;
    QStringList paths;
    QStringList missingPaths;
};

TEST(CommandLine, SortsArgumentsIntoListArgumentPathsAndMissingOnes)
{
    // "a.jpg", "Fotos" and "2024" exist; nothing else does.
    const auto exists = [](const QString &path) {
        return path == u"a.jpg"_s || path == u"Fotos"_s || path == u"2024"_s;
    };
    const CommandLineCase cases[] = {
        {"nothing", {}, {}, {}, {}},
        {"a list file", {u"x.lst"_s}, u"x.lst"_s, {}, {}},
        {"a number", {u"500"_s}, u"500"_s, {}, {}},
        {"a hexadecimal number", {u"$1F"_s}, u"$1F"_s, {}, {}},
        {"files and a folder", {u"a.jpg"_s, u"Fotos"_s}, {}, {u"a.jpg"_s, u"Fotos"_s}, {}},
        {"a file named like a number", {u"2024"_s}, {}, {u"2024"_s}, {}},
        {"a missing first path", {u"b.jpg"_s, u"a.jpg"_s}, {}, {u"a.jpg"_s}, {u"b.jpg"_s}},
        {"a list file, then paths",
         {u"x.lst"_s, u"a.jpg"_s, u"7"_s},
         u"x.lst"_s,
         {u"a.jpg"_s},
         {u"7"_s}},
    };
    for (const CommandLineCase &c : cases) {
        const CommandLine line = splitCommandLine(c.arguments, exists);
        EXPECT_EQ(line.listArgument, c.listArgument) << c.what;
        EXPECT_EQ(line.paths, c.paths) << c.what;
        EXPECT_EQ(line.missingPaths, c.missingPaths) << c.what;
    }
}

} // namespace
} // namespace namenswerk
