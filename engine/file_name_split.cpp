#include "engine/file_name_split.h"

#include <algorithm>
#include <iterator>

namespace namenswerk {

qsizetype lastFolderSeparator(QStringView text)
{
    const auto isSeparator = [](QChar c) { return c == u'/' || c == u'\\'; };
    const auto found = std::find_if(text.rbegin(), text.rend(), isSeparator);
    return std::distance(found, text.rend()) - 1;
}

SplitNameView splitFileNameView(QStringView text)
{
    const QStringView component = text.mid(lastFolderSeparator(text) + 1);
    const qsizetype dot = component.lastIndexOf(u'.');
    const bool hasExtension =
        dot > 0 && dot < component.size() - 1 && !component.mid(dot + 1).contains(u' ');
    if (!hasExtension) {
        return {component, {}};
    }
    return {component.left(dot), component.mid(dot + 1)};
}

SplitName splitFileName(QStringView text)
{
    const SplitNameView parts = splitFileNameView(text);
    return {parts.name.toString(), parts.extension.toString()};
}

} // namespace namenswerk
