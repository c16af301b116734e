#include "engine/file_name_split.h"

namespace namenswerk {

qsizetype lastFolderSeparator(QStringView text)
{
    return text.lastIndexOf(u'/');
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
