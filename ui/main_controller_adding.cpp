// Files and folders the user adds to the list through a dialog.

#include "model/file_list.h"
#include "platform/folder_files.h"
#include "ui/add_progress.h"
#include "ui/main_controller.h"
#include "ui/main_window.h"
#include "ui/wait_cursor.h"

#include <QDir>
#include <QScopedValueRollback>

#include <utility>

using namespace Qt::StringLiterals;

namespace namenswerk {

namespace {

QString fileCount(int count)
{
    if (count == 0) {
        return u"Keine Dateien"_s;
    }
    return count == 1 ? u"1 Datei"_s : u"%1 Dateien"_s.arg(count);
}

// What a folder's listing left out, as the tail of the note.
QString skippedInFolder(const platform::FolderFiles &found)
{
    QString text;
    if (found.unusableNames > 0) {
        text += u", %1 mit unlesbarem Namen übergangen"_s.arg(found.unusableNames);
    }
    if (found.unlistedFolders > 0) {
        text += u", %1 Unterordner nicht lesbar"_s.arg(found.unlistedFolders);
    }
    return text;
}

} // namespace

// The list's folder, else where the user last added from, else the home folder.
QString MainController::addStartFolder() const
{
    if (!lastAddFolder_.isEmpty()) {
        return lastAddFolder_;
    }
    if (!list_.currentFolder.isEmpty()) {
        return QDir(list_.currentFolder).absolutePath();
    }
    return QDir::homePath();
}

void MainController::addFiles()
{
    const QStringList paths = chooser_->chooseFiles(addStartFolder());
    if (paths.isEmpty()) {
        return;
    }
    lastAddFolder_ = folderPart(paths.front());
    const WaitCursor busy;
    if (const std::optional<AddedPaths> added = addWithProgress(paths, u"Dateien hinzufügen"_s)) {
        noteAdded(*added);
    }
}

void MainController::addFolder()
{
    const std::optional<FolderChoice> choice =
        chooser_->chooseFolder(addStartFolder(), addSubfolders_);
    if (!choice) {
        return;
    }
    lastAddFolder_ = choice->folder;
    addSubfolders_ = choice->withSubfolders;
    const WaitCursor busy;
    const platform::FolderFiles found =
        platform::folderFiles(choice->folder, choice->withSubfolders);
    if (found.unreadable > 0) {
        statusNote_ = u"Der Ordner '%1' kann nicht gelesen werden."_s.arg(choice->folder);
        // The note needs a refresh to be shown; the names stay as they are.
        list_.requestRefresh(RefreshLevel::Statuses);
        return;
    }
    if (const std::optional<AddedPaths> added =
            addWithProgress(found.paths, u"Ordner hinzufügen"_s)) {
        noteAdded(*added, skippedInFolder(found));
    }
}

// None when a drop came in meanwhile and replaced the list, added files and all.
std::optional<AddedPaths> MainController::addWithProgress(const QStringList &paths,
                                                          const QString &title)
{
    AddedPaths added;
    {
        AddProgressWindow progress(&window_, title, int(paths.size()));
        const QScopedValueRollback adding(adding_, true);
        added = list_.addPaths(paths, [&progress](int done) { return progress.advance(done); });
    }
    // Paths handed over by a later start while the progress let events through.
    if (pendingDrop_) {
        const QStringList drop = *std::exchange(pendingDrop_, std::nullopt);
        dropFiles(drop);
        return std::nullopt;
    }
    return added;
}

void MainController::noteAdded(const AddedPaths &added, const QString &skipped)
{
    statusNote_ = fileCount(added.added) + u" hinzugefügt"_s;
    if (added.alreadyListed > 0) {
        statusNote_ += u", %1 schon in der Liste"_s.arg(added.alreadyListed);
    }
    if (added.notReached > 0) {
        statusNote_ += u", %1 wegen Abbruchs nicht"_s.arg(added.notReached);
    }
    statusNote_ += skipped + u'.';
    // Shown even when nothing was added, so the user learns why.
    list_.requestRefresh(RefreshLevel::Statuses);
}

} // namespace namenswerk
