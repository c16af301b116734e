#include "ui/artwork.h"
#include "ui/file_list_model.h"
#include "ui/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;
namespace c = control;

// Controls whose place the resize rule may change.
constexpr int allControls[] = {
    c::PatternFrame,         c::NamePatternLabel,      c::NamePatternField,
    c::NamePatternIcon,      c::ExtensionPatternLabel, c::ExtensionPatternField,
    c::ExtensionPatternIcon, c::TemplateLabel,         c::TemplateField,
    c::TemplateIcon,         c::PatternCaseBox,        c::ReplaceFrame,
    c::FirstReplaceLabel,    c::FirstReplaceField,     c::FirstReplaceIcon,
    c::FinalReplaceLabel,    c::FinalReplaceField,     c::FinalReplaceIcon,
    c::NameOnlyBox,          c::ReplaceCaseBox,        c::ReplaceAllBox,
    c::ExtraFrame,           c::NameCaseLabel,         c::NameCaseList,
    c::ExtensionCaseLabel,   c::ExtensionCaseList,     c::FileDateBox,
    c::FileListView,         c::SeparatorLine,         c::StatusLine,
    c::RenameButton,         c::CloseButton,           c::ProfileButton,
    c::SpecialButton,        c::FilterButton,
};

std::map<int, QRect> geometries(const MainWindow &window)
{
    std::map<int, QRect> result;
    for (const int number : allControls) {
        result[number] = window.control(number)->geometry();
    }
    return result;
}

void resizeTo(MainWindow &window, int width, int height)
{
    window.resize(width, height);
    QCoreApplication::processEvents();
    ASSERT_EQ(window.size(), QSize(width, height));
}

// Check boxes stand where the rule puts them; their widths follow their
// captions (see OptionCaptionsEndWithWholeWords).
void expectPlaced(const QWidget *widget, const QRect &rule)
{
    if (qobject_cast<const QCheckBox *>(widget) != nullptr) {
        EXPECT_EQ(widget->pos(), rule.topLeft());
        EXPECT_EQ(widget->height(), rule.height());
    } else {
        EXPECT_EQ(widget->geometry(), rule);
    }
}

class MainWindowTest : public ::testing::Test {
protected:
    FileList list;
    MainWindow window{list};
};

// Where every text fits the room the rule gives it, the rule's pixels hold
// exactly; in a font this small every text does.
class RuleFont {
public:
    RuleFont()
    {
        QFont small = saved_;
        small.setPixelSize(5);
        QApplication::setFont(small);
    }
    ~RuleFont() { QApplication::setFont(saved_); }
    RuleFont(const RuleFont &) = delete;
    RuleFont &operator=(const RuleFont &) = delete;

private:
    QFont saved_ = QApplication::font();
};

class RuleLayoutTest : public ::testing::Test {
protected:
    RuleFont font;
    FileList list;
    MainWindow window{list};
};

TEST_F(RuleLayoutTest, ControlsStandAtTheirCreationPlacesWithTheirTexts)
{
    struct Expected {
        int number;
        QRect rect;
        QString text;
        QString tip;
    };
    const std::vector<Expected> expected{
        {c::PatternFrame, {10, 10, 560, 72}, u"Reguläre Ausdrücke"_s, {}},
        {c::NamePatternLabel, {20, 30, 60, 20}, u"Datei&name:"_s, {}},
        {c::ExtensionPatternField,
         {410, 29, 125, 22},
         {},
         u"Regulärer Ausdruck für die Dateierweiterung"_s},
        {c::TemplateIcon, {307, 57, 16, 16}, {}, u"Ok."_s},
        {c::NameOnlyBox,
         {346, 104, 180, 18},
         u" Nur den Dateina&men verändern"_s,
         u"Suchen und Ersetzen auf den Dateinamen beschränken."_s},
        {c::FileDateBox,
         {455, 188, 76, 18},
         u" Datei&datum aktualisieren"_s,
         u"Dateidatum beim Umbennen für jede Datei aktualisieren."_s},
        {c::FileListView, {10, 230, 694, 285}, {}, {}},
        {c::SeparatorLine, {0, 530, 720, 2}, {}, {}},
        {c::StatusLine, {0, 534, 999, 16}, {}, {}},
        {c::RenameButton, {585, 15, 115, 30}, u"&Umbenennen"_s, u"Alle Dateien umbenennen..."_s},
        {c::FilterButton,
         {585, 180, 115, 30},
         u"Ergebnisliste &filtern"_s,
         u"Wahl eines Anzeigefilters..."_s},
    };
    for (const Expected &e : expected) {
        SCOPED_TRACE(e.number);
        QWidget *widget = window.control(e.number);
        ASSERT_NE(widget, nullptr);
        expectPlaced(widget, e.rect);
        EXPECT_EQ(widget->toolTip(), e.tip);
        if (auto *frame = qobject_cast<QGroupBox *>(widget)) {
            EXPECT_EQ(frame->title(), e.text);
        } else if (auto *label = qobject_cast<QLabel *>(widget)) {
            EXPECT_EQ(label->text(), e.text);
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            EXPECT_EQ(button->text(), e.text);
        }
    }
    EXPECT_EQ(window.windowTitle(), u"Namenswerk"_s);
    EXPECT_EQ(window.size(), QSize(720, 552));
    EXPECT_EQ(window.minimumSize(), QSize(720, 400));
}

TEST_F(RuleLayoutTest, ControlsHaveTheirKinds)
{
    for (const int field : {c::NamePatternField, c::ExtensionPatternField, c::TemplateField,
                            c::FirstReplaceField, c::FinalReplaceField}) {
        ASSERT_NE(window.inputField(field), nullptr) << field;
    }
    for (const int number : {c::NameCaseList, c::ExtensionCaseList}) {
        QComboBox *list = window.caseList(number);
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), 6);
        EXPECT_EQ(list->itemText(0), u"Unverändert"_s);
        EXPECT_EQ(list->itemText(4), u"Wortanfänge groß"_s);
    }
    EXPECT_TRUE(window.button(c::RenameButton)->isDefault());
    EXPECT_TRUE(window.button(c::FilterButton)->isCheckable());
    EXPECT_FALSE(window.button(c::CloseButton)->isCheckable());
    for (int box = c::PatternCaseBox; box <= c::FileDateBox; ++box) {
        EXPECT_NE(window.optionBox(box), nullptr) << box;
    }
    QHeaderView *header = window.fileListView()->header();
    const QStringList titles{u" ·"_s,    u"Alter Dateiname"_s, u"Neuer Dateiname"_s,
                             u"Größe"_s, u"Datum"_s,           u"Status"_s};
    const int widths[] = {20, 210, 210, 52, 102, 78};
    for (int column = 0; column < 6; ++column) {
        EXPECT_EQ(window.fileListModel()->headerData(column, Qt::Horizontal).toString(),
                  titles[column]);
        EXPECT_EQ(header->sectionSize(column), widths[column]);
    }
}

TEST_F(MainWindowTest, LabelTextsAreNotCutByTheFieldsBesideThem)
{
    const std::vector<std::pair<int, int>> labelsAndFields{
        {c::NamePatternLabel, c::NamePatternField},
        {c::ExtensionPatternLabel, c::ExtensionPatternField},
        {c::TemplateLabel, c::TemplateField},
        {c::FirstReplaceLabel, c::FirstReplaceField},
        {c::FinalReplaceLabel, c::FinalReplaceField},
        {c::NameCaseLabel, c::NameCaseList},
        {c::ExtensionCaseLabel, c::ExtensionCaseList},
    };
    for (const auto &[labelNumber, fieldNumber] : labelsAndFields) {
        auto *label = qobject_cast<QLabel *>(window.control(labelNumber));
        QString shown = label->text();
        shown.remove(u'&');
        const int room = std::min(label->width(), window.control(fieldNumber)->x() - label->x());
        EXPECT_LE(label->fontMetrics().horizontalAdvance(shown), room) << shown.toStdString();
    }
}

// Whatever the font, no check box reaches past its group frame and the four
// options show their whole captions.
TEST_F(MainWindowTest, OptionCaptionsEndWithWholeWords)
{
    const std::map<int, int> frameOf{{c::PatternCaseBox, c::PatternFrame},
                                     {c::NameOnlyBox, c::ReplaceFrame},
                                     {c::ReplaceCaseBox, c::ReplaceFrame},
                                     {c::ReplaceAllBox, c::ReplaceFrame},
                                     {c::FileDateBox, c::ExtraFrame}};
    const QStyle *style = window.style();
    const int indent = style->pixelMetric(QStyle::PM_IndicatorWidth) +
                       style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    window.show();
    for (const int width : {720, 820, 875, 1050, 1220}) {
        resizeTo(window, width, 552);
        for (const auto &[number, frame] : frameOf) {
            const QCheckBox *box = window.optionBox(number);
            QString caption = box->text();
            caption.remove(u'&');
            qsizetype shown = caption.size();
            while (box->fontMetrics().horizontalAdvance(caption.left(shown)) >
                   box->width() - indent) {
                --shown;
            }
            SCOPED_TRACE(caption.left(shown).toStdString() + " at " + std::to_string(width));
            EXPECT_LE(box->geometry().right(), window.control(frame)->geometry().right());
            if (number != c::FileDateBox) { // it may take two lines, see below
                EXPECT_EQ(shown, caption.size());
            }
        }
    }
}

TEST_F(MainWindowTest, TypingGoesIntoTheEditableFields)
{
    window.show();
    QComboBox *field = window.inputField(c::NamePatternField);
    field->setFocus();
    QTest::keyClicks(field, u"(.*)"_s);
    EXPECT_EQ(field->currentText(), u"(.*)"_s);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->count(), 0) << "Enter must not store the text by itself";
}

struct ResizeCase {
    const char *name;
    std::vector<QSize> sizes; // applied in order after the window was shown
    std::map<int, QRect> expected;
    std::array<int, 6> columns;
};

void PrintTo(const ResizeCase &rc, std::ostream *out)
{
    *out << rc.name;
}

class ResizeRule : public ::testing::TestWithParam<ResizeCase> {};

TEST_P(ResizeRule, PlacesTheControls)
{
    const ResizeCase &rc = GetParam();
    const RuleFont font;
    FileList list;
    MainWindow window(list);
    window.show();
    QCoreApplication::processEvents();
    for (const QSize &size : rc.sizes) {
        resizeTo(window, size.width(), size.height());
    }
    for (const auto &[number, rect] : rc.expected) {
        SCOPED_TRACE(number);
        expectPlaced(window.control(number), rect);
    }
    QHeaderView *header = window.fileListView()->header();
    for (int column = 0; column < 6; ++column) {
        EXPECT_EQ(header->sectionSize(column), rc.columns[static_cast<std::size_t>(column)])
            << "column " << column;
    }
}

const std::array<int, 6> initialColumns{20, 210, 210, 52, 102, 78};

INSTANTIATE_TEST_SUITE_P(
    MainWindow, ResizeRule,
    ::testing::Values(
        ResizeCase{"FirstEventKeepingTheWidthOnlyStretchesTheList",
                   {},
                   {{c::FileListView, {10, 230, 694, 290}},
                    {c::PatternFrame, {10, 10, 560, 72}},
                    {c::SeparatorLine, {0, 530, 720, 2}},
                    {c::StatusLine, {0, 534, 999, 16}}},
                   initialColumns},
        ResizeCase{"BackTo720EqualsCreationButFrames",
                   {{820, 552}, {720, 552}},
                   {{c::PatternFrame, {10, 10, 565, 72}},
                    {c::ExtraFrame, {10, 168, 565, 48}},
                    {c::NamePatternField, {95, 29, 207, 22}},
                    {c::ExtensionPatternField, {410, 29, 125, 22}},
                    {c::ExtensionPatternIcon, {540, 32, 16, 16}},
                    {c::ExtensionCaseList, {310, 188, 100, 20}},
                    {c::FileDateBox, {455, 188, 76, 18}},
                    {c::RenameButton, {585, 15, 115, 30}},
                    {c::FileListView, {10, 230, 694, 290}}},
                   initialColumns},
        ResizeCase{"Wider100",
                   {{820, 552}},
                   {{c::PatternFrame, {10, 10, 645, 72}},
                    {c::ReplaceFrame, {10, 90, 645, 72}},
                    {c::NamePatternField, {95, 29, 257, 22}},
                    {c::FinalReplaceField, {95, 134, 257, 22}},
                    {c::NamePatternIcon, {357, 32, 16, 16}},
                    {c::ExtensionPatternLabel, {400, 30, 75, 20}},
                    {c::ExtensionPatternField, {465, 29, 150, 22}},
                    {c::ExtensionPatternIcon, {620, 32, 16, 16}},
                    {c::ReplaceAllBox, {401, 140, 175, 18}},
                    {c::NameCaseList, {95, 188, 120, 20}},
                    {c::ExtensionCaseLabel, {260, 188, 70, 20}},
                    {c::ExtensionCaseList, {330, 188, 120, 20}},
                    {c::FileDateBox, {515, 188, 76, 18}},
                    {c::RenameButton, {665, 15, 135, 30}},
                    {c::FilterButton, {665, 180, 135, 30}},
                    {c::FileListView, {10, 230, 794, 290}},
                    {c::SeparatorLine, {0, 530, 820, 2}}},
                   {20, 250, 250, 52, 102, 98}},
        ResizeCase{"D30KeepsTheNarrowDateBox",
                   {{870, 552}},
                   {{c::FileDateBox, {545, 188, 76, 18}}, {c::NameCaseList, {95, 188, 130, 20}}},
                   {20, 270, 270, 52, 102, 108}},
        ResizeCase{"D31WidensTheDateBox",
                   {{875, 552}},
                   {{c::FileDateBox, {548, 188, 136, 18}},
                    {c::NameCaseList, {95, 188, 131, 20}},
                    {c::ExtensionCaseLabel, {271, 188, 70, 20}},
                    {c::ExtensionCaseList, {341, 188, 131, 20}}},
                   {20, 272, 272, 52, 102, 109}},
        ResizeCase{"D65StillCapsTheCaseLists",
                   {{1045, 552}},
                   {{c::FileDateBox, {650, 188, 136, 18}},
                    {c::NameCaseList, {95, 188, 140, 20}},
                    {c::ExtensionCaseLabel, {305, 188, 70, 20}}},
                   {20, 340, 340, 52, 102, 143}},
        ResizeCase{"D66LinesTheDateBoxUpWithTheOptions",
                   {{1050, 552}},
                   {{c::FileDateBox, {527, 188, 136, 18}},
                    {c::ReplaceAllBox, {527, 140, 175, 18}},
                    {c::NameCaseList, {95, 188, 140, 20}},
                    {c::ExtensionCaseLabel, {257, 188, 70, 20}},
                    {c::ExtensionCaseList, {327, 188, 140, 20}}},
                   {20, 342, 342, 52, 102, 144}},
        ResizeCase{"D100GrowsTheCaseListsByHalf",
                   {{1220, 552}},
                   {{c::NameCaseList, {95, 188, 157, 20}},
                    {c::ExtensionCaseLabel, {325, 188, 70, 20}},
                    {c::ExtensionCaseList, {395, 188, 157, 20}},
                    {c::FileDateBox, {621, 188, 136, 18}}},
                   {20, 410, 410, 52, 102, 178}},
        ResizeCase{"WiderThanTheStatusLine",
                   {{1100, 552}},
                   {{c::SeparatorLine, {0, 530, 1100, 2}}, {c::StatusLine, {0, 534, 1100, 16}}},
                   {20, 362, 362, 52, 102, 154}},
        ResizeCase{"HeightOnly",
                   {{820, 552}, {820, 700}},
                   {{c::FileListView, {10, 230, 794, 438}},
                    {c::SeparatorLine, {0, 678, 820, 2}},
                    {c::StatusLine, {0, 682, 999, 16}},
                    {c::PatternFrame, {10, 10, 645, 72}},
                    {c::RenameButton, {665, 15, 135, 30}}},
                   {20, 250, 250, 52, 102, 98}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, AHeightChangeMovesOnlyTheBottomLinesAndTheList)
{
    window.show();
    resizeTo(window, 900, 552);
    std::map<int, QRect> before = geometries(window);
    resizeTo(window, 900, 430);
    std::map<int, QRect> after = geometries(window);
    for (const int moved : {c::FileListView, c::SeparatorLine, c::StatusLine}) {
        EXPECT_NE(before[moved], after[moved]) << moved;
        before.erase(moved);
        after.erase(moved);
    }
    EXPECT_EQ(before, after);
    EXPECT_EQ(window.fileListView()->geometry(), QRect(10, 230, 874, 168));
}

TEST_F(MainWindowTest, AResizeLeavesTheTypedSelectionOfTheFocusedFieldAlone)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QComboBox *focused = window.inputField(c::TemplateField);
    QComboBox *other = window.inputField(c::NamePatternField);
    for (QComboBox *field : {focused, other}) {
        field->setEditText(u"abc"_s);
        field->lineEdit()->selectAll();
    }
    focused->setFocus();
    ASSERT_TRUE(focused->hasFocus());
    resizeTo(window, 800, 552);
    EXPECT_EQ(other->lineEdit()->selectedText(), QString());
    EXPECT_EQ(focused->lineEdit()->selectedText(), u"abc"_s);
}

// The image changes with the state only; the tip follows the text, which
// names the place of a fault.
TEST_F(MainWindowTest, IndicatorImageChangesWithTheStateAndTheTipWithItsText)
{
    QLabel *icon = window.stateIcon(c::TemplateIcon);
    const auto shows = [icon](SmallImage image) {
        return icon->pixmap().toImage() == smallImage(image).toImage();
    };
    EXPECT_TRUE(shows(SmallImage::Ok));

    window.setIndicator(c::TemplateIcon, {FieldIndicator::State::Error, u"Fehler eins"_s});
    EXPECT_TRUE(shows(SmallImage::Error));
    EXPECT_EQ(icon->toolTip(), u"Fehler eins"_s);

    const qint64 imageKey = icon->pixmap().cacheKey();
    window.setIndicator(c::TemplateIcon, {FieldIndicator::State::Error, u"Fehler zwei"_s});
    EXPECT_EQ(icon->toolTip(), u"Fehler zwei"_s);
    EXPECT_EQ(icon->pixmap().cacheKey(), imageKey) << "the same state keeps its image";

    window.setIndicator(c::TemplateIcon, {FieldIndicator::State::Warning, u"Warnung"_s});
    EXPECT_TRUE(shows(SmallImage::Warning));
    EXPECT_EQ(icon->toolTip(), u"Warnung"_s);

    window.setIndicator(c::TemplateIcon, FieldIndicator{});
    EXPECT_TRUE(shows(SmallImage::Ok));
    EXPECT_EQ(icon->toolTip(), u"Ok."_s);
    EXPECT_EQ(window.stateIcon(c::NamePatternIcon)->toolTip(), u"Ok."_s);
}

TEST_F(MainWindowTest, CaseModeTextsFollowTheUpperCaseSwitchAndKeepTheChoice)
{
    QComboBox *list = window.caseList(c::ExtensionCaseList);
    list->setCurrentIndex(3);
    window.setCaseModeTexts(true);
    EXPECT_EQ(list->currentIndex(), 3);
    EXPECT_EQ(list->currentText(), u"Nur ersten Buchstaben groß"_s);
    EXPECT_EQ(window.caseList(c::NameCaseList)->itemText(2), u"Nur erstes Zeichen groß"_s);
    window.setCaseModeTexts(false);
    EXPECT_EQ(list->currentText(), u"Ersten Buchstaben groß"_s);
}

} // namespace
} // namespace namenswerk
