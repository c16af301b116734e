#pragma once

#include <QString>
#include <QStringList>

#include <limits>
#include <optional>

namespace namenswerk::batch {

// One rule field set from the command line; unset fields keep the stored value.
struct RuleOverrides {
    std::optional<QString> name, ext, templateText, find, replace;
    std::optional<bool> patternCase, namesOnly, findCase, replaceAll, upper, touch, resolveChains;
    std::optional<int> nameCase, extCase, counterStart;
};

enum class Action { Plan, Apply, Undo };

struct BatchOptions {
    Action action = Action::Plan;
    bool json = false;
    bool dryRun = false;
    bool allowExtensionLoss = false;
    bool createFolders = false;
    bool noJournal = false; // rename even where no journal can be made
    QStringList paths;
    QString listFile;
    bool remembered = false;
    int limit = std::numeric_limits<int>::max(); // every entry unless --limit says otherwise
    QString settingsFolder;                      // empty: the program's settings folder
    QString profile;
    RuleOverrides overrides;
};

// What the command line asked for, or why it cannot be done.
struct ParsedCommandLine {
    std::optional<BatchOptions> options;
    QString error;          // one line for standard error; empty with options
    bool helpShown = false; // --help or --version answered; exit 0
    bool noEntries = false; // no files were named: the usage is shown
};

ParsedCommandLine parseCommandLine(const QStringList &arguments);

QString usageText();

} // namespace namenswerk::batch
