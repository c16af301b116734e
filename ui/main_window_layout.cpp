// The resize rule of the main window: the rule inputs widen in fixed shares of
// the extra width, the buttons move right, and the list takes the rest. The
// list's top-left corner never moves, because the hover tip relies on it.
#include "model/entry_status.h"
#include "ui/caption_fit.h"
#include "ui/file_list_model.h"
#include "ui/main_window.h"
#include "ui/wrapping_check_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeView>

#include <algorithm>
#include <utility>

namespace namenswerk {

namespace {

constexpr int ListLeft = 10;
constexpr int ListTop = 230;
// Captions keep this far from the right edge of their group frame.
constexpr int FrameMargin = 6;

void setX(QWidget *widget, int x)
{
    widget->move(x, widget->y());
}

void setWidth(QWidget *widget, int width)
{
    widget->resize(width, widget->height());
}

void setXAndWidth(QWidget *widget, int x, int width)
{
    widget->setGeometry(x, widget->y(), width, widget->height());
}

void setY(QWidget *widget, int y)
{
    widget->move(widget->x(), y);
}

} // namespace

void MainWindow::applyLayout(int width, int height)
{
    const auto at = [this](int number) { return control(number); };

    setY(at(control::SeparatorLine), height - 22);
    setY(at(control::StatusLine), height - 18);
    if (at(control::SeparatorLine)->width() == width) {
        at(control::FileListView)
            ->setGeometry(ListLeft, ListTop, at(control::FileListView)->width(), height - 262);
        return;
    }

    setUpdatesEnabled(false);
    const int d = (width - 720) / 5;
    at(control::FileListView)->setGeometry(ListLeft, ListTop, width - 26, height - 262);
    setWidth(at(control::SeparatorLine), width);
    // The status line is wider than the first window so that long summaries
    // run to its edge; on a wider window it still reaches the edge.
    setWidth(at(control::StatusLine), std::max(creationRect(control::StatusLine).width(), width));

    for (const int frame : {control::PatternFrame, control::ReplaceFrame, control::ExtraFrame}) {
        setWidth(at(frame), 565 + 4 * d);
    }

    const int a = 2 * d + d / 2;
    for (const int field : {control::NamePatternField, control::TemplateField,
                            control::FirstReplaceField, control::FinalReplaceField}) {
        setWidth(at(field), 207 + a);
    }
    for (const int icon : {control::NamePatternIcon, control::TemplateIcon,
                           control::FirstReplaceIcon, control::FinalReplaceIcon}) {
        setX(at(icon), 307 + a);
    }

    const int b = 2 * d + 3 * d / 4;
    setX(at(control::ExtensionPatternLabel), 345 + b);
    setXAndWidth(at(control::ExtensionPatternField), 410 + b, 125 + 5 * d / 4);
    setX(at(control::ExtensionPatternIcon), 540 + b + 5 * d / 4);
    for (const int box : {control::PatternCaseBox, control::NameOnlyBox, control::ReplaceCaseBox,
                          control::ReplaceAllBox}) {
        setXAndWidth(at(box), 346 + b, creationRect(box).width());
    }

    placeExtraRow(extraRowRule(d));
    fitOptionBoxes();

    for (const int button : {control::RenameButton, control::CloseButton, control::ProfileButton,
                             control::SpecialButton, control::FilterButton}) {
        setXAndWidth(at(button), 585 + 4 * d, 115 + d);
    }

    fitListColumns(d);

    // A resized drop-down field may select its whole text; only the field the
    // user is typing in keeps its selection.
    for (const int field :
         {control::NamePatternField, control::ExtensionPatternField, control::TemplateField,
          control::FirstReplaceField, control::FinalReplaceField}) {
        QComboBox *combo = inputField(field);
        if (!combo->hasFocus()) {
            combo->lineEdit()->deselect();
        }
    }
    setUpdatesEnabled(true);
}

// The widths above were made for Segoe UI; with the wider fonts of Linux
// desktops a caption would end in a cut letter. A check box is as wide as the
// whole words of its caption that fit inside its group frame, all of them
// where there is room; only where not even the first word fits does it keep
// the rule's width.
void MainWindow::fitOptionBoxes()
{
    constexpr std::pair<int, int> boxesInFrames[] = {
        {control::PatternCaseBox, control::PatternFrame},
        {control::NameOnlyBox, control::ReplaceFrame},
        {control::ReplaceCaseBox, control::ReplaceFrame},
        {control::ReplaceAllBox, control::ReplaceFrame},
    };
    for (const auto &[number, frameNumber] : boxesInFrames) {
        QCheckBox *box = optionBox(number);
        const QRect frame = control(frameNumber)->geometry();
        const int room = frame.right() + 1 - FrameMargin - box->x();
        const int fitted = wholeWordsWidth(*box, room);
        if (fitted > 0) {
            setWidth(box, fitted);
        }
    }
}

int MainWindow::widthStep() const
{
    return (width() - InitialSize.width()) / 5;
}

MainWindow::ExtraRowRule MainWindow::extraRowRule(int d)
{
    const int a = 2 * d + d / 2;
    const int b = 2 * d + 3 * d / 4;
    ExtraRowRule rule{100 + std::min(d, 40), 240 + d, 455 + 3 * d, 76};
    if (4 * d > 120) {
        rule.dateWidth = 136;
    }
    if (4 * d > 260) {
        const int e = d / 2 + 7;
        rule.listWidth = 100 + e;
        rule.extensionLabelX = a + 132 - e;
        rule.dateX = 346 + b;
    }
    return rule;
}

// The rule's widths were made for Segoe UI. In a wider font each case list is
// as wide as its longest entry needs and pushes what follows it to the
// right; the date box shows its caption on one line where there is room, else
// on two. Only where the row cannot hold even that do the lists give back
// room, never below the rule's width.
void MainWindow::placeExtraRow(const ExtraRowRule &rule)
{
    constexpr int LabelGap = 5;
    constexpr int DateGap = 8;
    QComboBox *nameList = caseList(control::NameCaseList);
    QComboBox *extensionList = caseList(control::ExtensionCaseList);
    auto *date = static_cast<WrappingCheckBox *>(optionBox(control::FileDateBox));
    const int right = control(control::ExtraFrame)->geometry().right() + 1 - FrameMargin;
    const int labelToList = creationRect(control::ExtensionCaseList).x() -
                            creationRect(control::ExtensionCaseLabel).x();
    const auto labelX = [&](int list) {
        return std::max(rule.extensionLabelX, nameList->x() + list + LabelGap);
    };
    const auto dateX = [&](int list) {
        return std::max(rule.dateX, labelX(list) + labelToList + list + DateGap);
    };

    int list = std::max(
        {rule.listWidth, widthShowingEntries(*nameList), widthShowingEntries(*extensionList)});
    const int over = dateX(list) + date->widthForLines(2) - right;
    if (over > 0) {
        list = std::max(rule.listWidth, list - (over + 1) / 2);
    }
    setWidth(nameList, list);
    setX(control(control::ExtensionCaseLabel), labelX(list));
    setXAndWidth(extensionList, labelX(list) + labelToList, list);

    const int x = dateX(list);
    const int room = right - x;
    int width = date->widthForLines(1);
    if (width > room) {
        width = std::max(date->widthForLines(2), room);
    }
    const QRect ruleRect = creationRect(control::FileDateBox);
    date->setGeometry(x, ruleRect.y(), width, ruleRect.height());
    const auto lines = static_cast<int>(date->captionLines().size());
    if (lines > 1) {
        const int height = lines * date->fontMetrics().lineSpacing() + 2;
        date->setGeometry(x, ruleRect.center().y() + 1 - height / 2, width, height);
    }
}

// The status column shows every status text whole, taking the room it needs
// beyond the rule's width from the two name columns alike.
void MainWindow::fitListColumns(int d)
{
    QStringList statuses;
    for (int status = 0; status < EntryStatusCount; ++status) {
        statuses.append(statusText(static_cast<EntryStatus>(status)));
    }
    const int statusRule = 78 + d;
    const int status = std::max(statusRule, fileListView()->columnWidthShowing(statuses));
    const int taken = status - statusRule;
    QHeaderView *header = fileListView()->header();
    header->resizeSection(int(ListColumn::OldName), 210 + 2 * d - taken / 2);
    header->resizeSection(int(ListColumn::NewName), 210 + 2 * d - (taken - taken / 2));
    header->resizeSection(int(ListColumn::Status), status);
}

} // namespace namenswerk
