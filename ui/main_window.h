#pragma once

#include "engine/field_indicator.h"
#include "model/file_list.h"
#include "ui/control_ids.h"
#include "ui/file_list_view.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace namenswerk {

class FileListModel;

// The main window: every rule input, the action buttons, the file list and
// the status line, placed by pixel and moved by the resize rule. It reacts to
// nothing by itself; the event loop connects to the controls it hands out.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize InitialSize{720, 552};
    static constexpr QSize MinimumSize{720, 400};

    explicit MainWindow(const FileList &list, QWidget *parent = nullptr);
    ~MainWindow() override;
    Q_DISABLE_COPY_MOVE(MainWindow)

    // A control by its number (control::Id); null for a number without one.
    QWidget *control(int number) const;

    QComboBox *inputField(int number) const; // the five editable fields 0, 1, 2, 55, 56
    QComboBox *caseList(int number) const;   // 57, 58
    QCheckBox *optionBox(int number) const;  // 23 to 27
    QPushButton *button(int number) const;   // 34 to 38; 37 is the checkable filter button
    QLabel *stateIcon(int number) const;     // 3 to 7
    FileListView *fileListView() const;
    FileListModel *fileListModel() const;
    QLabel *statusLine() const;

    // Shows a field's state beside it; the image and tip are replaced only
    // when the state changes.
    void setIndicator(int iconControl, const FieldIndicator &indicator);
    FieldIndicator::State indicatorState(int iconControl) const;

    // Item texts of both case-mode lists for the upper-case switch; the
    // chosen items stay.
    void setCaseModeTexts(bool upper);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void createControls();
    void addControl(int number, QWidget *widget, const QRect &rect, const QString &tip);
    // What the resize rule gives the extra row at a width step d.
    struct ExtraRowRule {
        int listWidth;
        int extensionLabelX;
        int dateX;
        int dateWidth;
    };
    static ExtraRowRule extraRowRule(int d);
    int widthStep() const;

    void applyLayout(int width, int height);
    void fitOptionBoxes();
    void placeExtraRow(const ExtraRowRule &rule);
    void fitListColumns(int d);
    static QRect creationRect(int number);

    FileListModel *model_;
    std::array<QWidget *, control::ControlLimit> controls_{};
    std::array<FieldIndicator::State, 5> iconStates_{};
};

} // namespace namenswerk
