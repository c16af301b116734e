#include "settings/settings_lock.h"

#include <QDir>

namespace namenswerk {

using namespace Qt::StringLiterals;

QString settingsLockPath(const QString &settingsFolder)
{
    return QDir(settingsFolder).filePath(u"Brindlewick.lock"_s);
}

SettingsLock::SettingsLock(const QString &settingsFolder, std::chrono::milliseconds wait, Mode mode)
    : lock_(settingsLockPath(settingsFolder), wait,
            mode == Mode::Write ? platform::FolderLock::Create::IfMissing
                                : platform::FolderLock::Create::Never)
{
}

Request settingsFolderBusy(const QString &settingsFolder, const QString &text)
{
    Request request;
    request.title = u"Achtung!"_s;
    request.heading = u"Im Einstellungsordner '"_s % QDir::toNativeSeparators(settingsFolder) %
                      u"' arbeitet gerade ein anderer Lauf."_s;
    request.text = text;
    request.icon = RequestIcon::Error;
    request.buttons = OkOnly;
    return request;
}

} // namespace namenswerk
