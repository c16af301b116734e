#include "settings/profile_rules.h"
#include "tests/support/printers.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

SettingsRecords recordsWith(const QStringList &names)
{
    SettingsRecords records;
    records.fill(RenameSettings::cleared());
    records[0].active = true;
    for (int slot = 1; slot <= names.size(); ++slot) {
        records[std::size_t(slot)].name = names[slot - 1];
        records[std::size_t(slot)].active = true;
    }
    return records;
}

TEST(ProfileRules, TrimmingTakesBlanksThenStars)
{
    const std::vector<std::pair<QString, QString>> cases{
        {u"Fotos"_s, u"Fotos"_s},
        {u" *Fotos* "_s, u"Fotos"_s},
        {u"**Fotos"_s, u"Fotos"_s},
        {u"* Fotos *"_s, u" Fotos "_s},
        {u"Fo*to s"_s, u"Fo*to s"_s},
        {u"* *"_s, u" "_s},
        {u" * "_s, u""_s},
        {u"   "_s, u""_s},
        {u""_s, u""_s},
    };
    for (const auto &[typed, name] : cases) {
        EXPECT_EQ(trimmedProfileName(typed), name) << typed.toStdString();
    }
}

TEST(ProfileRules, OkEnabledRule)
{
    // "Alt" lies behind the first free slot: it is no profile in use.
    SettingsRecords records = recordsWith({u"Fotos"_s, u"Musik"_s, u"Straße"_s});
    records[3].active = false;
    records[4].name = u"Alt"_s;
    records[0].name = u"Fotos"_s;

    struct Case {
        ProfileDialogMode mode;
        QString text;
        bool enabled;
    };
    const auto Save = ProfileDialogMode::Save;
    const auto Rename = ProfileDialogMode::Rename;
    const std::vector<Case> cases{
        {Save, u"Fotos"_s, true},    {Save, u"Neu"_s, true},      {Save, u" *x* "_s, true},
        {Save, u" ** "_s, false},    {Save, u""_s, false},        {Rename, u"Fotos"_s, false},
        {Rename, u"fotos"_s, false}, {Rename, u"MUSIK"_s, false}, {Rename, u"Musik2"_s, true},
        {Rename, u" Fotos"_s, true}, {Rename, u"Straße"_s, true}, {Rename, u"Alt"_s, true},
        {Rename, u""_s, false},      {Rename, u" "_s, true},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(canConfirm(c.mode, c.text, records), c.enabled)
            << (c.mode == Save ? "save " : "rename ") << c.text.toStdString();
    }
}

TEST(ProfileRules, NamesCompareUnitByUnitWithoutCase)
{
    EXPECT_TRUE(sameProfileName(u"fotos"_s, u"FOTOS"_s));
    EXPECT_TRUE(sameProfileName(u"äpfel"_s, u"ÄPFEL"_s));
    EXPECT_FALSE(sameProfileName(u"straße"_s, u"STRASSE"_s));
    EXPECT_FALSE(sameProfileName(u"Fotos"_s, u"Fotos "_s));
}

TEST(ProfileRules, WindowTitle)
{
    EXPECT_EQ(windowTitle(QString(), false), u"Namenswerk"_s);
    EXPECT_EQ(windowTitle(QString(), true), u"Namenswerk"_s);
    EXPECT_EQ(windowTitle(u"Fotos"_s, false), u"Namenswerk - Fotos"_s);
    EXPECT_EQ(windowTitle(u"Fotos"_s, true), u"Namenswerk - Fotos*"_s);
    EXPECT_EQ(windowTitle(u"Ab*"_s, true), u"Namenswerk - Ab**"_s);
}

TEST(ProfileRules, LettersSkipSToW)
{
    QString letters;
    for (int slot = 1; slot <= ProfileSlots; ++slot) {
        letters += profileLetter(slot);
    }
    EXPECT_EQ(letters, u"ABCDEFGHIJKLMNOPQRXY"_s);
    EXPECT_TRUE(profileLetter(0).isNull());
    EXPECT_TRUE(profileLetter(21).isNull());
}

} // namespace
} // namespace namenswerk
