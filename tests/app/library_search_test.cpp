// The built programs look for their shared libraries only in fixed places,
// never in the folder they are started in, which is often a folder of
// downloaded files about to be renamed.

#include "tests/support/temp_folder.h"

#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace namenswerk::test {
namespace {

using namespace Qt::StringLiterals;

// The paths the loader tries while it loads the program's libraries; the
// program itself does not run.
QStringList triedPaths(const QString &program, const QString &workingFolder)
{
    QProcess loader;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"LD_TRACE_LOADED_OBJECTS"_s, u"1"_s);
    environment.insert(u"LD_DEBUG"_s, u"libs"_s);
    loader.setProcessEnvironment(environment);
    loader.setWorkingDirectory(workingFolder);
    loader.start(program, {});
    EXPECT_TRUE(loader.waitForFinished(30'000)) << program.toStdString();
    QStringList tried;
    static const QRegularExpression trying(u"trying file=(.*)$"_s,
                                           QRegularExpression::MultilineOption);
    auto matches = trying.globalMatch(QString::fromLocal8Bit(loader.readAllStandardError()));
    while (matches.hasNext()) {
        tried.append(matches.next().captured(1));
    }
    return tried;
}

TEST(LibrarySearch, NeverLooksInTheWorkingFolder)
{
    TempFolder files;
    files.write(u"libQt6Core.so.6"_s, "not a library");
    for (const QString &program :
         {QStringLiteral(NAMENSWERK_EXECUTABLE), QStringLiteral(NAMENSWERK_BATCH_EXECUTABLE)}) {
        const QStringList tried = triedPaths(program, files.path());
        EXPECT_FALSE(tried.isEmpty()) << "the loader told nothing for " << program.toStdString();
        QStringList relative;
        for (const QString &path : tried) {
            if (!path.startsWith(u'/')) {
                relative.append(path);
            }
        }
        EXPECT_TRUE(relative.isEmpty())
            << program.toStdString() << " tries " << relative.join(u", "_s).toStdString();
    }
}

} // namespace
} // namespace namenswerk::test
