#include "settings/remember_settings.h"

namespace namenswerk {

void addRecentText(QStringList &list, const QString &text)
{
    if (text.isEmpty()) {
        return;
    }
    list.removeAll(text);
    list.prepend(text);
    if (list.size() > RecentTextLimit) {
        list.resize(RecentTextLimit);
    }
}

bool rememberSettings(const QString &folder, StoredSettings &settings)
{
    const RenameSettings &current = settings.records[0];
    InputLists &lists = settings.inputLists;
    addRecentText(lists.regFindname, current.regFindname);
    addRecentText(lists.regFindext, current.regFindext);
    addRecentText(lists.regReplace, current.regReplace);
    addRecentText(lists.txtFind, current.txtFind);
    addRecentText(lists.txtReplace, current.txtReplace);
    return writeSettings(folder, settings);
}

} // namespace namenswerk
