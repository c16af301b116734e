#include "app/command_line.h"

using namespace Qt::StringLiterals;

namespace namenswerk {

namespace {

// What the list file choice reads as a number: optional blanks, a sign, then
// decimal digits, or "$" or "%" before hexadecimal or binary ones.
bool looksLikeNumber(const QString &argument)
{
    const QString text = argument.trimmed();
    if (text.isEmpty()) {
        return argument.isEmpty();
    }
    const QChar first = text.front();
    return first.isDigit() || first == u'-' || first == u'+' || first == u'$' || first == u'%';
}

} // namespace

CommandLine splitCommandLine(const QStringList &arguments,
                             const std::function<bool(const QString &)> &exists)
{
    CommandLine line;
    qsizetype next = 0;
    if (!arguments.isEmpty()) {
        const QString &first = arguments.front();
        if (first.endsWith(u".lst"_s) || (!exists(first) && looksLikeNumber(first))) {
            line.listArgument = first;
            next = 1;
        }
    }
    for (; next < arguments.size(); ++next) {
        const QString &argument = arguments.at(next);
        if (argument.isEmpty()) {
            continue;
        }
        (exists(argument) ? line.paths : line.missingPaths).append(argument);
    }
    return line;
}

} // namespace namenswerk
