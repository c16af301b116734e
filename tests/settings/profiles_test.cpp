#include "settings/profile_questions.h"
#include "settings/profiles.h"
#include "settings/settings_file.h"
#include "tests/support/printers.h"
#include "tests/support/scripted_requester.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

// Inputs that differ in every field from those of another tag.
RuleInputs inputsTagged(int tag)
{
    const QString text = QString::number(tag);
    return {u"n"_s + text, u"e"_s + text, u"<n>"_s + text, tag % 2 == 1,
            u"f"_s + text, u"r"_s + text, tag % 2 == 0,    tag % 2 == 1,
            tag % 2 == 0,  tag % 6,       (tag + 1) % 6,   tag % 2 == 1};
}

// Slot 0 holds inputs 0 and the given name; the profiles hold inputs 1, 2, ...
SettingsRecords recordsWith(const QStringList &names, const QString &inUse = {})
{
    SettingsRecords records = StoredSettings::defaultRecords();
    putInputs(inputsTagged(0), records[0]);
    records[0].name = inUse;
    for (int slot = 1; slot <= names.size(); ++slot) {
        RenameSettings &record = records[std::size_t(slot)];
        putInputs(inputsTagged(slot), record);
        record.name = names[slot - 1];
        record.active = true;
    }
    return records;
}

QStringList manyNames(int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i) {
        names << u"P"_s + QString::number(i);
    }
    return names;
}

void expectSameRequest(const Request &actual, const Request &expected)
{
    EXPECT_EQ(actual.title, expected.title);
    EXPECT_EQ(actual.heading, expected.heading);
    EXPECT_EQ(actual.text, expected.text);
    EXPECT_EQ(actual.icon, expected.icon);
    EXPECT_EQ(actual.buttons, expected.buttons);
    EXPECT_EQ(actual.firstCaption, expected.firstCaption);
    EXPECT_EQ(actual.secondCaption, expected.secondCaption);
}

TEST(Profiles, QuestionTexts)
{
    const Request overwrite = overwriteQuestion(u"Fotos"_s);
    EXPECT_EQ(overwrite.title, u"Profil speichern"_s);
    EXPECT_EQ(overwrite.heading, u"Unter dem Namen 'Fotos' ist bereits ein Profil gespeichert."_s);
    EXPECT_EQ(overwrite.text, u"Soll dieses überschrieben werden?"_s);
    EXPECT_EQ(overwrite.icon, RequestIcon::Question);
    EXPECT_EQ(overwrite.firstCaption, u"Ü&berschreiben"_s);
    EXPECT_EQ(overwrite.buttons, OkCancel);

    const Request full = noFreeProfileMessage();
    EXPECT_EQ(full.title, u"Achtung!"_s);
    EXPECT_EQ(full.heading, u"Kein freies Profil verfügbar."_s);
    EXPECT_EQ(full.text, u"Speichern Sie die Einstellungen unter einem vorhandenen Namen oder "
                         u"löschen Sie unbenötigte Profile."_s);
    EXPECT_EQ(full.icon, RequestIcon::Error);
    EXPECT_EQ(full.buttons, OkOnly);

    const Request removal = removalQuestion(u"Fotos"_s);
    EXPECT_EQ(removal.title, u"Profil löschen"_s);
    EXPECT_EQ(removal.heading, u"Aktuell wird das Profil 'Fotos' verwendet."_s);
    EXPECT_EQ(removal.text, u"Soll dieses nun deaktiviert oder endgültig gelöscht werden?"_s);
    EXPECT_EQ(removal.icon, RequestIcon::Question);
    EXPECT_EQ(removal.buttons, YesNoCancel);
    EXPECT_EQ(removal.firstCaption, u"&Deaktivieren"_s);
    EXPECT_EQ(removal.secondCaption, u"&Löschen"_s);
}

TEST(Profiles, FirstProfileTakesSlotOne)
{
    SettingsRecords records = recordsWith({});
    Profiles profiles(records);
    EXPECT_EQ(profiles.activeProfile(), -1);
    EXPECT_EQ(profiles.windowTitle(), u"Namenswerk"_s);

    const ProfileDialogSetup dialog = profiles.dialogSetup(ProfileDialogMode::Save);
    EXPECT_EQ(dialog.title, u"Profil speichern"_s);
    EXPECT_EQ(dialog.text, QString());
    EXPECT_FALSE(dialog.okEnabled);

    test::ScriptedRequester nobody;
    EXPECT_EQ(profiles.saveProfile(u" *Fotos* "_s, inputsTagged(7), nobody), 1);
    EXPECT_TRUE(nobody.asked.empty());
    EXPECT_TRUE(records[1].active);
    EXPECT_EQ(records[1].name, u"Fotos"_s);
    EXPECT_EQ(inputsOf(records[1]), inputsTagged(7));
    EXPECT_FALSE(records[2].active);
    EXPECT_EQ(records[0].name, u"Fotos"_s);
    EXPECT_EQ(profiles.activeProfile(), 1);
    EXPECT_EQ(profiles.windowTitle(), u"Namenswerk - Fotos"_s);
    EXPECT_EQ(profiles.profileNames(), QStringList{u"Fotos"_s});
    EXPECT_EQ(profiles.menu().back().text, u"Fotos\t&A  "_s);
}

TEST(Profiles, SavingNewNamesAppends)
{
    SettingsRecords records = recordsWith({u"Fotos"_s, u"Musik"_s}, u"Fotos"_s);
    Profiles profiles(records);
    test::ScriptedRequester nobody;
    EXPECT_EQ(profiles.saveProfile(u"* Neu *"_s, inputsTagged(9), nobody), 3);
    EXPECT_EQ(records[3].name, u" Neu "_s);
    EXPECT_EQ(records[1].name, u"Fotos"_s);
    EXPECT_EQ(inputsOf(records[1]), inputsTagged(1));
    EXPECT_EQ(profiles.windowTitle(), u"Namenswerk -  Neu "_s);
    // Nothing to save once trimmed: nothing changes.
    const SettingsRecords before = records;
    EXPECT_EQ(profiles.saveProfile(u" ** "_s, inputsTagged(9), nobody), 0);
    EXPECT_EQ(records, before);
}

TEST(Profiles, SavingOverAnExistingNameAsksFirst)
{
    // Two profiles that differ in letter case only (a file edited by hand):
    // the later one is the one offered for overwriting.
    struct Case {
        int answer;
        int savedSlot;
    };
    const std::vector<Case> cases{
        {AnswerOverwrite, 3}, {AnswerCancel, 0}, {AnswerYes, 0}, {AnswerOk, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.answer);
        SettingsRecords records = recordsWith({u"fotos"_s, u"Musik"_s, u"FOTOS"_s}, u"Musik"_s);
        const SettingsRecords before = records;
        Profiles profiles(records);
        const QString titleBefore = profiles.windowTitle();
        test::ScriptedRequester requester;
        requester.add(c.answer);

        EXPECT_EQ(profiles.saveProfile(u" *Fotos* "_s, inputsTagged(8), requester), c.savedSlot);
        ASSERT_EQ(requester.asked.size(), 1U);
        expectSameRequest(requester.asked[0], overwriteQuestion(u"Fotos"_s));
        if (c.savedSlot == 0) {
            EXPECT_EQ(records, before);
            EXPECT_EQ(profiles.windowTitle(), titleBefore);
            continue;
        }
        EXPECT_EQ(records[3].name, u"FOTOS"_s);
        EXPECT_EQ(inputsOf(records[3]), inputsTagged(8));
        EXPECT_EQ(records[1], before[1]);
        EXPECT_FALSE(records[4].active);
        EXPECT_EQ(profiles.activeProfile(), 3);
        EXPECT_EQ(profiles.windowTitle(), u"Namenswerk - FOTOS"_s);
    }
}

TEST(Profiles, TwentyFirstProfileIsRefused)
{
    SettingsRecords records = recordsWith(manyNames(20), u"P3"_s);
    const SettingsRecords before = records;
    Profiles profiles(records);
    test::ScriptedRequester requester;
    requester.add(AnswerOk);

    EXPECT_EQ(profiles.saveProfile(u"Neu"_s, inputsTagged(30), requester), 0);
    ASSERT_EQ(requester.asked.size(), 1U);
    expectSameRequest(requester.asked[0], noFreeProfileMessage());
    EXPECT_EQ(records, before);
    EXPECT_EQ(profiles.activeProfile(), 3);

    // An existing name can still be saved over.
    requester.add(AnswerOverwrite);
    EXPECT_EQ(profiles.saveProfile(u"p20"_s, inputsTagged(30), requester), 20);
    EXPECT_EQ(inputsOf(records[20]), inputsTagged(30));
}

TEST(Profiles, SelectingCopiesTheProfileIntoTheCurrentRecord)
{
    SettingsRecords records = recordsWith({u"Fotos"_s, u"Musik"_s});
    records[0].txtFirst = true;
    Profiles profiles(records);

    const std::optional<RuleInputs> inputs = profiles.selectProfile(2);
    ASSERT_TRUE(inputs);
    EXPECT_EQ(*inputs, inputsTagged(2));
    EXPECT_EQ(inputsOf(records[0]), inputsTagged(2));
    EXPECT_TRUE(records[0].txtFirst);
    EXPECT_EQ(records[0].name, u"Musik"_s);
    EXPECT_EQ(profiles.activeProfile(), 2);
    EXPECT_EQ(profiles.windowTitle(), u"Namenswerk - Musik"_s);
    EXPECT_EQ(profiles.applyInputs(1), inputsTagged(1));

    const SettingsRecords before = records;
    EXPECT_FALSE(profiles.selectProfile(3));
    EXPECT_FALSE(profiles.selectProfile(0));
    EXPECT_FALSE(profiles.selectProfile(21));
    EXPECT_EQ(records, before);
}

TEST(Profiles, StoringInputsNeverLeavesAGap)
{
    SettingsRecords records = recordsWith({u"Fotos"_s});
    Profiles profiles(records);
    EXPECT_TRUE(profiles.storeInputs(0, inputsTagged(5)));
    EXPECT_EQ(inputsOf(records[0]), inputsTagged(5));
    EXPECT_TRUE(profiles.storeInputs(1, inputsTagged(5)));
    EXPECT_FALSE(profiles.storeInputs(3, inputsTagged(5)));
    EXPECT_FALSE(profiles.storeInputs(-1, inputsTagged(5)));
    EXPECT_FALSE(records[3].active);
    EXPECT_TRUE(profiles.storeInputs(2, inputsTagged(5)));
    EXPECT_EQ(profiles.profileCount(), 2);
}

TEST(Profiles, ModifiedMarkFollowsTheInputs)
{
    SettingsRecords records = recordsWith({u"Fotos"_s, u"Musik"_s});
    Profiles profiles(records);
    profiles.selectProfile(1);

    RuleInputs inputs = inputsTagged(1);
    inputs.fileDate = !inputs.fileDate;
    profiles.markModified(inputs);
    EXPECT_EQ(profiles.windowTitle(), u"Namenswerk - Fotos*"_s);
    profiles.markModified(inputs);
    EXPECT_EQ(profiles.windowTitle(), u"Namenswerk - Fotos*"_s);
    inputs.fileDate = !inputs.fileDate;
    profiles.markModified(inputs);
    EXPECT_EQ(profiles.windowTitle(), u"Namenswerk - Fotos"_s);

    // Neither the name nor TxtFirst count.
    records[1].txtFirst = !records[1].txtFirst;
    profiles.markModified(inputs);
    EXPECT_FALSE(profiles.isModified());

    // Without a profile there is nothing to compare with.
    profiles.deactivate();
    profiles.markModified(inputsTagged(4));
    EXPECT_EQ(profiles.windowTitle(), u"Namenswerk"_s);
}

TEST(Profiles, ModifiedMarkAtStart)
{
    struct Case {
        QString inUse;
        int firstInputs;
        QString title;
    };
    // Slot 0 named after a profile compares with it; a name that no profile
    // has is shown but compared with nothing.
    const std::vector<Case> cases{
        {u"Fotos"_s, 1, u"Namenswerk - Fotos"_s},
        {u"Fotos"_s, 9, u"Namenswerk - Fotos*"_s},
        {u"Weg"_s, 9, u"Namenswerk - Weg"_s},
        {QString(), 9, u"Namenswerk"_s},
    };
    for (const Case &c : cases) {
        SettingsRecords records = recordsWith({u"Fotos"_s}, c.inUse);
        putInputs(inputsTagged(c.firstInputs), records[0]);
        Profiles profiles(records);
        EXPECT_EQ(profiles.windowTitle(), c.title);
        profiles.markModified(inputsTagged(3));
        EXPECT_EQ(profiles.windowTitle(),
                  c.inUse == u"Fotos"_s ? u"Namenswerk - Fotos*"_s : c.title);
    }
}

TEST(Profiles, RenamingNamesTheProfileInUse)
{
    SettingsRecords records = recordsWith({u"Fotos"_s, u"Musik"_s}, u"Fotos"_s);
    Profiles profiles(records);
    const ProfileDialogSetup dialog = profiles.dialogSetup(ProfileDialogMode::Rename);
    EXPECT_EQ(dialog.title, u"Profil umbenennen"_s);
    EXPECT_EQ(dialog.text, u"Fotos"_s);
    EXPECT_FALSE(dialog.okEnabled);

    const SettingsRecords before = records;
    EXPECT_FALSE(profiles.renameProfile(u"musik"_s));
    EXPECT_FALSE(profiles.renameProfile(QString()));
    EXPECT_EQ(records, before);

    profiles.markModified(inputsTagged(5));
    EXPECT_TRUE(profiles.renameProfile(u" Bilder*"_s));
    EXPECT_EQ(records[1].name, u" Bilder*"_s);
    EXPECT_EQ(records[0].name, u" Bilder*"_s);
    EXPECT_EQ(records[2].name, u"Musik"_s);
    EXPECT_EQ(profiles.windowTitle(), u"Namenswerk -  Bilder**"_s);
    profiles.markModified(inputsTagged(1));
    EXPECT_EQ(profiles.windowTitle(), u"Namenswerk -  Bilder*"_s);
    EXPECT_EQ(profiles.menu().back().icon, ProfileMenuIcon::OtherProfile);
}

TEST(Profiles, RenamingWithoutAProfileChangesNothing)
{
    SettingsRecords records = recordsWith({u"Fotos"_s});
    Profiles profiles(records);
    EXPECT_FALSE(profiles.renameProfile(u"Neu"_s));
    EXPECT_EQ(records[0].name, QString());
}

TEST(Profiles, DeactivatingOrDeletingTheProfileInUse)
{
    struct Case {
        int answer;
        ProfileRemoval result;
        QStringList namesAfter;
    };
    const std::vector<Case> cases{
        {AnswerDeactivate, ProfileRemoval::Deactivated, {u"A"_s, u"B"_s, u"C"_s}},
        {AnswerDelete, ProfileRemoval::Deleted, {u"A"_s, u"C"_s}},
        {AnswerCancel, ProfileRemoval::None, {u"A"_s, u"B"_s, u"C"_s}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.answer);
        SettingsRecords records = recordsWith({u"A"_s, u"B"_s, u"C"_s});
        Profiles profiles(records);
        profiles.selectProfile(2);
        const SettingsRecords selected = records;
        test::ScriptedRequester requester;
        requester.add(c.answer);

        EXPECT_EQ(profiles.removeProfileInUse(requester), c.result);
        ASSERT_EQ(requester.asked.size(), 1U);
        expectSameRequest(requester.asked[0], removalQuestion(u"B"_s));
        EXPECT_EQ(profiles.profileNames(), c.namesAfter);
        EXPECT_EQ(inputsOf(records[0]), inputsTagged(2));
        if (c.result == ProfileRemoval::None) {
            EXPECT_EQ(records, selected);
            EXPECT_EQ(profiles.windowTitle(), u"Namenswerk - B"_s);
            continue;
        }
        EXPECT_EQ(profiles.windowTitle(), u"Namenswerk"_s);
        EXPECT_EQ(profiles.activeProfile(), -1);
        EXPECT_EQ(records[0].name, QString());
        if (c.result == ProfileRemoval::Deleted) {
            EXPECT_EQ(inputsOf(records[2]), inputsTagged(3));
            EXPECT_EQ(records[3], RenameSettings::cleared());
        }
    }
}

TEST(Profiles, NoQuestionWithoutAProfileInUse)
{
    SettingsRecords records = recordsWith({u"A"_s});
    Profiles profiles(records);
    test::ScriptedRequester nobody;
    EXPECT_EQ(profiles.removeProfileInUse(nobody), ProfileRemoval::None);
    EXPECT_TRUE(nobody.asked.empty());
}

TEST(Profiles, DeletingShiftsEveryLaterSlot)
{
    SettingsRecords records = recordsWith(manyNames(20), u"P1"_s);
    const SettingsRecords before = records;
    Profiles profiles(records);
    ASSERT_TRUE(profiles.deleteProfile());
    for (int slot = 1; slot < ProfileSlots; ++slot) {
        EXPECT_EQ(records[std::size_t(slot)], before[std::size_t(slot + 1)]) << slot;
    }
    EXPECT_EQ(records[20], RenameSettings::cleared());
    EXPECT_EQ(profiles.profileCount(), 19);
}

TEST(Profiles, DeletingTakesTheProfileInUseByExactName)
{
    // Same name twice (edited by hand): the one in use goes. A name in other
    // letter case is another profile.
    SettingsRecords records = recordsWith({u"X"_s, u"x"_s, u"X"_s, u"Y"_s}, u"X"_s);
    Profiles profiles(records);
    EXPECT_EQ(profiles.activeProfile(), 3);
    ASSERT_TRUE(profiles.deleteProfile());
    EXPECT_EQ(profiles.profileNames(), (QStringList{u"X"_s, u"x"_s, u"Y"_s}));
    EXPECT_EQ(inputsOf(records[1]), inputsTagged(1));

    records[0].name = u"X"_s;
    profiles.selectProfile(1);
    ASSERT_TRUE(profiles.deleteProfile());
    EXPECT_EQ(profiles.profileNames(), (QStringList{u"x"_s, u"Y"_s}));

    // A name in use that no profile has: nothing to delete.
    profiles.setProfileInUse(u"Weg"_s);
    EXPECT_FALSE(profiles.deleteProfile());
    EXPECT_EQ(profiles.windowTitle(), u"Namenswerk - Weg"_s);
}

TEST(Profiles, MenuEntries)
{
    SettingsRecords records = recordsWith({});
    Profiles profiles(records);
    const std::vector<ProfileMenuEntry> empty = profiles.menu();
    ASSERT_EQ(empty.size(), 5U);
    const std::vector<ProfileMenuEntry> fixed{
        {u"Einstellungen als Profil &speichern...\tStrg+S"_s, SaveProfileCommand,
         ProfileMenuIcon::SaveProfile, true},
        {u"Aktuelles Profil l&öschen...\tStrg+L"_s, DeleteProfileCommand,
         ProfileMenuIcon::DeleteProfile, false},
        {u"Aktuelles Profile umbenennen...\tStrg+B"_s, RenameProfileCommand,
         ProfileMenuIcon::RenameProfile, false},
        {},
        {u"Eins&tellungen merken\tEnter"_s, RememberSettingsCommand,
         ProfileMenuIcon::RememberSettings, true},
    };
    EXPECT_EQ(empty, fixed);
    EXPECT_TRUE(empty[3].isSeparator());

    records = recordsWith(manyNames(20), u"P19"_s);
    Profiles full(records);
    const std::vector<ProfileMenuEntry> menu = full.menu();
    ASSERT_EQ(menu.size(), 26U);
    EXPECT_TRUE(menu[1].enabled && menu[2].enabled);
    EXPECT_TRUE(menu[5].isSeparator());
    const QString letters = u"ABCDEFGHIJKLMNOPQRXY"_s;
    for (int slot = 1; slot <= ProfileSlots; ++slot) {
        const ProfileMenuEntry &item = menu[std::size_t(5 + slot)];
        EXPECT_EQ(item.text, u"P%1\t&%2  "_s.arg(slot).arg(letters[slot - 1]));
        EXPECT_EQ(item.command, 150 + slot);
        EXPECT_EQ(item.slot, slot);
        EXPECT_TRUE(item.enabled);
        EXPECT_EQ(item.inUse, slot == 19);
        EXPECT_EQ(item.icon,
                  slot == 19 ? ProfileMenuIcon::ActiveProfile : ProfileMenuIcon::OtherProfile);
    }
}

TEST(Profiles, DeletedProfileLeavesTheFileAfterTheNextWrite)
{
    test::TempFolder folder;
    StoredSettings settings;
    settings.records = recordsWith({u"Eins"_s, u"Zwei"_s, u"Drei"_s}, u"Zwei"_s);
    ASSERT_TRUE(writeSettings(folder.path(), settings));

    StoredSettings read = readSettings(folder.path());
    Profiles profiles(read.records);
    EXPECT_EQ(profiles.activeProfile(), 2);
    ASSERT_TRUE(profiles.deleteProfile());
    EXPECT_EQ(profiles.menu().back().text, u"Drei\t&B  "_s);
    ASSERT_TRUE(writeSettings(folder.path(), read));

    const StoredSettings again = readSettings(folder.path());
    EXPECT_EQ(again.records, read.records);
    EXPECT_EQ(again.records[2].name, u"Drei"_s);
    EXPECT_EQ(inputsOf(again.records[2]), inputsTagged(3));
    EXPECT_EQ(again.records[0].name, QString());

    const IniDocument file = IniDocument::load(settingsFilePath(folder.path()));
    EXPECT_EQ(file.value(profileGroup(2), u"Name"_s), u"Drei"_s);
    EXPECT_EQ(file.value(profileGroup(3), u"Active"_s), u"0"_s);
    // The given-up group keeps its old keys.
    EXPECT_EQ(file.value(profileGroup(3), u"Name"_s), u"Drei"_s);
}

} // namespace
} // namespace namenswerk
