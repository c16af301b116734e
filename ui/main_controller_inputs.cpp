// The main window's inputs as settings: applying stored settings at start,
// collecting them for the settings file, and the two remembered input states
// behind Ctrl+Z.

#include "settings/list_file.h"
#include "settings/settings_lock.h"
#include "ui/file_list_model.h"
#include "ui/input_history.h"
#include "ui/main_controller.h"
#include "ui/main_window.h"
#include "ui/menus.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSignalBlocker>

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

// A record's text inputs and their drop-down lists, in the order of the fields.
struct TextInput {
    int field;
    QString RenameSettings::*text;
    QStringList InputLists::*entries;
};

constexpr TextInput textInputs[] = {
    {control::NamePatternField, &RenameSettings::regFindname, &InputLists::regFindname},
    {control::ExtensionPatternField, &RenameSettings::regFindext, &InputLists::regFindext},
    {control::TemplateField, &RenameSettings::regReplace, &InputLists::regReplace},
    {control::FirstReplaceField, &RenameSettings::txtFind, &InputLists::txtFind},
    {control::FinalReplaceField, &RenameSettings::txtReplace, &InputLists::txtReplace},
};

struct OptionInput {
    int box;
    bool RenameSettings::*value;
};

constexpr OptionInput optionInputs[] = {
    {control::PatternCaseBox, &RenameSettings::regCase},
    {control::NameOnlyBox, &RenameSettings::txtName},
    {control::ReplaceCaseBox, &RenameSettings::txtCase},
    {control::ReplaceAllBox, &RenameSettings::txtAll},
    {control::FileDateBox, &RenameSettings::fileDate},
};

int validCaseMode(int mode)
{
    return mode >= 0 && mode < 6 ? mode : 0;
}

} // namespace

void MainController::applySettings(const StoredSettings &stored)
{
    settings_ = stored;
    profiles_.emplace(settings_.records);
    engine_.upper = stored.upper;
    list_.sortColumn = stored.sortColumn;
    list_.sortDirection = stored.sortDirection;
    applyColours();
    fillFilterMenu(*filterMenu_, stored.colors);
    buildSpecialMenu();
    showProfileState();
    for (const TextInput &input : textInputs) {
        setDropDownEntries(*window_.inputField(input.field), stored.inputLists.*input.entries,
                           stored.records[0].*input.text);
    }
    memory_ = {};
    applyInputs(stored.records[0]);
    checkInputs();
    const WindowPlacement &place = stored.window;
    if (place.fits(QGuiApplication::primaryScreen()->size())) {
        window_.move(place.left, place.top);
        window_.resize(place.width, place.height);
    }
    setFilter(stored.activeFilter);
    list_.requestRefresh(RefreshLevel::Names);
}

StoredSettings MainController::currentSettings() const
{
    StoredSettings stored = settings_;
    stored.records[0] = storedInputs();
    for (const TextInput &input : textInputs) {
        stored.inputLists.*input.entries = dropDownEntries(*window_.inputField(input.field));
    }
    const QRect frame = window_.frameGeometry();
    stored.window = {frame.left(), frame.top(), window_.width(), window_.height()};
    stored.sortColumn = list_.sortColumn;
    stored.sortDirection = list_.sortDirection;
    stored.activeFilter = chosenFilter_;
    stored.upper = engine_.upper;
    return stored;
}

bool MainController::saveSettings()
{
    settings_ = currentSettings();
    for (;;) {
        // While a batch run works with the folder, its record must not be
        // written over; the user may wait for it or give the save up.
        const SettingsLock lock(settingsFolder_);
        if (!lock.busy()) {
            const bool written = writeSettings(settingsFolder_, settings_);
            writeListFile(list_, ownListFilePath(settingsFolder_), settings_.rememberList);
            return written;
        }
        Request retry = settingsFolderBusy(
            settingsFolder_,
            u"Die Einstellungen wurden nicht gespeichert.\rSoll es erneut versucht werden?"_s);
        retry.icon = RequestIcon::Question;
        retry.buttons = YesCancel;
        if (requester_.ask(retry).code != AnswerYes) {
            return false;
        }
    }
}

MainController::InputTexts MainController::inputTexts() const
{
    InputTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        texts[i] = window_.inputField(textInputs[i].field)->currentText();
    }
    return texts;
}

void MainController::setInputTexts(const InputTexts &texts)
{
    for (std::size_t i = 0; i < texts.size(); ++i) {
        QComboBox *field = window_.inputField(textInputs[i].field);
        const QSignalBlocker quiet(field);
        field->setEditText(texts[i]);
    }
}

RenameSettings MainController::storedInputs() const
{
    RenameSettings record = settings_.records[0];
    record.active = true;
    for (const TextInput &input : textInputs) {
        record.*input.text = window_.inputField(input.field)->currentText();
    }
    for (const OptionInput &option : optionInputs) {
        record.*option.value = window_.optionBox(option.box)->isChecked();
    }
    record.filenameCase = window_.caseList(control::NameCaseList)->currentIndex();
    record.fileextCase = window_.caseList(control::ExtensionCaseList)->currentIndex();
    return record;
}

void MainController::applyInputs(const RenameSettings &record)
{
    for (const TextInput &input : textInputs) {
        QComboBox *field = window_.inputField(input.field);
        const QSignalBlocker quiet(field);
        field->setEditText(record.*input.text);
    }
    for (const OptionInput &option : optionInputs) {
        window_.optionBox(option.box)->setChecked(record.*option.value);
    }
    for (const auto &[list, mode] : {std::pair{control::NameCaseList, record.filenameCase},
                                     std::pair{control::ExtensionCaseList, record.fileextCase}}) {
        QComboBox *caseList = window_.caseList(list);
        const QSignalBlocker quiet(caseList);
        caseList->setCurrentIndex(validCaseMode(mode));
    }
    settings_.records[0].resolveChains = record.resolveChains;
    if (QAction *item = menuItem(*specialMenu_, Command::ResolveChains)) {
        item->setChecked(record.resolveChains);
    }
    rememberInputs();
}

void MainController::rememberInputs()
{
    const InputTexts texts = inputTexts();
    memory_.rememberInputs({texts[0], texts[1], texts[2], texts[3], texts[4]});
}

void MainController::restoreInputs()
{
    const TextInputs restored = memory_.restoreInputs();
    setInputTexts({restored.regFindname, restored.regFindext, restored.regReplace, restored.txtFind,
                   restored.txtReplace});
    patternsDirty_ = true;
    markModified();
    list_.requestRefresh(RefreshLevel::Names);
}

// Translates both patterns and parses the template from the fields.
void MainController::checkInputs()
{
    engine_.setNamePattern(window_.inputField(control::NamePatternField)->currentText());
    engine_.setExtensionPattern(window_.inputField(control::ExtensionPatternField)->currentText());
    engine_.setTemplate(window_.inputField(control::TemplateField)->currentText());
    showIndicators();
}

void MainController::showIndicators()
{
    window_.setIndicator(control::NamePatternIcon, engine_.namePatternIndicator());
    window_.setIndicator(control::ExtensionPatternIcon, engine_.extensionPatternIndicator());
    window_.setIndicator(control::TemplateIcon, engine_.templateIndicator());
    window_.setIndicator(control::FirstReplaceIcon, engine_.initialListIndicator());
    window_.setIndicator(control::FinalReplaceIcon, engine_.finalListIndicator());
}

void MainController::applyColours()
{
    window_.fileListModel()->setColors(settings_.colors);
    showStatusLine();
}

} // namespace namenswerk
