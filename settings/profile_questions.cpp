#include "settings/profile_questions.h"

namespace namenswerk {

using namespace Qt::StringLiterals;

Request overwriteQuestion(const QString &name)
{
    Request request;
    request.title = u"Profil speichern"_s;
    request.heading = u"Unter dem Namen '"_s + name + u"' ist bereits ein Profil gespeichert."_s;
    request.text = u"Soll dieses überschrieben werden?"_s;
    request.icon = RequestIcon::Question;
    request.buttons = OkCancel;
    request.firstCaption = u"Ü&berschreiben"_s;
    return request;
}

Request noFreeProfileMessage()
{
    Request request;
    request.title = u"Achtung!"_s;
    request.heading = u"Kein freies Profil verfügbar."_s;
    request.text = u"Speichern Sie die Einstellungen unter einem vorhandenen Namen oder löschen "
                   u"Sie unbenötigte Profile."_s;
    request.icon = RequestIcon::Error;
    request.buttons = OkOnly;
    return request;
}

Request removalQuestion(const QString &name)
{
    Request request;
    request.title = u"Profil löschen"_s;
    request.heading = u"Aktuell wird das Profil '"_s + name + u"' verwendet."_s;
    request.text = u"Soll dieses nun deaktiviert oder endgültig gelöscht werden?"_s;
    request.icon = RequestIcon::Question;
    request.buttons = YesNoCancel;
    request.firstCaption = u"&Deaktivieren"_s;
    request.secondCaption = u"&Löschen"_s;
    return request;
}

} // namespace namenswerk
