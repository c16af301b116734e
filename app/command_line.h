#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace namenswerk {

// The command line after the program's name, sorted into what the start
// does with each argument.
struct CommandLine {
    // A list file ending in ".lst" or a number limiting the own list; empty when none.
    QString listArgument;
    // Files and folders that exist; they become the list as if dropped.
    QStringList paths;
    // Arguments meant as paths that name nothing; the user hears of them.
    QStringList missingPaths;
};

// A first argument ending in ".lst" or one that names nothing and begins
// like a number keeps its old meaning; every other argument is a path.
CommandLine splitCommandLine(const QStringList &arguments,
                             const std::function<bool(const QString &)> &exists);

} // namespace namenswerk
