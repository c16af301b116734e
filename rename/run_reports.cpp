#include "rename/run_reports.h"

#include "settings/settings_lock.h"

#include <QDir>

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

QString shown(const QString &folder)
{
    return QDir::toNativeSeparators(folder);
}

} // namespace

Request missingJournalQuestion(const QString &settingsFolder)
{
    Request request;
    request.title = u"Kein Protokoll"_s;
    request.heading = u"Im Einstellungsordner '"_s % shown(settingsFolder) %
                      u"' kann kein Protokoll des Laufs angelegt werden."_s;
    request.text = u"Bricht der Lauf ab, lässt er sich nicht rückgängig machen.\r"
                   u"Sollen die Dateien dennoch umbenannt werden?"_s;
    request.icon = RequestIcon::Question;
    request.buttons = YesCancel;
    request.firstCaption = u"&Umbenennen"_s;
    return request;
}

Request unrecordedRunMessage(const QString &settingsFolder, bool journalKept)
{
    Request request;
    request.title = u"Warnung"_s;
    request.heading = u"Die Einstellungsdatei in '"_s % shown(settingsFolder) %
                      u"' konnte nicht geschrieben werden."_s;
    request.text = journalKept
                       ? u"Das Protokoll des Laufs bleibt erhalten; beim nächsten Start wird es\r"
                         u"erneut übernommen, damit der Lauf rückgängig gemacht werden kann."_s
                       : u"Dieser Lauf lässt sich nicht vollständig rückgängig machen."_s;
    request.icon = RequestIcon::Warning;
    request.buttons = OkOnly;
    return request;
}

Request busyRunMessage(const QString &settingsFolder)
{
    return settingsFolderBusy(settingsFolder,
                              u"Es wurde nichts umbenannt. Bitte versuchen Sie es erneut,\r"
                              u"wenn der andere Lauf beendet ist."_s);
}

Request diedRunMessage(const QString &settingsFolder)
{
    Request request;
    request.title = u"Achtung!"_s;
    request.heading = u"Ein anderer Lauf im Einstellungsordner '"_s % shown(settingsFolder) %
                      u"' wurde abgebrochen."_s;
    request.text = u"Er kann nun rückgängig gemacht werden. Es wurde nichts umbenannt."_s;
    request.icon = RequestIcon::Error;
    request.buttons = OkOnly;
    return request;
}

} // namespace namenswerk
