#include "model/entry_status.h"

#include <array>

namespace namenswerk {

QString statusText(EntryStatus status)
{
    static const std::array<QString, EntryStatusCount> texts{
        QStringLiteral("-"),
        QStringLiteral("Filter"),
        QStringLiteral("Suchfehler"),
        QStringLiteral("RegEx Fehler"),
        QStringLiteral("Token-Fehler"),
        QStringLiteral("Datei ignorieren"),
        QStringLiteral("Leerer Name"),
        QStringLiteral("Doppelter Name"),
        QStringLiteral("Nicht verfügbar"),
        QStringLiteral("Ok"),
        QStringLiteral("Ungültiger Name"),
        QStringLiteral("Ok"),
        QStringLiteral("Umbenannt"),
        QStringLiteral("Fehler beim Umbenennen"),
        QString(),
    };
    const auto index = static_cast<std::size_t>(status);
    return index < texts.size() ? texts[index] : QString();
}

} // namespace namenswerk
