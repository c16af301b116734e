#pragma once

#include "ui/control_ids.h"

namespace namenswerk {

// Everything the user can ask of the main window. Controls, menu items and
// keyboard shortcuts share this one number space: a control's command is its
// control number, and commands that act on a control lie at a fixed offset
// from it (focus 9 to 11 = field + 9, option toggles 28 to 31 = box + 5,
// focus 59 to 62 = field + 4, sorting 39 to 44 = column + 39, profile items
// 151 to 170 = profile slot + 150).
enum class Command : int {
    NamePatternChanged = control::NamePatternField,
    ExtensionPatternChanged = control::ExtensionPatternField,
    TemplateChanged = control::TemplateField,
    FocusNamePattern = 9,
    FocusExtensionPattern = 10,
    FocusTemplate = 11,
    PatternCaseClicked = control::PatternCaseBox,
    NameOnlyClicked = control::NameOnlyBox,
    ReplaceCaseClicked = control::ReplaceCaseBox,
    ReplaceAllClicked = control::ReplaceAllBox,
    FileDateClicked = control::FileDateBox,
    InvertPatternCase = 28,
    InvertNameOnly = 29,
    InvertReplaceCase = 30,
    InvertReplaceAll = 31,
    InvertFileDate = 32,
    ToggleIgnoredRow = control::FileListView,
    RenameFiles = control::RenameButton,
    Close = control::CloseButton,
    ShowProfileMenu = control::ProfileButton,
    ShowFilterMenu = control::FilterButton,
    ShowSpecialMenu = control::SpecialButton,
    SortByFolderMark = 39,
    SortByOldName = 40,
    SortByNewName = 41,
    SortBySize = 42,
    SortByDate = 43,
    SortByStatus = 44,
    ResetSort = 45,
    RefreshFacts = 46,
    ContextHelp = 47,
    PatternReference = 48,
    ShortcutOverview = 49,
    UndoLastRun = 50,
    RestoreInputs = 51,
    About = 52,
    FirstReplaceChanged = control::FirstReplaceField,
    FinalReplaceChanged = control::FinalReplaceField,
    NameCaseChanged = control::NameCaseList,
    ExtensionCaseChanged = control::ExtensionCaseList,
    FocusFirstReplace = 59,
    FocusFinalReplace = 60,
    FocusNameCase = 61,
    FocusExtensionCase = 62,
    FilterFound = 130,
    FilterRenameable = 131,
    FilterBlocked = 132,
    FilterRenameResult = 133,
    FilterNotFound = 134,
    FilterOff = 135,
    RememberList = 137,
    CustomColours = 138,
    CopyRenameCommands = 139,
    OpenFolder = 140,
    AdoptDisplayedOrder = 141,
    TakeOverNewNames = 142,
    UpperCaseSwitch = 143,
    CounterStart = 144,
    ResolveChains = 145,
    SaveProfile = 146,
    DeleteProfile = 147,
    RenameProfile = 148,
    StoreSettings = 149,
    FirstProfile = 151,
    LastProfile = 170,
    AddFiles = 171,
    AddFolder = 172,
};

inline constexpr int commandNumber(Command command)
{
    return static_cast<int>(command);
}

// Offsets that tie commands to the control or column they act on.
inline constexpr int FocusFieldOffset = 9;       // 9 to 11 focus fields 0 to 2
inline constexpr int InvertBoxOffset = 5;        // 28 to 32 invert boxes 23 to 27
inline constexpr int FocusLowerFieldOffset = 4;  // 59 to 62 focus controls 55 to 58
inline constexpr int SortColumnOffset = 39;      // 39 to 44 sort columns 0 to 5
inline constexpr int ProfileCommandOffset = 150; // 151 to 170 choose profiles 1 to 20

} // namespace namenswerk
