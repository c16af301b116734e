#include "settings/list_file.h"
#include "settings/settings_file.h"
#include "tests/ui/controller_fixture.h"
#include "ui/input_history.h"

#include <QApplication>
#include <QTest>

namespace namenswerk::test {
namespace {

using namespace Qt::StringLiterals;

constexpr int textFields[] = {control::NamePatternField, control::ExtensionPatternField,
                              control::TemplateField, control::FirstReplaceField,
                              control::FinalReplaceField};

struct OnTopCase {
    const char *label;
    QStringList entries;
    QString text;
    QStringList expected;
};

void PrintTo(const OnTopCase &c, std::ostream *out)
{
    *out << c.label;
}

class DropDownEntries : public testing::TestWithParam<OnTopCase> {};

TEST_P(DropDownEntries, NewestTextGoesOnTop)
{
    const OnTopCase &c = GetParam();
    EXPECT_EQ(withEntryOnTop(c.entries, c.text), c.expected);
}

const QStringList nine{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s, u"9"_s};

INSTANTIATE_TEST_SUITE_P(
    Cases, DropDownEntries,
    testing::Values(OnTopCase{"new text on an empty list", {}, u"a"_s, {u"a"_s}},
                    OnTopCase{"an empty text changes nothing", {u"a"_s}, {}, {u"a"_s}},
                    OnTopCase{"a known text moves up without a copy",
                              {u"a"_s, u"b"_s, u"c"_s},
                              u"c"_s,
                              {u"c"_s, u"a"_s, u"b"_s}},
                    OnTopCase{"the comparison is exact", {u"a"_s}, u"A"_s, {u"A"_s, u"a"_s}},
                    OnTopCase{
                        "a tenth text pushes the oldest out",
                        nine,
                        u"neu"_s,
                        {u"neu"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s}},
                    OnTopCase{"a known text in a full list keeps all others", nine, u"9"_s,
                              QStringList{u"9"_s} + nine.first(8)}));

class InputCommands : public ControllerTest {
protected:
    InputCommands() { dropFiles({u"a.txt"_s, u"b.txt"_s}); }

    std::vector<QString> texts() const
    {
        std::vector<QString> result;
        for (const int number : textFields) {
            result.push_back(field(number)->currentText());
        }
        return result;
    }

    void applyStartTexts(const std::vector<QString> &start)
    {
        StoredSettings stored;
        stored.records[0].regFindname = start[0];
        stored.records[0].regFindext = start[1];
        stored.records[0].regReplace = start[2];
        stored.records[0].txtFind = start[3];
        stored.records[0].txtReplace = start[4];
        controller.applySettings(stored);
        controller.refresh();
    }
};

TEST_F(InputCommands, EnterInAFieldRemembersTheTextsAndSavesTheSettings)
{
    QTest::keyClicks(editor(control::NamePatternField), u"<*>"_s);
    QTest::keyClicks(editor(control::TemplateField), u"x_<n>"_s);
    editor(control::TemplateField)->setFocus();
    press(Qt::Key_Return);

    EXPECT_EQ(dropDownEntries(*field(control::NamePatternField)), QStringList({u"<*>"_s}));
    EXPECT_EQ(dropDownEntries(*field(control::TemplateField)), QStringList({u"x_<n>"_s}));
    EXPECT_TRUE(dropDownEntries(*field(control::ExtensionPatternField)).isEmpty());
    EXPECT_EQ(field(control::TemplateField)->currentText(), u"x_<n>"_s);
    EXPECT_TRUE(editor(control::TemplateField)->hasFocus());

    const StoredSettings saved = readSettings(folder.path());
    EXPECT_EQ(saved.records[0].regFindname, u"<*>"_s);
    EXPECT_EQ(saved.records[0].regReplace, u"x_<n>"_s);
    EXPECT_EQ(saved.startCount, 1) << "a run's saves all count once";

    // A second text pushes the first down; both are saved.
    editor(control::TemplateField)->clear();
    QTest::keyClicks(editor(control::TemplateField), u"y_<n>"_s);
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(dropDownEntries(*field(control::TemplateField)),
              QStringList({u"y_<n>"_s, u"x_<n>"_s}));
    EXPECT_EQ(readSettings(folder.path()).inputLists.regReplace,
              QStringList({u"y_<n>"_s, u"x_<n>"_s}));
}

TEST_F(InputCommands, EnterAlsoKeepsTheListWhenTheListIsRemembered)
{
    press(Qt::Key_Return);
    EXPECT_TRUE(folder.exists(u"Brindlewick.ini"_s));
    EXPECT_FALSE(folder.exists(u"Brindlewick.lst"_s));

    press(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    press(Qt::Key_Return);
    EXPECT_TRUE(readSettings(folder.path()).rememberList);
    FileList reread;
    readListFile(reread, folder.file(u"Brindlewick.lst"_s), true, 100);
    ASSERT_EQ(reread.count(), 2);
    EXPECT_EQ(reread.at(1).oldName, u"b.txt"_s);
}

TEST_F(InputCommands, CtrlZRightAfterStartEmptiesTheFieldsAndThenBringsThemBack)
{
    const std::vector<QString> start{u"<*>"_s, u"*"_s, u"neu_<n>.<e>"_s, u"x|y"_s, u"q|r"_s};
    applyStartTexts(start);

    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(texts(), std::vector<QString>(5));
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(texts(), start);
    EXPECT_EQ(list.at(0).newName, u"neu_a.txt"_s);
}

TEST_F(InputCommands, CtrlZAlternatesBetweenTheStateBeforeAndAfterTheLastChange)
{
    applyStartTexts({{}, {}, u"<n>.<e>"_s, {}, {}});
    editor(control::TemplateField)->setFocus();
    QTest::keyClicks(editor(control::TemplateField), u"X"_s);
    ASSERT_EQ(list.at(0).newName, u"a.txtX"_s);

    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field(control::TemplateField)->currentText(), u"<n>.<e>"_s);
    EXPECT_EQ(list.at(0).newName, u"a.txt"_s) << "the restored template is parsed again";
    EXPECT_TRUE(editor(control::TemplateField)->hasFocus()) << "the focus stays";

    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field(control::TemplateField)->currentText(), u"<n>.<e>X"_s);
    EXPECT_EQ(list.at(0).newName, u"a.txtX"_s);

    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field(control::TemplateField)->currentText(), u"<n>.<e>"_s);
}

} // namespace
} // namespace namenswerk::test
