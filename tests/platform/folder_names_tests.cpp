#include "platform/folder_names.h"

#include <gtest/gtest.h>

#include <string>

namespace namenswerk::platform {
namespace {

// The table grows many times over; every name is found with its kind, and
// names it does not hold (prefixes, longer names, the empty name) are not.
TEST(FolderNames, FindsEveryNameItWasGivenAndNoOther)
{
    FolderNames names;
    constexpr int Count = 5000;
    for (int number = 0; number < Count; ++number) {
        names.add("IMG_" + std::to_string(number) + ".JPG",
                  number % 3 == 0 ? NameKind::Folder : NameKind::File);
    }
    names.add("IMG_1.JPG", NameKind::Unknown); // a second listing of a name keeps the first

    for (int number = 0; number < Count; ++number) {
        const std::string name = "IMG_" + std::to_string(number) + ".JPG";
        EXPECT_EQ(names.find(name), number % 3 == 0 ? NameKind::Folder : NameKind::File) << name;
    }
    for (const char *absent : {"IMG_", "IMG_1", "IMG_1.JPG.bak", "img_1.jpg", "", "IMG_5000.JPG"}) {
        EXPECT_EQ(names.find(absent), std::nullopt) << absent;
    }
    EXPECT_EQ(FolderNames().find("IMG_1.JPG"), std::nullopt);
}

} // namespace
} // namespace namenswerk::platform
