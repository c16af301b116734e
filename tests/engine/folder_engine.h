#pragma once

#include "engine/name_engine.h"
#include "tests/support/temp_folder.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace namenswerk::test {

// The engine over files written into a fresh folder, for the tokens that
// look inside files.
struct FolderEngine {
    TempFolder folder;
    FileList list;
    NameEngine engine;
    RenameSettings settings;

    explicit FolderEngine(const QString &templateText)
    {
        settings.regReplace = templateText;
        list.currentFolder = folder.path();
        engine.setInputs(settings);
    }
    void add(const QString &name, const QByteArray &bytes)
    {
        folder.write(name, bytes);
        list.addPathLine(name, true);
    }
    // Other content of the same size under the same modification time: what
    // a cache that trusts size and time cannot tell from the old one.
    void rewriteUnnoticed(const QString &name, const QByteArray &bytes) const
    {
        const QString path = folder.file(name);
        const QDateTime time = QFileInfo(path).lastModified();
        folder.write(name, bytes);
        QFile touched(path);
        touched.open(QIODevice::ReadWrite);
        touched.setFileTime(time, QFileDevice::FileModificationTime);
    }
    QStringList names()
    {
        list.requestRefresh(RefreshLevel::Names);
        engine.refresh(list, settings);
        QStringList result;
        for (const FileEntry &entry : list.entries()) {
            result << entry.newName;
        }
        return result;
    }
};

} // namespace namenswerk::test
