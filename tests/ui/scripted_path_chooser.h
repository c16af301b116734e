#pragma once

#include "ui/path_chooser.h"

#include <deque>
#include <vector>

namespace namenswerk::test {

// Answers the add dialogs from a script; with nothing scripted it cancels,
// as a user closing the dialog does. Keeps where each dialog would have opened.
class ScriptedPathChooser final : public PathChooser {
public:
    QStringList chooseFiles(const QString &startFolder) override
    {
        startFolders.push_back(startFolder);
        if (files.empty()) {
            return {};
        }
        QStringList chosen = files.front();
        files.pop_front();
        return chosen;
    }

    std::optional<FolderChoice> chooseFolder(const QString &startFolder,
                                             bool withSubfolders) override
    {
        startFolders.push_back(startFolder);
        offeredSubfolders.push_back(withSubfolders);
        if (folders.empty()) {
            return std::nullopt;
        }
        FolderChoice chosen = folders.front();
        folders.pop_front();
        return chosen;
    }

    std::deque<QStringList> files;
    std::deque<FolderChoice> folders;
    std::vector<QString> startFolders;
    std::vector<bool> offeredSubfolders; // how the check box started each time
};

} // namespace namenswerk::test
