#include "ui/main_window.h"

#include "engine/case_conversion.h"
#include "ui/artwork.h"
#include "ui/file_list_model.h"
#include "ui/file_list_view.h"
#include "ui/fonts.h"
#include "ui/group_frame.h"
#include "ui/mnemonic_label.h"
#include "ui/wrapping_check_box.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QStyle>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace namenswerk {

namespace {

enum class Kind {
    Frame,
    Label,
    Field,
    StateIcon,
    CheckBox,
    CaseList,
    FileList,
    Separator,
    StatusLine,
    Button,
    DefaultButton,
    ToggleButton,
};

struct ControlRow {
    int number{};
    Kind kind{};
    QRect rect;
    QStringView text;
    QStringView tip;
};

// Creation order is stacking order: the frames lie under what they surround.
constexpr ControlRow controlRows[] = {
    {control::PatternFrame, Kind::Frame, {10, 10, 560, 72}, u"Reguläre Ausdrücke", {}},
    {control::NamePatternLabel, Kind::Label, {20, 30, 60, 20}, u"Datei&name:", {}},
    {control::NamePatternField,
     Kind::Field,
     {95, 29, 207, 22},
     {},
     u"Regulärer Ausdruck für Dateinamen"},
    {control::NamePatternIcon, Kind::StateIcon, {307, 32, 16, 16}, {}, u"Ok."},
    {control::ExtensionPatternLabel, Kind::Label, {345, 30, 75, 20}, u"&Erweiterung:", {}},
    {control::ExtensionPatternField,
     Kind::Field,
     {410, 29, 125, 22},
     {},
     u"Regulärer Ausdruck für die Dateierweiterung"},
    {control::ExtensionPatternIcon, Kind::StateIcon, {540, 32, 16, 16}, {}, u"Ok."},
    {control::TemplateLabel, Kind::Label, {20, 55, 60, 20}, u"Ändern &in:", {}},
    {control::TemplateField,
     Kind::Field,
     {95, 54, 207, 22},
     {},
     u"Zielname (Gruppeninhalte <n1> <n2>... sowie <e1>...)"},
    {control::TemplateIcon, Kind::StateIcon, {307, 57, 16, 16}, {}, u"Ok."},
    {control::PatternCaseBox,
     Kind::CheckBox,
     {346, 55, 175, 22},
     u" &Groß-/Kleinschreibung beachten",
     u"Schreibweise bei der Suche berücksichtigen."},
    {control::ReplaceFrame, Kind::Frame, {10, 90, 560, 72}, u"Suchen und Ersetzen", {}},
    {control::FirstReplaceLabel, Kind::Label, {20, 110, 100, 20}, u"&Anfangs:", {}},
    {control::FirstReplaceField,
     Kind::Field,
     {95, 109, 207, 22},
     {},
     u"Suchtext (mehrfache Inhalte durch Pipesymbol getrennt)"},
    {control::FirstReplaceIcon, Kind::StateIcon, {307, 112, 16, 16}, {}, u"Ok."},
    {control::FinalReplaceLabel, Kind::Label, {20, 135, 100, 20}, u"A&bschließend:", {}},
    {control::FinalReplaceField,
     Kind::Field,
     {95, 134, 207, 22},
     {},
     u"Ersatztext (mehrfach Inhalte durch Pipesymbol getrennt)"},
    {control::FinalReplaceIcon, Kind::StateIcon, {307, 137, 16, 16}, {}, u"Ok."},
    {control::NameOnlyBox,
     Kind::CheckBox,
     {346, 104, 180, 18},
     u" Nur den Dateina&men verändern",
     u"Suchen und Ersetzen auf den Dateinamen beschränken."},
    {control::ReplaceCaseBox,
     Kind::CheckBox,
     {346, 122, 175, 18},
     u" Groß-/&Kleinschreibung beachten",
     u"Schreibweise bei der Suche berücksichtigen."},
    {control::ReplaceAllBox,
     Kind::CheckBox,
     {346, 140, 175, 18},
     u" Alle &Vorkommen ersetzen",
     u"Mehrfache Fundstellen berücksichtigen."},
    {control::ExtraFrame, Kind::Frame, {10, 168, 560, 48}, u"Erweitert", {}},
    {control::NameCaseLabel, Kind::Label, {20, 188, 75, 20}, u"Schreib&weise:", {}},
    {control::NameCaseList,
     Kind::CaseList,
     {95, 188, 100, 20},
     {},
     u"Anpassung der Groß- und Kleinschreibung für den Dateinamen."},
    {control::ExtensionCaseLabel, Kind::Label, {240, 188, 70, 20}, u"Erwei&terung:", {}},
    {control::ExtensionCaseList,
     Kind::CaseList,
     {310, 188, 100, 20},
     {},
     u"Anpassung der Groß- und Kleinschreibung für die Dateierweiterung."},
    {control::FileDateBox,
     Kind::CheckBox,
     {455, 188, 76, 18},
     u" Datei&datum aktualisieren",
     u"Dateidatum beim Umbennen für jede Datei aktualisieren."},
    {control::FileListView, Kind::FileList, {10, 230, 694, 285}, {}, {}},
    {control::SeparatorLine, Kind::Separator, {0, 530, 720, 2}, {}, {}},
    {control::StatusLine, Kind::StatusLine, {0, 534, 999, 16}, {}, {}},
    {control::RenameButton,
     Kind::DefaultButton,
     {585, 15, 115, 30},
     u"&Umbenennen",
     u"Alle Dateien umbenennen..."},
    {control::CloseButton,
     Kind::Button,
     {585, 53, 115, 30},
     u"S&chließen",
     u"Fenster schließen..."},
    {control::ProfileButton, Kind::Button, {585, 95, 115, 30}, u"&Profile", u"Profilfunktionen..."},
    {control::SpecialButton,
     Kind::Button,
     {585, 132, 115, 30},
     u"S&onderfunktionen",
     u"Einstellungen und Sonderfunktionen..."},
    {control::FilterButton,
     Kind::ToggleButton,
     {585, 180, 115, 30},
     u"Ergebnisliste &filtern",
     u"Wahl eines Anzeigefilters..."},
};

constexpr int columnWidths[FileListModel::ColumnCount] = {20, 210, 210, 52, 102, 78};

SmallImage indicatorImage(FieldIndicator::State state)
{
    switch (state) {
    case FieldIndicator::State::Warning:
        return SmallImage::Warning;
    case FieldIndicator::State::Error:
        return SmallImage::Error;
    case FieldIndicator::State::Ok:
        break;
    }
    return SmallImage::Ok;
}

QComboBox *makeField()
{
    auto *field = new QComboBox;
    field->setEditable(true);
    // The remembered texts are managed by the program, not by Enter.
    field->setInsertPolicy(QComboBox::NoInsert);
    return field;
}

QComboBox *makeCaseList()
{
    auto *list = new QComboBox;
    for (int mode = 0; mode < CaseModeCount; ++mode) {
        list->addItem(caseModeText(mode, false));
    }
    return list;
}

// Buttons and check boxes show their mnemonic but leave the key to the event loop.
template <typename Button> Button *makeButton(const QString &text)
{
    auto *button = new Button(text);
    button->setShortcut(QKeySequence());
    return button;
}

QLabel *makeStateIcon()
{
    auto *icon = new QLabel;
    icon->setPixmap(smallImage(SmallImage::Ok));
    return icon;
}

FileListView *makeListView(FileListModel *model)
{
    auto *view = new FileListView;
    view->setModel(model);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QHeaderView *header = view->header();
    header->setStretchLastSection(false);
    // The marker column is narrower than most styles allow by default.
    header->setMinimumSectionSize(16);
    header->setSectionsMovable(false);
    header->setSectionsClickable(true);
    for (int column = 0; column < FileListModel::ColumnCount; ++column) {
        header->resizeSection(column, columnWidths[column]);
    }
    return view;
}

// The room a control's text has at the creation size. A label ends where the
// control after it begins; the narrow date box is left out on purpose, its
// text shows in full only once the window is wider.
std::vector<TextBox> textBoxes(const QStyle *style)
{
    const int checkIndent = style->pixelMetric(QStyle::PM_IndicatorWidth) +
                            style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    const int buttonMargins = 2 * (style->pixelMetric(QStyle::PM_ButtonMargin) + 2);
    std::vector<TextBox> boxes;
    const auto count = std::size(controlRows);
    for (std::size_t i = 0; i < count; ++i) {
        const ControlRow &row = controlRows[i];
        const QString text = row.text.toString();
        switch (row.kind) {
        case Kind::Label: {
            const int next = i + 1 < count ? controlRows[i + 1].rect.x() : row.rect.right();
            boxes.push_back({text, std::min(row.rect.width(), next - row.rect.x())});
            break;
        }
        case Kind::CheckBox:
            if (row.number != control::FileDateBox) {
                boxes.push_back({text, row.rect.width() - checkIndent});
            }
            break;
        case Kind::Button:
        case Kind::DefaultButton:
        case Kind::ToggleButton:
            boxes.push_back({text, row.rect.width() - buttonMargins});
            break;
        default:
            break;
        }
    }
    return boxes;
}

QFrame *makeSeparator()
{
    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QLabel *makeStatusLine()
{
    auto *line = new QLabel;
    line->setTextFormat(Qt::PlainText);
    // The summary gets a warning background when renames failed.
    line->setAutoFillBackground(true);
    return line;
}

} // namespace

MainWindow::MainWindow(const FileList &list, QWidget *parent)
    : QWidget(parent), model_(new FileListModel(list, this))
{
    iconStates_.fill(FieldIndicator::State::Ok);
    setWindowTitle(u"Namenswerk"_s);
    setMinimumSize(MinimumSize);
    setFont(fontFittingTexts(QApplication::font(this), textBoxes(style())));
    createControls();
    fitOptionBoxes();
    placeExtraRow(extraRowRule(0));
    fitListColumns(0);
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, InitialSize,
                                    screen()->availableGeometry()));
}

MainWindow::~MainWindow() = default;

void MainWindow::createControls()
{
    for (const ControlRow &row : controlRows) {
        const QString text = row.text.toString();
        QWidget *widget = nullptr;
        switch (row.kind) {
        case Kind::Frame:
            widget = new GroupFrame(text);
            break;
        case Kind::Label:
            widget = new MnemonicLabel(text);
            break;
        case Kind::Field:
            widget = makeField();
            break;
        case Kind::StateIcon:
            widget = makeStateIcon();
            break;
        case Kind::CheckBox:
            // The date box is the one that may need a second line.
            widget = row.number == control::FileDateBox ? makeButton<WrappingCheckBox>(text)
                                                        : makeButton<QCheckBox>(text);
            break;
        case Kind::CaseList:
            widget = makeCaseList();
            break;
        case Kind::FileList:
            widget = makeListView(model_);
            break;
        case Kind::Separator:
            widget = makeSeparator();
            break;
        case Kind::StatusLine:
            widget = makeStatusLine();
            break;
        case Kind::Button:
        case Kind::DefaultButton:
        case Kind::ToggleButton: {
            auto *button = makeButton<QPushButton>(text);
            button->setDefault(row.kind == Kind::DefaultButton);
            button->setCheckable(row.kind == Kind::ToggleButton);
            widget = button;
            break;
        }
        }
        addControl(row.number, widget, row.rect, row.tip.toString());
    }
}

void MainWindow::addControl(int number, QWidget *widget, const QRect &rect, const QString &tip)
{
    widget->setParent(this);
    widget->setGeometry(rect);
    widget->setToolTip(tip);
    controls_[static_cast<std::size_t>(number)] = widget;
}

QRect MainWindow::creationRect(int number)
{
    const auto *row = std::find_if(std::begin(controlRows), std::end(controlRows),
                                   [number](const ControlRow &r) { return r.number == number; });
    return row != std::end(controlRows) ? row->rect : QRect();
}

QWidget *MainWindow::control(int number) const
{
    if (number < 0 || number >= control::ControlLimit) {
        return nullptr;
    }
    return controls_[static_cast<std::size_t>(number)];
}

QComboBox *MainWindow::inputField(int number) const
{
    auto *field = qobject_cast<QComboBox *>(control(number));
    return field && field->isEditable() ? field : nullptr;
}

QComboBox *MainWindow::caseList(int number) const
{
    auto *list = qobject_cast<QComboBox *>(control(number));
    return list && !list->isEditable() ? list : nullptr;
}

QCheckBox *MainWindow::optionBox(int number) const
{
    return qobject_cast<QCheckBox *>(control(number));
}

QPushButton *MainWindow::button(int number) const
{
    return qobject_cast<QPushButton *>(control(number));
}

QLabel *MainWindow::stateIcon(int number) const
{
    if (number < control::NamePatternIcon || number > control::FinalReplaceIcon) {
        return nullptr;
    }
    return qobject_cast<QLabel *>(control(number));
}

FileListView *MainWindow::fileListView() const
{
    return qobject_cast<FileListView *>(control(control::FileListView));
}

FileListModel *MainWindow::fileListModel() const
{
    return model_;
}

QLabel *MainWindow::statusLine() const
{
    return qobject_cast<QLabel *>(control(control::StatusLine));
}

void MainWindow::setIndicator(int iconControl, const FieldIndicator &indicator)
{
    QLabel *icon = stateIcon(iconControl);
    if (!icon) {
        return;
    }
    auto &shown = iconStates_[static_cast<std::size_t>(iconControl - control::NamePatternIcon)];
    if (shown != indicator.state) {
        shown = indicator.state;
        icon->setPixmap(smallImage(indicatorImage(indicator.state)));
    }
    // The tip names the place of a fault, which moves while the state stays.
    if (icon->toolTip() != indicator.tooltip) {
        icon->setToolTip(indicator.tooltip);
    }
}

FieldIndicator::State MainWindow::indicatorState(int iconControl) const
{
    if (!stateIcon(iconControl)) {
        return FieldIndicator::State::Ok;
    }
    return iconStates_[static_cast<std::size_t>(iconControl - control::NamePatternIcon)];
}

void MainWindow::setCaseModeTexts(bool upper)
{
    for (const int number : {control::NameCaseList, control::ExtensionCaseList}) {
        QComboBox *list = caseList(number);
        for (int mode = 0; mode < CaseModeCount; ++mode) {
            list->setItemText(mode, caseModeText(mode, upper));
        }
    }
    placeExtraRow(extraRowRule(widthStep()));
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    applyLayout(event->size().width(), event->size().height());
}

} // namespace namenswerk
