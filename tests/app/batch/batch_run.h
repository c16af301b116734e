#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace namenswerk::test {

struct BatchResult {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the batch command in a folder and collects what it printed.
inline BatchResult runBatch(const QString &workingFolder, const QStringList &arguments)
{
    QProcess process;
    process.setWorkingDirectory(workingFolder);
    process.start(QStringLiteral(NAMENSWERK_BATCH_EXECUTABLE), arguments);
    process.waitForFinished(60'000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The "new" and "status" columns of each plan line after the header.
inline QStringList newNamesAndStatuses(const QString &out)
{
    QStringList result;
    QStringList lines = out.split(u'\n', Qt::SkipEmptyParts);
    if (!lines.isEmpty()) {
        lines.removeFirst();
    }
    for (const QString &line : lines) {
        const QStringList fields = line.split(u'\t');
        result.append(fields.value(2) + u' ' + fields.value(3));
    }
    return result;
}

} // namespace namenswerk::test
