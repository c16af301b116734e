// In the font in use, the texts that the rule's pixel widths were too narrow
// for are shown whole: the case lists' entries, the date box's caption and
// every status text of the list.
#include "model/entry_status.h"
#include "tests/ui/list_fixture.h"
#include "ui/file_list_model.h"
#include "ui/main_window.h"
#include "ui/wrapping_check_box.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionViewItem>
#include <QTest>

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;
namespace c = control;

class MainWindowTexts : public ::testing::Test {
protected:
    MainWindowTexts() { window.show(); }

    void resizeTo(int width)
    {
        window.resize(width, 552);
        QCoreApplication::processEvents();
        ASSERT_EQ(window.width(), width);
    }

    FileList list;
    MainWindow window{list};
};

// The room a closed drop-down list has for the chosen entry's text.
int entryRoom(const QComboBox &list)
{
    QStyleOptionComboBox option;
    option.initFrom(&list);
    return list.style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &list)
        .width();
}

void expectEntriesWhole(const QComboBox &list)
{
    for (int i = 0; i < list.count(); ++i) {
        EXPECT_LE(list.fontMetrics().horizontalAdvance(list.itemText(i)), entryRoom(list))
            << list.itemText(i).toStdString();
    }
}

// Label, list, label, list, date box: each stands right of the one before
// and the row stays inside its frame.
void expectRowInOrder(const MainWindow &window)
{
    const auto *extensionLabel =
        qobject_cast<const QLabel *>(window.control(c::ExtensionCaseLabel));
    QString label = extensionLabel->text();
    label.remove(u'&');
    const QRect nameList = window.control(c::NameCaseList)->geometry();
    const QRect extensionList = window.control(c::ExtensionCaseList)->geometry();
    const QRect date = window.control(c::FileDateBox)->geometry();
    const QRect frame = window.control(c::ExtraFrame)->geometry();
    EXPECT_GT(extensionLabel->x(), nameList.right());
    EXPECT_GE(extensionList.x(),
              extensionLabel->x() + extensionLabel->fontMetrics().horizontalAdvance(label));
    EXPECT_GT(date.x(), extensionList.right());
    EXPECT_LT(date.right(), frame.right());
    EXPECT_GT(date.top(), frame.top());
    EXPECT_LT(date.bottom(), frame.bottom());
}

TEST_F(MainWindowTexts, CaseListsShowEveryEntryWhole)
{
    struct Texts {
        bool upper;
        std::vector<int> widths;
    };
    // The longer texts of the upper-case switch need a somewhat wider window.
    for (const Texts &texts :
         {Texts{false, {720, 820, 875, 1050, 1220}}, Texts{true, {820, 875, 1050, 1220}}}) {
        window.setCaseModeTexts(texts.upper);
        for (const int width : texts.widths) {
            SCOPED_TRACE(std::to_string(width) + (texts.upper ? " upper" : ""));
            resizeTo(width);
            for (const int number : {c::NameCaseList, c::ExtensionCaseList}) {
                expectEntriesWhole(*window.caseList(number));
            }
            expectRowInOrder(window);
        }
    }
    window.setCaseModeTexts(false);
    resizeTo(720);
    expectRowInOrder(window);
}

TEST_F(MainWindowTexts, DateBoxShowsItsCaptionWholeOnOneOrTwoLines)
{
    const auto *date = qobject_cast<const WrappingCheckBox *>(window.optionBox(c::FileDateBox));
    ASSERT_NE(date, nullptr);
    for (const int width : {720, 820, 875, 1050, 1220}) {
        SCOPED_TRACE(width);
        resizeTo(width);
        const QStringList lines = date->captionLines();
        EXPECT_LE(lines.size(), 2);
        EXPECT_EQ(lines.join(u' '), date->text()) << "every word shown";
        EXPECT_GE(date->width(), date->widthForLines(static_cast<int>(lines.size())))
            << "each line fits the box";
        EXPECT_GE(date->height(),
                  static_cast<int>(lines.size()) * date->fontMetrics().lineSpacing());
        expectRowInOrder(window);
    }
    resizeTo(1220);
    EXPECT_EQ(date->captionLines().size(), 1) << "one line where there is room";
}

// A list with one entry of every status, as the window shows it.
class StatusTexts : public ::testing::Test {
protected:
    StatusTexts()
    {
        std::vector<test::Row> rows;
        for (int status = 1; status < EntryStatusCount - 1; ++status) {
            rows.push_back({u"a.txt"_s, u"b.txt"_s, static_cast<EntryStatus>(status)});
        }
        list = test::listOf(rows);
        window.fileListModel()->refresh();
        window.show();
    }

    FileList list;
    MainWindow window{list};
};

TEST_F(StatusTexts, StatusColumnShowsEveryStatusTextWhole)
{
    const QTreeView &view = *window.fileListView();
    const FileListModel &model = *window.fileListModel();
    ASSERT_EQ(model.rowCount(), EntryStatusCount - 2);
    for (const int width : {720, 820, 1100}) {
        SCOPED_TRACE(width);
        window.resize(width, 552);
        QCoreApplication::processEvents();
        for (int row = 0; row < model.rowCount(); ++row) {
            const QModelIndex cell = model.index(row, int(ListColumn::Status));
            QStyleOptionViewItem option;
            option.initFrom(&view);
            option.font = view.font(); // as the view hands it to its delegate
            // What the delegate needs to draw the text whole.
            const int needed = view.itemDelegate()->sizeHint(option, cell).width();
            EXPECT_LE(needed, view.visualRect(cell).width())
                << cell.data().toString().toStdString();
        }
        // The room comes from the name columns: the list still needs no
        // sideways scrolling.
        int columns = 0;
        for (int column = 0; column < FileListModel::ColumnCount; ++column) {
            columns += view.header()->sectionSize(column);
        }
        EXPECT_LE(columns, view.viewport()->width());
    }
}

} // namespace
} // namespace namenswerk
