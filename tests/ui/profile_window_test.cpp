#include "settings/profiles.h"
#include "tests/support/scripted_requester.h"
#include "ui/profile_window.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;
using Mode = ProfileDialogMode;

SettingsRecords recordsWith(const QStringList &names, const QString &inUse)
{
    SettingsRecords records{};
    records[0].active = true;
    records[0].name = inUse;
    for (int slot = 1; slot <= names.size(); ++slot) {
        records[std::size_t(slot)].name = names[slot - 1];
        records[std::size_t(slot)].active = true;
    }
    return records;
}

struct Keystroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// The key goes where the keyboard focus is, as a real one would.
void press(const Keystroke &stroke)
{
    QWidget *target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, stroke.key, stroke.modifiers);
}

// Replaces the opening text, which is selected, by the given one.
void typeName(const QString &text)
{
    press({Qt::Key_Backspace});
    QTest::keyClicks(QApplication::focusWidget(), text);
}

class ProfileWindowTest : public ::testing::Test {
protected:
    void TearDown() override { QApplication::processEvents(); }

    // Shows the prepared window without waiting for it to close.
    void open(Mode mode)
    {
        window.prepare(mode, profiles);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Runs the window modally and lets the "user" act on it once it is up. A
    // window the action leaves open is a failure and is closed so the test
    // goes on.
    std::optional<QString> runAndAct(Mode mode, const std::function<void()> &act)
    {
        window.prepare(mode, profiles);
        QTimer::singleShot(0, &window, [this, &act] {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
            act();
            if (window.isVisible()) {
                ADD_FAILURE() << "the profile window is still open";
                window.done(QDialog::Rejected);
            }
        });
        return window.run();
    }

    SettingsRecords records = recordsWith({u"Fotos"_s, u"Urlaub"_s}, u"Fotos"_s);
    Profiles profiles{records};
    QWidget owner;
    ProfileWindow window{&owner};
};

struct EnableCase {
    const char *name;
    Mode mode;
    QString typed;
    bool okEnabled;
};

void PrintTo(const EnableCase &c, std::ostream *out)
{
    *out << c.name;
}

class ProfileWindowOk : public ProfileWindowTest,
                        public ::testing::WithParamInterface<EnableCase> {};

TEST_P(ProfileWindowOk, IsEnabledByTheTypedText)
{
    const EnableCase &c = GetParam();
    open(c.mode);
    typeName(c.typed);
    EXPECT_EQ(window.typedText(), c.typed);
    EXPECT_EQ(window.okButton()->isEnabled(), c.okEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProfileWindowOk,
    ::testing::Values(EnableCase{"SaveEmpty", Mode::Save, {}, false},
                      EnableCase{"SaveBlanks", Mode::Save, u"   "_s, false},
                      EnableCase{"SaveOnlyStarsAndBlanks", Mode::Save, u" ** "_s, false},
                      EnableCase{"SaveNewName", Mode::Save, u"Reisen"_s, true},
                      EnableCase{"SaveExistingNameWrapped", Mode::Save, u" *fotos* "_s, true},
                      EnableCase{"RenameEmpty", Mode::Rename, {}, false},
                      EnableCase{"RenameToCurrentName", Mode::Rename, u"Fotos"_s, false},
                      EnableCase{"RenameToOtherInOtherCase", Mode::Rename, u"URLAUB"_s, false},
                      EnableCase{"RenameToNewName", Mode::Rename, u"Reisen"_s, true},
                      EnableCase{"RenameWithTrailingBlank", Mode::Rename, u"Fotos "_s, true}),
    [](const auto &info) { return std::string(info.param.name); });

struct KeyCase {
    const char *name;
    Mode mode;
    QString typed;
    std::vector<Keystroke> keys;
    std::optional<QString> result;
};

void PrintTo(const KeyCase &c, std::ostream *out)
{
    *out << c.name;
}

class ProfileWindowKeys : public ProfileWindowTest,
                          public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ProfileWindowKeys, AnswerAsTheButtons)
{
    const KeyCase &c = GetParam();
    const auto result = runAndAct(c.mode, [&c] {
        typeName(c.typed);
        for (const Keystroke &stroke : c.keys) {
            press(stroke);
        }
    });
    EXPECT_EQ(result, c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProfileWindowKeys,
    ::testing::Values(
        KeyCase{"Return", Mode::Save, u"Reisen"_s, {{Qt::Key_Return}}, u"Reisen"_s},
        KeyCase{"AltOKeepsTheTextAsTyped",
                Mode::Save,
                u" *Reisen "_s,
                {{Qt::Key_O, Qt::AltModifier}},
                u" *Reisen "_s},
        KeyCase{"KeypadEnter",
                Mode::Rename,
                u"Reisen"_s,
                {{Qt::Key_Enter, Qt::KeypadModifier}},
                u"Reisen"_s},
        KeyCase{"ReturnOnTheCancelButtonStillConfirms",
                Mode::Save,
                u"Reisen"_s,
                {{Qt::Key_Tab}, {Qt::Key_Tab}, {Qt::Key_Return}},
                u"Reisen"_s},
        KeyCase{"Escape", Mode::Save, u"Reisen"_s, {{Qt::Key_Escape}}, std::nullopt},
        KeyCase{"AltA", Mode::Rename, u"Reisen"_s, {{Qt::Key_A, Qt::AltModifier}}, std::nullopt},
        KeyCase{"ReturnWhileOkIsDisabledWaits",
                Mode::Rename,
                u"urlaub"_s,
                {{Qt::Key_Return}, {Qt::Key_O, Qt::AltModifier}, {Qt::Key_Escape}},
                std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ProfileWindowTest, AltLettersAreNotTypedIntoTheName)
{
    open(Mode::Rename);
    typeName(u"Reise"_s);
    press({Qt::Key_A, Qt::AltModifier});
    EXPECT_EQ(window.nameField()->text(), u"Reise"_s);
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ProfileWindowTest, ButtonsAndCloseBoxAnswer)
{
    EXPECT_EQ(
        runAndAct(Mode::Save, [this] { QTest::mouseClick(window.okButton(), Qt::LeftButton); }),
        u"Fotos"_s);
    EXPECT_EQ(
        runAndAct(Mode::Save, [this] { QTest::mouseClick(window.cancelButton(), Qt::LeftButton); }),
        std::nullopt);
    EXPECT_EQ(runAndAct(Mode::Save,
                        [this] {
                            typeName(u"Reisen"_s);
                            window.close();
                        }),
              std::nullopt);
}

TEST_F(ProfileWindowTest, SavingOffersTheStoredNamesBelowTheNameInUse)
{
    open(Mode::Save);
    EXPECT_EQ(window.windowTitle(), u"Profil speichern"_s);
    EXPECT_TRUE(window.nameBox()->isVisible());
    EXPECT_FALSE(window.nameField()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), window.nameBox());
    ASSERT_EQ(window.nameBox()->count(), 2);
    EXPECT_EQ(window.nameBox()->itemText(0), u"Fotos"_s);
    EXPECT_EQ(window.nameBox()->itemText(1), u"Urlaub"_s);
    EXPECT_EQ(window.nameBox()->currentText(), u"Fotos"_s);
    EXPECT_EQ(window.nameBox()->lineEdit()->selectedText(), u"Fotos"_s);
    EXPECT_TRUE(window.okButton()->isEnabled());
    EXPECT_TRUE(window.okButton()->isDefault());
}

TEST_F(ProfileWindowTest, SavingWithoutANameInUseWaitsForOne)
{
    records[0].name.clear();
    open(Mode::Save);
    EXPECT_EQ(window.typedText(), QString());
    EXPECT_FALSE(window.okButton()->isEnabled());

    // Picking a stored name from the list counts as typing it.
    window.nameBox()->setCurrentIndex(1);
    EXPECT_EQ(window.typedText(), u"Urlaub"_s);
    EXPECT_TRUE(window.okButton()->isEnabled());
}

TEST_F(ProfileWindowTest, TypingAPrefixOfAStoredNameKeepsThePrefix)
{
    open(Mode::Save);
    typeName(u"Fot"_s);
    EXPECT_EQ(window.typedText(), u"Fot"_s);
}

TEST_F(ProfileWindowTest, RenamingShowsTheNameInUseSelected)
{
    open(Mode::Rename);
    EXPECT_EQ(window.windowTitle(), u"Profil umbenennen"_s);
    EXPECT_TRUE(window.nameField()->isVisible());
    EXPECT_FALSE(window.nameBox()->isVisible());
    EXPECT_EQ(window.nameField()->geometry(), window.nameBox()->geometry());
    EXPECT_EQ(QApplication::focusWidget(), window.nameField());
    EXPECT_EQ(window.nameField()->selectedText(), u"Fotos"_s);
    EXPECT_FALSE(window.okButton()->isEnabled());
}

TEST_F(ProfileWindowTest, ControlsStandAtTheirPlaces)
{
    const std::vector<std::pair<int, QRect>> places{
        {profile_window::NameLabel, {15, 15, 100, 20}},
        {profile_window::NameBox, {15, 40, 210, 22}},
        {profile_window::NameField, {15, 40, 210, 22}},
        {profile_window::OkButton, {40, 80, 90, 25}},
        {profile_window::CancelButton, {135, 80, 90, 25}},
    };
    for (const auto &[number, rect] : places) {
        EXPECT_EQ(window.control(number)->geometry(), rect) << number;
    }
    EXPECT_EQ(window.size(), QSize(242, 120));
    EXPECT_EQ(window.nameLabel()->text(), u"&Name des Profiles:"_s);
    EXPECT_EQ(window.okButton()->text(), u"&Ok"_s);
    EXPECT_EQ(window.cancelButton()->text(), u"&Abbrechen"_s);
}

TEST_F(ProfileWindowTest, OpensBesideTheOwnerWhichIsDisabledMeanwhile)
{
    owner.move(130, 70);
    bool ownerEnabledWhileOpen = true;
    QPoint placeWhileOpen;
    const auto result = runAndAct(Mode::Rename, [&] {
        ownerEnabledWhileOpen = owner.isEnabled();
        placeWhileOpen = window.pos();
        EXPECT_TRUE(window.isEnabled());
        typeName(u"Reisen"_s);
        press({Qt::Key_Return});
    });
    EXPECT_FALSE(ownerEnabledWhileOpen);
    EXPECT_EQ(placeWhileOpen, QPoint(650, 170));
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_EQ(result, u"Reisen"_s);
}

TEST_F(ProfileWindowTest, TheAnswerSavesAProfileThatTheTitleNames)
{
    owner.show();
    QTimer::singleShot(0, &owner, [] {
        auto *modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowActive(modal));
        typeName(u" *Reisen* "_s);
        press({Qt::Key_Return});
    });
    const auto typed = ProfileWindow::ask(Mode::Save, profiles, &owner);
    ASSERT_EQ(typed, u" *Reisen* "_s);

    test::ScriptedRequester requester;
    EXPECT_EQ(profiles.saveProfile(*typed, {}, requester), 3);
    EXPECT_EQ(profiles.windowTitle(), u"Namenswerk - Reisen"_s);
    EXPECT_TRUE(owner.isEnabled());
}

} // namespace
} // namespace namenswerk
