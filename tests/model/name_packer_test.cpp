#include "model/name_packer.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

// Names as a list holds them: many short ones side by side in a block, a
// few long or empty ones.
std::vector<QString> sampleTexts()
{
    std::vector<QString> texts;
    for (int i = 0; i < 500; ++i) {
        texts.push_back(u"IMG_%1.jpg"_s.arg(i, 6, 10, QChar(u'0')));
    }
    texts.push_back(QString());
    texts.push_back(QString(300, u'x') + u".txt"_s);
    texts.push_back(u"ä\u202E.b"_s);
    return texts;
}

std::vector<QString> packAll(NamePacker &packer, const std::vector<QString> &texts)
{
    std::vector<QString> names;
    for (const QString &text : texts) {
        names.push_back(packer.pack(text));
    }
    return names;
}

TEST(NamePacker, NamesEqualTheirTextsAndEndInAZero)
{
    const std::vector<QString> texts = sampleTexts();
    NamePacker packer;
    const std::vector<QString> names = packAll(packer, texts);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(names[i], texts[i]) << i;
        EXPECT_EQ(names[i].utf16()[names[i].size()], 0) << i;
    }
}

struct Change {
    const char *name;
    std::function<void(QString &)> apply;
};

void PrintTo(const Change &change, std::ostream *out)
{
    *out << change.name;
}

// A packed name shares its block with its neighbours; changing it must never
// write into theirs, whether the packer still fills the block or not, and
// whether the neighbours still live or not.
class ChangedPackedName : public ::testing::TestWithParam<Change> {};

TEST_P(ChangedPackedName, LeavesEveryOtherNameAsItWas)
{
    const std::vector<QString> texts = sampleTexts();
    for (const bool packerDone : {false, true}) {
        SCOPED_TRACE(packerDone ? "packer done" : "packer filling");
        NamePacker packer;
        std::vector<QString> names = packAll(packer, texts);
        if (packerDone) {
            packer.release();
        }
        for (std::size_t i = 0; i < names.size(); i += 3) {
            QString expected = texts[i];
            GetParam().apply(expected);
            GetParam().apply(names[i]);
            EXPECT_EQ(names[i], expected) << i;
        }
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (i % 3 != 0) {
                EXPECT_EQ(names[i], texts[i]) << i;
            }
        }
        // The last name left of its block may grow into the room its dead
        // neighbours had.
        QString survivor = names[1];
        names.clear();
        survivor.append(u"-longer-than-before"_s);
        EXPECT_EQ(survivor, texts[1] + u"-longer-than-before"_s);
    }
}

INSTANTIATE_TEST_SUITE_P(
    NamePacker, ChangedPackedName,
    ::testing::Values(Change{"Appended", [](QString &s) { s.append(u"_1"_s); }},
                      Change{"Prepended", [](QString &s) { s.prepend(u"0"_s); }},
                      Change{"Shortened", [](QString &s) { s.chop(2); }},
                      Change{"WrittenInPlace",
                             [](QString &s) {
                                 if (!s.isEmpty()) {
                                     s.data()[0] = u'#';
                                 }
                             }},
                      Change{"Replaced", [](QString &s) { s.replace(u'0', u'9'); }},
                      Change{"Squeezed", [](QString &s) { s.squeeze(); }}));

TEST(NamePacker, CopiesAndNamesOutliveThePacker)
{
    const std::vector<QString> texts = sampleTexts();
    std::vector<QString> names;
    std::vector<QString> copied;
    {
        NamePacker packer;
        names = packAll(packer, {texts.begin(), texts.begin() + 5});
        // A copied packer never writes into the block the original fills.
        NamePacker copy = packer;
        copied = packAll(copy, {texts.begin() + 5, texts.begin() + 10});
        const std::vector<QString> more = packAll(packer, {texts.begin() + 10, texts.end()});
        names.insert(names.end(), more.begin(), more.end());
    }
    ASSERT_EQ(names.size(), texts.size() - 5);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(names[i], texts[i]);
        EXPECT_EQ(copied[i], texts[i + 5]);
    }
    for (std::size_t i = 5; i < names.size(); ++i) {
        EXPECT_EQ(names[i], texts[i + 5]);
    }
}

} // namespace
} // namespace namenswerk
