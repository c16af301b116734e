#include "tests/support/journal_length.h"

#include <QByteArray>
#include <QFile>

namespace namenswerk::test {

qint64 journalLength(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QByteArray bytes = file.readAll();
    const qsizetype unwritten = bytes.indexOf('\0');
    return unwritten < 0 ? bytes.size() : unwritten;
}

} // namespace namenswerk::test
