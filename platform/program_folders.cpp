#include "platform/program_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace namenswerk::platform {

namespace {

QString &settingsFolderOverride()
{
    static QString folder;
    return folder;
}

QString withTrailingSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

// The folder exists afterwards (or could not be made; then writing there
// fails later and the program goes on without its files).
QString madeFolder(const QString &folder)
{
    QDir().mkpath(folder);
    return withTrailingSlash(folder);
}

bool isWritableFolder(const QString &folder)
{
    return !folder.isEmpty() && ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
}

// A build places this marker beside the programs it builds; an installation
// never has it. Being writable alone says nothing: root may write to /usr/bin.
bool isMarkedPortable(const QString &folder)
{
    return QFileInfo(withTrailingSlash(folder) + u"portable"_s).isFile();
}

// Independent of the application object and its name, so that every way of
// starting the program finds the same folder.
QString userConfigFolder()
{
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           u"/namenswerk"_s);
}

} // namespace

QString programFolder()
{
    if (QCoreApplication::instance() != nullptr) {
        return withTrailingSlash(QCoreApplication::applicationDirPath());
    }
    return withTrailingSlash(QFileInfo(QFile::symLinkTarget(u"/proc/self/exe"_s)).absolutePath());
}

QString settingsFolder()
{
    if (!settingsFolderOverride().isEmpty()) {
        return madeFolder(settingsFolderOverride());
    }
    const QString fromEnvironment = qEnvironmentVariable("NAMENSWERK_SETTINGS_DIR");
    if (!fromEnvironment.isEmpty()) {
        return madeFolder(fromEnvironment);
    }
    return settingsFolderBeside(programFolder());
}

QString settingsFolderBeside(const QString &programFolder)
{
    if (isMarkedPortable(programFolder) && isWritableFolder(programFolder)) {
        return withTrailingSlash(programFolder);
    }
    return madeFolder(userConfigFolder());
}

void setSettingsFolderOverride(const QString &folder)
{
    settingsFolderOverride() = folder;
}

} // namespace namenswerk::platform
