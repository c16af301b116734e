#include "rename/run_questions.h"

namespace namenswerk {

using namespace Qt::StringLiterals;

std::optional<Request> extensionWarning(ExtensionFlags flags, int readyCount)
{
    const bool someWith = flags.has(SomeWithExtension);
    const bool someWithout = flags.has(SomeWithoutExtension);
    if (someWith && !someWithout) {
        return std::nullopt;
    }
    const QString article = someWithout && !someWith ? u" der "_s : u" einiger "_s;
    const QString question = readyCount == 1 ? u"Soll die Datei dennoch umbenannt werden"_s
                                             : u"Sollen die Dateien dennoch umbenannt werden"_s;

    Request request;
    request.title = u"Warnung"_s;
    request.icon = RequestIcon::Question;
    request.firstCaption = u"&Umbenennen"_s;
    if (flags.has(TemplateHasDot) && flags.has(TemplateUsesExtension)) {
        request.heading = u"Die Erweiterungen"_s % article % u"Dateien werden leer bleiben."_s;
        request.text = question + u'?';
        request.buttons = YesCancel;
    } else {
        request.heading =
            u"Ihre Einstellungen führen zum Verlust"_s % article % u"Dateierweiterungen."_s;
        request.text = question % u" oder stattdessen der aktiven Konfiguration die Standard-"_s %
                       u"\rerweiterung hinzugefügt werden?"_s;
        request.buttons = YesNoCancel;
        request.secondCaption = u"&Einstellung ändern"_s;
    }
    return request;
}

QString templateWithExtension(QString templateText)
{
    if (!templateText.endsWith(u'.')) {
        templateText += u'.';
    }
    return templateText == u"*."_s ? u"*.*"_s : templateText + u"<e>"_s;
}

Request subfolderQuestion(const QString &subfolder)
{
    Request request;
    request.title = u"Verzeichnis nicht gefunden"_s;
    request.heading = u"Das Zielverzeichnis '"_s % subfolder % u"' existiert nicht."_s;
    request.text = u"Soll das Verzeichnis nun erstellt werden?"_s;
    request.icon = RequestIcon::Error;
    request.buttons = YesNoCancel | WithCheckBox;
    return request;
}

} // namespace namenswerk
