#pragma once

namespace namenswerk::control {

// Numbers of the main window's controls. Commands of the event loop share this
// number space and reach some controls by fixed offsets from these numbers, so
// the values never change.
enum Id : int {
    NamePatternField = 0,
    ExtensionPatternField = 1,
    TemplateField = 2,
    NamePatternIcon = 3,
    ExtensionPatternIcon = 4,
    TemplateIcon = 5,
    FirstReplaceIcon = 6,
    FinalReplaceIcon = 7,
    MainWindow = 12,
    PatternFrame = 13,
    ReplaceFrame = 14,
    ExtraFrame = 15,
    SeparatorLine = 16,
    NamePatternLabel = 17,
    ExtensionPatternLabel = 18,
    TemplateLabel = 19,
    StatusLine = 20,
    FirstReplaceLabel = 21,
    FinalReplaceLabel = 22,
    PatternCaseBox = 23,
    NameOnlyBox = 24,
    ReplaceCaseBox = 25,
    ReplaceAllBox = 26,
    FileDateBox = 27,
    FileListView = 33,
    RenameButton = 34,
    CloseButton = 35,
    ProfileButton = 36,
    FilterButton = 37,
    SpecialButton = 38,
    NameCaseLabel = 53,
    ExtensionCaseLabel = 54,
    FirstReplaceField = 55,
    FinalReplaceField = 56,
    NameCaseList = 57,
    ExtensionCaseList = 58,
};

// One past the highest control number.
inline constexpr int ControlLimit = 59;

} // namespace namenswerk::control
