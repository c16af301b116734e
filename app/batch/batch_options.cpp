#include "app/batch/batch_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace namenswerk::batch {

using namespace Qt::StringLiterals;

namespace {

// Options that set one rule field to the value that follows them.
struct TextOption {
    QString name;
    std::optional<QString> RuleOverrides::*field;
};

// Options that switch one rule field on, and their "--no-" partners off.
struct SwitchOption {
    QString on;
    QString off;
    std::optional<bool> RuleOverrides::*field;
};

struct NumberOption {
    QString name;
    std::optional<int> RuleOverrides::*field;
    int lowest;
    int highest;
};

const std::vector<TextOption> &textOptions()
{
    static const std::vector<TextOption> options{
        {u"name"_s, &RuleOverrides::name},
        {u"ext"_s, &RuleOverrides::ext},
        {u"template"_s, &RuleOverrides::templateText},
        {u"find"_s, &RuleOverrides::find},
        {u"replace"_s, &RuleOverrides::replace},
    };
    return options;
}

const std::vector<SwitchOption> &switchOptions()
{
    static const std::vector<SwitchOption> options{
        {u"pattern-case"_s, u"no-pattern-case"_s, &RuleOverrides::patternCase},
        {u"names-only"_s, u"no-names-only"_s, &RuleOverrides::namesOnly},
        {u"find-case"_s, u"no-find-case"_s, &RuleOverrides::findCase},
        {u"all"_s, u"first"_s, &RuleOverrides::replaceAll},
        {u"upper"_s, u"no-upper"_s, &RuleOverrides::upper},
        {u"touch"_s, u"no-touch"_s, &RuleOverrides::touch},
        {u"resolve-chains"_s, u"no-resolve-chains"_s, &RuleOverrides::resolveChains},
    };
    return options;
}

const std::vector<NumberOption> &numberOptions()
{
    static const std::vector<NumberOption> options{
        {u"name-case"_s, &RuleOverrides::nameCase, 0, 5},
        {u"ext-case"_s, &RuleOverrides::extCase, 0, 5},
        {u"counter-start"_s, &RuleOverrides::counterStart, 0, 999999999},
    };
    return options;
}

void declareOptions(QCommandLineParser &parser)
{
    for (const QString &flag :
         {u"help"_s, u"version"_s, u"json"_s, u"apply"_s, u"undo"_s, u"dry-run"_s,
          u"allow-extension-loss"_s, u"create-folders"_s, u"no-journal"_s, u"remembered"_s}) {
        parser.addOption(QCommandLineOption(flag));
    }
    for (const QString &valued : {u"list"_s, u"limit"_s, u"settings"_s, u"profile"_s}) {
        parser.addOption(QCommandLineOption(valued, {}, u"value"_s));
    }
    for (const TextOption &option : textOptions()) {
        parser.addOption(QCommandLineOption(option.name, {}, u"value"_s));
    }
    for (const NumberOption &option : numberOptions()) {
        parser.addOption(QCommandLineOption(option.name, {}, u"value"_s));
    }
    for (const SwitchOption &option : switchOptions()) {
        parser.addOption(QCommandLineOption(option.on));
        parser.addOption(QCommandLineOption(option.off));
    }
}

std::optional<int> wholeNumber(const QString &text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= lowest && value <= highest ? std::optional<int>(value) : std::nullopt;
}

// Reads the rule options; returns an error line or nothing.
QString readOverrides(const QCommandLineParser &parser, RuleOverrides &overrides)
{
    for (const TextOption &option : textOptions()) {
        if (parser.isSet(option.name)) {
            overrides.*option.field = parser.value(option.name);
        }
    }
    for (const SwitchOption &option : switchOptions()) {
        if (parser.isSet(option.on) && parser.isSet(option.off)) {
            return u"--%1 and --%2 exclude each other"_s.arg(option.on, option.off);
        }
        if (parser.isSet(option.on) || parser.isSet(option.off)) {
            overrides.*option.field = parser.isSet(option.on);
        }
    }
    for (const NumberOption &option : numberOptions()) {
        if (!parser.isSet(option.name)) {
            continue;
        }
        const auto value = wholeNumber(parser.value(option.name), option.lowest, option.highest);
        if (!value) {
            return u"--%1 needs a whole number from %2 to %3"_s.arg(option.name)
                .arg(option.lowest)
                .arg(option.highest);
        }
        overrides.*option.field = *value;
    }
    return {};
}

QString noFilesGiven()
{
    return u"no files given"_s;
}

QString readEntrySources(const QCommandLineParser &parser, BatchOptions &options)
{
    options.paths = parser.positionalArguments();
    options.listFile = parser.value(u"list"_s);
    options.remembered = parser.isSet(u"remembered"_s);
    const int sources =
        int(!options.paths.isEmpty()) + int(parser.isSet(u"list"_s)) + int(options.remembered);
    if (sources > 1) {
        return u"give the files either as paths, with --list or with --remembered"_s;
    }
    if (parser.isSet(u"limit"_s)) {
        const auto limit = wholeNumber(parser.value(u"limit"_s), 1, 1'000'000'000);
        if (!limit) {
            return u"--limit needs a whole number of at least 1"_s;
        }
        options.limit = *limit;
    }
    if (sources == 0 && options.action != Action::Undo) {
        return noFilesGiven();
    }
    return {};
}

QString readAction(const QCommandLineParser &parser, BatchOptions &options)
{
    if (parser.isSet(u"apply"_s) && parser.isSet(u"undo"_s)) {
        return u"--apply and --undo exclude each other"_s;
    }
    options.action = parser.isSet(u"apply"_s)  ? Action::Apply
                     : parser.isSet(u"undo"_s) ? Action::Undo
                                               : Action::Plan;
    options.json = parser.isSet(u"json"_s);
    options.dryRun = parser.isSet(u"dry-run"_s);
    options.allowExtensionLoss = parser.isSet(u"allow-extension-loss"_s);
    options.createFolders = parser.isSet(u"create-folders"_s);
    options.noJournal = parser.isSet(u"no-journal"_s);
    options.settingsFolder = parser.value(u"settings"_s);
    options.profile = parser.value(u"profile"_s);
    if (options.dryRun && options.action != Action::Undo) {
        return u"--dry-run goes with --undo"_s;
    }
    return {};
}

} // namespace

ParsedCommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    declareOptions(parser);
    if (!parser.parse(arguments)) {
        return {std::nullopt, parser.errorText(), false, false};
    }
    if (parser.isSet(u"help"_s) || parser.isSet(u"version"_s)) {
        return {std::nullopt, {}, true, false};
    }
    BatchOptions options;
    for (const QString &error : {readAction(parser, options), readEntrySources(parser, options),
                                 readOverrides(parser, options.overrides)}) {
        if (!error.isEmpty()) {
            return {std::nullopt, error, false, options.paths.isEmpty() && error == noFilesGiven()};
        }
    }
    return {options, {}, false};
}

QString usageText()
{
    return uR"(Usage: namenswerk-batch [OPTIONS] [PATH ...]

Computes new names for files with the rules of Namenswerk and prints the plan,
renames the files (--apply) or undoes the last run (--undo).

Files (one of):
  PATH ...                 the files, in this order, as if dropped on the window
  --list FILE              the paths of a list file (--limit N, default all)
  --remembered             the file list the program remembered

Rules (the current settings of the settings file unless changed here):
  --settings DIR           folder of Brindlewick.ini (default: the program's)
  --profile NAME           a stored profile (name compared without regard to case)
  --name P, --ext P        name and extension pattern
  --template T             target template
  --find LIST, --replace LIST   initial and final search-and-replace lists
  --pattern-case / --no-pattern-case
  --names-only / --no-names-only
  --find-case / --no-find-case
  --all / --first          replace all occurrences or only the first
  --name-case N, --ext-case N   case mode 0 to 5
  --upper / --no-upper     capitalising modes also lower-case other letters
  --counter-start N        the number of the first counted file
  --touch / --no-touch     set the file date when renaming
  --resolve-chains / --no-resolve-chains
                           order renames so that chains and swaps succeed

Output and actions:
  (default)                the plan: tab-separated entry, path, new, status, text;
                           tabs, line breaks and backslashes in names are written
                           as \t, \n, \r and \\, other control characters as \xHH
  --json                   the plan, or the list of --undo, as a JSON array
  --apply                  rename every file whose status is 9 (Ok), then print
                           the plan with 12 (renamed) or 13 (failed)
    --allow-extension-loss   rename even when new names lose their extensions
    --create-folders         create missing subfolders
    --no-journal             rename even where the journal that makes a killed
                             run undoable cannot be created
  --undo [--dry-run]       undo the last recorded run (or only list it): old
                           path, new path, ok or failed for each recorded rename
  --help, --version

Exit codes: 0 success, 1 a rename or undo step failed, the run stopped or
its record for undo could not be written, 2 bad usage, unreadable input, or
another run working with the same settings folder (nothing was done).
)"_s;
}

} // namespace namenswerk::batch
