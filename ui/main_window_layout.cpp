// The resize rule of the main window: the rule inputs widen in fixed shares of
// the extra width, the buttons move right, and the list takes the rest. The
// list's top-left corner never moves, because the hover tip relies on it.
#include "ui/caption_fit.h"
#include "ui/file_list_model.h"
#include "ui/main_window.h"

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

    int e = std::min(d, 40);
    int extensionCaseX = 240 + d;
    int dateX = 455 + 3 * d;
    int dateWidth = 76;
    if (4 * d > 120) {
        dateWidth = 136;
    }
    if (4 * d > 260) {
        e = d / 2 + 7;
        extensionCaseX = a + 132 - e;
        dateX = 346 + b;
    }
    setWidth(at(control::NameCaseList), 100 + e);
    setX(at(control::ExtensionCaseLabel), extensionCaseX);
    setXAndWidth(at(control::ExtensionCaseList), extensionCaseX + 70, 100 + e);
    setXAndWidth(at(control::FileDateBox), dateX, dateWidth);
    fitOptionBoxes();

    for (const int button : {control::RenameButton, control::CloseButton, control::ProfileButton,
                             control::SpecialButton, control::FilterButton}) {
        setXAndWidth(at(button), 585 + 4 * d, 115 + d);
    }

    QHeaderView *header = fileListView()->header();
    header->resizeSection(int(ListColumn::OldName), 210 + 2 * d);
    header->resizeSection(int(ListColumn::NewName), 210 + 2 * d);
    header->resizeSection(int(ListColumn::Status), 78 + d);

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
    constexpr int FrameMargin = 6;
    constexpr std::pair<int, int> boxesInFrames[] = {
        {control::PatternCaseBox, control::PatternFrame},
        {control::NameOnlyBox, control::ReplaceFrame},
        {control::ReplaceCaseBox, control::ReplaceFrame},
        {control::ReplaceAllBox, control::ReplaceFrame},
        {control::FileDateBox, control::ExtraFrame},
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

} // namespace namenswerk
