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

} // namespace namenswerk::test
