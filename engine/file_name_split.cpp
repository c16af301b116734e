#include "engine/file_name_split.h"

#include <algorithm>

namespace namenswerk {

qsizetype lastFolderSeparator(QStringView text)
{
    return std::max(text.lastIndexOf(u'/'), text.lastIndexOf(u'\\'));
}

SplitName splitFileName(QStringView text)
{
    const QStringView component = text.mid(lastFolderSeparator(text) + 1);
    const qsizetype dot = component.lastIndexOf(u'.');
    const bool hasExtension =
        dot > 0 && dot < component.size() - 1 && !component.mid(dot + 1).contains(u' ');
    if (!hasExtension) {
        return {component.toString(), {}};
    }
    return {component.left(dot).toString(), component.mid(dot + 1).toString()};
}

} // namespace namenswerk
