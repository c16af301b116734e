#include "ui/menus.h"

#include "settings/profile_menu.h"
#include "ui/artwork.h"
#include "ui/file_list_model.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPalette>

using namespace Qt::StringLiterals;

namespace namenswerk {

namespace {

// Colour slots of the menu swatches (status numbers).
enum Slot : int {
    Filtered = 1,
    ErrorReg = 2,
    OkEmpty = 6,
    OkDuplicate = 7,
    OkNonexistent = 8,
    Ok = 9,
    OkPath = 11,
    OkRename = 12,
    ErrorRename = 13,
};

struct FilterItem {
    Command command{};
    QStringView text;
    int upper{};
    int lower{};
};

constexpr FilterItem filterItems[] = {
    {Command::FilterFound, u"Gefundene Dateien\tStrg+1", Ok, OkDuplicate},
    {Command::FilterRenameable, u"Dateien, die umbenannt werden können\tStrg+2", Ok, OkPath},
    {Command::FilterBlocked, u"Dateien, die nicht umbenannt werden können\tStrg+3", OkDuplicate,
     OkEmpty},
    {Command::FilterRenameResult, u"Dateien, die umbenannt wurden\tStrg+4", OkRename, ErrorRename},
    {Command::FilterNotFound, u"Gefilterte Dateien\tStrg+5", Filtered, ErrorReg},
};

// Letters of the profile items; S to W are left out.

QPixmap buttonFaceSwatch()
{
    return colourSwatch(QApplication::palette().color(QPalette::Button));
}

QPixmap swatch(const ColorTable &colours, int upper, int lower)
{
    return colourSwatch(tableColor(colours[std::size_t(upper)]),
                        tableColor(colours[std::size_t(lower)]));
}

QAction *addItem(QMenu &menu, Command command, const QIcon &icon, QStringView text)
{
    QAction *action = menu.addAction(icon, text.toString());
    action->setData(commandNumber(command));
    return action;
}

// An item's image takes the place of the check mark, so a checked item
// shows its image with a mark drawn over it.
QIcon checkableIcon(const QPixmap &image)
{
    QPixmap checked = image;
    QPainter painter(&checked);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPolygonF tick({{3.5, 8.5}, {6.5, 11.5}, {12.5, 4.5}});
    for (const auto &[colour, width] :
         {std::pair{QColor(Qt::white), 4.0}, {QColor(Qt::black), 2.0}}) {
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(tick);
    }
    painter.end();
    QIcon icon(image);
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Active}) {
        icon.addPixmap(checked, mode, QIcon::On);
    }
    return icon;
}

QAction *addCheckItem(QMenu &menu, Command command, const QPixmap &image, QStringView text,
                      bool checked)
{
    QAction *action = addItem(menu, command, checkableIcon(image), text);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

} // namespace

QAction *menuItem(const QMenu &menu, Command command)
{
    for (QAction *action : menu.actions()) {
        if (itemCommand(action) == command) {
            return action;
        }
    }
    return nullptr;
}

std::optional<Command> itemCommand(const QAction *action)
{
    if (action == nullptr || action->isSeparator() || !action->data().isValid()) {
        return std::nullopt;
    }
    return static_cast<Command>(action->data().toInt());
}

void fillFilterMenu(QMenu &menu, const ColorTable &colours)
{
    menu.clear();
    for (const FilterItem &item : filterItems) {
        addCheckItem(menu, item.command, swatch(colours, item.upper, item.lower), item.text, false);
    }
    menu.addSeparator();
    addCheckItem(menu, Command::FilterOff, buttonFaceSwatch(), u"Filter ausschalten\tStrg+0",
                 false);
}

void checkFilterItem(const QMenu &menu, int activeFilter)
{
    const int checked = activeFilter == 0 ? commandNumber(Command::FilterOff) : activeFilter;
    for (QAction *action : menu.actions()) {
        const std::optional<Command> command = itemCommand(action);
        if (command) {
            action->setChecked(commandNumber(*command) == checked);
        }
    }
}

void fillSpecialMenu(QMenu &menu, const SpecialMenuState &state)
{
    menu.clear();
    addItem(menu, Command::AddFiles, smallImage(SmallImage::AddFiles),
            u"&Dateien hinzufügen…\tStrg+Shift+D");
    addItem(menu, Command::AddFolder, smallImage(SmallImage::AddFolder),
            u"&Ordner hinzufügen…\tStrg+Shift+A");
    menu.addSeparator();
    addCheckItem(menu, Command::CustomColours, swatch(state.colours, OkNonexistent, Filtered),
                 u"Benutzerdefinierte &Farben\tStrg+Shift+F", state.customColours);
    menu.addSeparator();
    if (state.upper) {
        addItem(menu, Command::UpperCaseSwitch, smallImage(SmallImage::ConvertUpperCase),
                u"Großb&uchstaben umwandeln\tStrg+Shift+U");
    } else {
        addItem(menu, Command::UpperCaseSwitch, smallImage(SmallImage::KeepUpperCase),
                u"Großb&uchstaben erhalten\tStrg+Shift+U");
    }
    addItem(menu, Command::CounterStart, smallImage(SmallImage::CounterStart),
            u"Startwert für &Zähler\tStrg+Shift+Z");
    addCheckItem(menu, Command::RememberList, buttonFaceSwatch(),
                 u"&Einträge der Dateiliste merken\tStrg+Shift+E", state.rememberList);
    addCheckItem(menu, Command::ResolveChains, buttonFaceSwatch(), u"&Ketten und Tausch auflösen",
                 state.resolveChains);
    menu.addSeparator();
    addItem(menu, Command::OpenFolder, smallImage(SmallImage::OpenFolder),
            u"Dateiverzeichnis &öffnen\tStrg+Shift+O");
    addItem(menu, Command::CopyRenameCommands, smallImage(SmallImage::Clipboard),
            u"Dateiliste in die Zwis&chenablage\tStrg+Shift+C");
    addItem(menu, Command::AdoptDisplayedOrder, smallImage(SmallImage::Resort),
            u"Dateiliste neu so&rtieren\tStrg+Shift+R");
    addItem(menu, Command::TakeOverNewNames, smallImage(SmallImage::TakeOverNames),
            u"'Neue Namen' über&nehmen\tStrg+Shift+N");
}

void fillProfileMenu(QMenu &menu, const SettingsRecords &records)
{
    menu.clear();
    for (const ProfileMenuEntry &entry : profileMenu(records)) {
        if (entry.isSeparator()) {
            menu.addSeparator();
            continue;
        }
        // The menu's image numbers are the program's own image numbers.
        const auto image = static_cast<SmallImage>(static_cast<int>(entry.icon));
        addItem(menu, static_cast<Command>(entry.command), smallImage(image), entry.text)
            ->setEnabled(entry.enabled);
    }
}

} // namespace namenswerk
