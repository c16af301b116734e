#include "platform/case_tables.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <vector>

namespace namenswerk::platform {
namespace {

struct UnitCase {
    char16_t unit;
    char16_t upper;
    char16_t lower;
    bool letter;
};

TEST(CaseTables, MapsAndClassifiesSingleUnits)
{
    const std::vector<UnitCase> cases = {
        {u'a', u'A', u'a', true},
        {u'Z', u'Z', u'z', true},
        {u'ä', u'Ä', u'ä', true},
        {u'ÿ', u'\u0178', u'ÿ', true},
        // Its upper case needs two units, so it maps to itself and is still a letter.
        {u'ß', u'ß', u'ß', true},
        {u'\u03A3', u'\u03A3', u'\u03C3', true},
        {u'1', u'1', u'1', false},
        {u'_', u'_', u'_', false},
        {u' ', u' ', u' ', false},
        {u'\\', u'\\', u'\\', false},
        {u'/', u'/', u'/', false},
        {u'\xD83D', u'\xD83D', u'\xD83D', false},
        {u'\xFFFF', u'\xFFFF', u'\xFFFF', false},
    };
    const CaseTables &tables = caseTables();
    for (const UnitCase &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.unit));
        EXPECT_EQ(tables.upper(c.unit), c.upper);
        EXPECT_EQ(tables.lower(c.unit), c.lower);
        EXPECT_EQ(tables.isLetter(c.unit), c.letter);
    }
}

TEST(CaseTables, WholeStringsMapUnitByUnit)
{
    EXPECT_EQ(toUpperPerUnit(u"straße"), QStringLiteral(u"STRAßE"));
    EXPECT_EQ(toLowerPerUnit(u"STRAßE Ärger"), QStringLiteral(u"straße ärger"));
    EXPECT_EQ(toUpperPerUnit(u""), QString());

    // Characters whose full case forms are longer never change the length.
    const QString special = QStringLiteral(u"\u0149\u0130\uFB00ß\U0001F600");
    EXPECT_EQ(toUpperPerUnit(special).size(), special.size());
    EXPECT_EQ(toLowerPerUnit(special).size(), special.size());
}

} // namespace
} // namespace namenswerk::platform
