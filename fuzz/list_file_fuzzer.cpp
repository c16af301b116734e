// List files: any bytes read as a list file, with and without a folder line,
// into a file list whose facts come from nowhere.
//
// Input: the bytes of the file. The first byte's lowest bit chooses whether
// the file starts with a folder line.

#include "fuzz/fuzz_check.h"
#include "model/file_list.h"
#include "settings/list_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

using namespace namenswerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("input.lst"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            return 0;
        }
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    const bool hasFolderLine = size > 0 && (data[0] & 1) != 0;
    constexpr int limit = 50;
    FileList list([](const QString &) { return FileFacts{}; });
    readListFile(list, path, hasFolderLine, limit);
    FUZZ_CHECK(list.count() <= limit);
    for (const FileEntry &entry : list.entries()) {
        // A line that reached the list names a file: never empty, never cut
        // at a NUL that the system would stop at.
        FUZZ_CHECK(!entry.oldName.isEmpty());
        FUZZ_CHECK(!entry.oldName.contains(QChar(0)));
    }
    return 0;
}
