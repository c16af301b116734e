#include "rename/recovery_record.h"

#include "platform/file_system.h"
#include "rename/group_values.h"
#include "settings/settings_file.h"
#include "settings/stored_values.h"

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

const QString RecoveryGroup = u"Recovery"_s;
const QString MagicKey = u"Magic"_s;
const QString FolderKey = u"00000"_s;

// Times are kept in 64 bits; the settings readers stop at the int range.
std::int64_t leadingTime(const QString &text)
{
    const QString trimmed = text.trimmed();
    qsizetype end = trimmed.startsWith(u'-') || trimmed.startsWith(u'+') ? 1 : 0;
    while (end < trimmed.size() && trimmed.at(end).isDigit()) {
        ++end;
    }
    return trimmed.first(end).toLongLong();
}

} // namespace

bool writeRecoveryRecord(const QString &settingsFolder, const RecoveryRecord &record)
{
    const QString path = settingsFilePath(settingsFolder);
    IniDocument document = IniDocument::load(path);
    if (!document.wasRead() && platform::pathExists(path)) {
        return false; // writing would lose every setting in it
    }
    document.removeGroup(RecoveryGroup);
    GroupWriter writer(document, RecoveryGroup);
    writer.number(MagicKey, record.magic);
    writer.text(FolderKey, record.folder);

    // The new group is the document's last, so its lines can follow the
    // written text directly; adding them key by key would take quadratic time.
    QByteArray bytes = document.toBytes();
    int number = 0;
    for (const RenamedPair &pair : record.pairs) {
        QString line = recordLine(pair);
        line.replace(u'\r', u' ').replace(u'\n', u' '); // a line break would start a new line
        bytes += recordKey(++number).toUtf8() + '=' + line.toUtf8() + "\r\n";
    }
    return IniDocument::fromBytes(bytes).save(path);
}

RecoveryRecord readRecoveryRecord(const QString &settingsFolder)
{
    const QHash<QString, QString> values =
        groupValues(IniDocument::load(settingsFilePath(settingsFolder)), RecoveryGroup);
    RecoveryRecord record;
    record.magic = leadingTime(values.value(MagicKey.toCaseFolded()));
    record.folder = unquote(values.value(FolderKey));
    if (record.folder.isEmpty()) {
        return record;
    }
    for (int number = 1;; ++number) {
        const QString line = values.value(recordKey(number));
        if (line.isEmpty()) {
            break;
        }
        record.pairs.push_back(parseRecordLine(line).value_or(RenamedPair{}));
    }
    return record;
}

} // namespace namenswerk
