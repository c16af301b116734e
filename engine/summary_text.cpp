#include "engine/summary_text.h"

#include "engine/abbreviate_path.h"

#include <algorithm>

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

// "Datei" or "Dateien": the text for one unless the count says otherwise.
QString plural(int count, const QString &many, const QString &one)
{
    return count == 1 ? one : many;
}

QString number(int value)
{
    return QString::number(value);
}

} // namespace

bool holdsSeveralFolders(const FileList &list)
{
    if (list.mixedFolders) {
        return true;
    }
    return std::any_of(list.entries().begin(), list.entries().end(), [&](const FileEntry &entry) {
        return !entry.folder.isEmpty() && entry.folder != list.currentFolder;
    });
}

QString summaryText(FileList &list)
{
    const int total = list.count();
    if (total == 0) {
        return QStringLiteral("   Keine Dateien vorhanden.");
    }
    QString text = u"   " % number(total) % u" Datei" % plural(total, u"en"_s, {});
    if (list.viewCount() < total) {
        text += u" (" % number(total - list.viewCount()) % u" ausgeblendet)";
    }
    const QString folder = abbreviatePath(list.currentFolder, 50);
    if (holdsSeveralFolders(list)) {
        text += u" in '" % folder % u"' und anderen Verzeichnissen";
    } else {
        text += u" im Verzeichnis '" % folder % u'\'';
    }
    if (list.readyCount > 0 && list.readyCount == list.missingCount) {
        list.readyCount = 0;
    } else if (list.readyCount > 0) {
        text += u", " % number(list.readyCount) % u" Datei" %
                plural(list.readyCount, u"en sind"_s, u" ist"_s) % u" bereit zum Umbenennen";
    }
    if (list.missingCount > 0) {
        if (list.readyCount > 0) {
            text += u" (" % number(list.missingCount) % u" davon nicht verfügbar)";
        } else {
            text += u", " % number(list.missingCount) % u" umzubenennende Datei" %
                    plural(list.missingCount, u"en"_s, {}) % u" nicht verfügbar";
        }
    }
    if (list.renamedCount > 0) {
        text += u", " % number(list.renamedCount) % u" Datei" %
                plural(list.renamedCount, u"en"_s, {}) % u" umbenannt";
    }
    if (list.failedCount > 0) {
        text += u", " % number(list.failedCount) % u" Datei" %
                plural(list.failedCount, u"en"_s, {}) % u" konnte" %
                plural(list.failedCount, u"n"_s, {}) % u" nicht umbenannt werden";
    }
    return text + u'.';
}

} // namespace namenswerk
