#pragma once

#include "engine/name_engine.h"
#include "model/file_list.h"
#include "rename/input_memory.h"
#include "rename/local_clock.h"
#include "rename/rename_run.h"
#include "rename/undo_last_run.h"
#include "tests/support/scripted_requester.h"
#include "tests/support/temp_folder.h"

#include <QDirIterator>
#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

namespace namenswerk::test {

// Real files in one temporary folder, the settings folder in another, and the
// list, engine and settings a window holds. Each file's content is its name,
// so a test can tell files apart after they moved.
struct RunFixture {
    TempFolder files;
    TempFolder settingsFolder;
    FileList list;
    NameEngine engine;
    RenameSettings settings;
    ScriptedRequester requester;
    InputMemory memory;
    const platform::RenameSteps *steps = nullptr; // the system's own when none

    RunFixture() { list.currentFolder = files.path(); }

    void addFiles(const QStringList &names)
    {
        for (const QString &name : names) {
            files.write(name, name.toUtf8());
            list.addPathLine(name, true);
        }
    }

    // New names and statuses as after typing the template.
    void compute(const QString &templateText)
    {
        settings.regReplace = templateText;
        engine.setInputs(settings);
        list.requestRefresh(RefreshLevel::Names);
        engine.refresh(list, settings);
    }

    // A file in the list's folder holding its name.
    void writeInListFolder(const QString &name) const
    {
        QFile file(list.currentFolder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(name.toUtf8()), name.toUtf8().size());
    }

    // Files in the list's folder with the given new names, as a template
    // would make them; the names of `others` are on disk but not in the list.
    void plan(const std::vector<std::pair<QString, QString>> &renames,
              const QStringList &others = {})
    {
        for (const QString &name : others) {
            writeInListFolder(name);
        }
        for (const auto &[from, to] : renames) {
            writeInListFolder(from);
            list.addPathLine(from, true);
        }
        compute(QStringLiteral("<n>_new.<e>"));
        for (std::size_t index = 0; index < renames.size(); ++index) {
            FileEntry &entry = list.at(int(index));
            ASSERT_EQ(entry.status, EntryStatus::Ok);
            entry.newName = renames[index].second;
        }
    }

    RunResult run()
    {
        return renameRun(
            {list, engine, settings, requester, settingsFolder.path(), &memory, steps});
    }

    UndoResult undo(std::int64_t now)
    {
        return undoLastRun(settingsFolder.path(), requester, list, now);
    }

    void undoAll()
    {
        requester.add(AnswerYes);
        undo(currentLocalSeconds());
    }

    std::vector<EntryStatus> statuses() const
    {
        std::vector<EntryStatus> result;
        for (const FileEntry &entry : list.entries()) {
            result.push_back(entry.status);
        }
        return result;
    }

    // Every file below the files folder, relative to it, sorted.
    QStringList filesOnDisk() const { return filesBelow(files.path()); }

    static QStringList filesBelow(const QString &folder)
    {
        QStringList found;
        QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            found << it.next().mid(folder.size());
        }
        found.sort();
        return found;
    }
};

} // namespace namenswerk::test
