#include "rename/recovery_record.h"

#include "platform/file_system.h"
#include "settings/atomic_file.h"
#include "settings/settings_file.h"
#include "settings/settings_lock.h"
#include "settings/stored_values.h"

#include <algorithm>

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

// The number n of a line key as recordKey(n) writes it; 0 for every other key.
int recordNumber(QByteArrayView key)
{
    bool ok = false;
    const int number = key.toInt(&ok);
    return ok && number > 0 && recordKey(number).toLatin1() == key ? number : 0;
}

// Appends the text as toUtf8() gives it; plain ASCII, which almost every
// name is, without a copy of its own.
void appendUtf8(QByteArray &bytes, const QString &text)
{
    const qsizetype start = bytes.size();
    bytes.resize(start + text.size());
    char *to = bytes.data() + start;
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            bytes.truncate(start);
            bytes += text.toUtf8();
            return;
        }
        *to++ = static_cast<char>(c.unicode());
    }
}

// "key=line" as recordKey() and recordLine() make them, and the line end. A
// line break in a name would start a new line: it is stored as a blank.
void appendRecordLine(QByteArray &bytes, int number, const RenamedPair &pair)
{
    const QByteArray digits = QByteArray::number(number);
    bytes.append(std::max<qsizetype>(5 - digits.size(), 0), '0').append(digits).append("=\"");
    const qsizetype lineStart = bytes.size();
    appendUtf8(bytes, pair.oldName);
    bytes.append("\" > \"");
    appendUtf8(bytes, pair.newName);
    bytes.append('"');
    for (char *at = bytes.data() + lineStart; at != bytes.data() + bytes.size(); ++at) {
        if (*at == '\r' || *at == '\n') {
            *at = ' ';
        }
    }
    bytes.append("\r\n");
}

} // namespace

void RecordLines::append(const RenamedPair &pair)
{
    appendRecordLine(bytes_, ++count_, pair);
}

bool writeRecoveryRecord(const QString &settingsFolder, const RecoveryRecord &record)
{
    RecordLines lines;
    for (const RenamedPair &pair : record.pairs) {
        lines.append(pair);
    }
    return writeRecoveryRecord(settingsFolder, record.magic, record.folder, lines);
}

bool writeRecoveryRecord(const QString &settingsFolder, std::int64_t magic, const QString &folder,
                         const RecordLines &lines)
{
    const SettingsLock lock(settingsFolder);
    if (lock.busy()) {
        return false;
    }
    const QString path = settingsFilePath(settingsFolder);
    IniDocument document = IniDocument::load(path);
    if (!document.wasRead() && platform::pathExists(path)) {
        return false; // writing would lose every setting in it
    }
    document.removeGroup(RecoveryGroup);
    GroupWriter writer(document, RecoveryGroup);
    writer.number(MagicKey, magic);
    writer.text(FolderKey, folder);
    // The new group is the document's last, so its lines can follow the
    // written text directly; adding them key by key would take quadratic time.
    // What the document would write of these bytes is the bytes themselves.
    const QByteArray bytes = document.toBytes() + lines.bytes();
    return bytes.size() <= IniDocument::MaxFileSize && replaceFileAtomically(path, bytes);
}

RecoveryRecord readRecoveryRecord(const QString &settingsFolder)
{
    const IniDocument document = IniDocument::load(settingsFilePath(settingsFolder));
    RecoveryRecord record;
    record.magic = leadingTime(document.value(RecoveryGroup, MagicKey));
    record.folder = unquote(document.value(RecoveryGroup, FolderKey));
    if (record.folder.isEmpty()) {
        return record;
    }
    // One pass over the group, then the lines in the order of their numbers:
    // the record may hold millions of them, too many to look up one by one.
    std::vector<std::pair<int, QByteArrayView>> lines;
    document.forEachKey(RecoveryGroup, [&lines](QByteArrayView key, QByteArrayView value) {
        if (const int number = recordNumber(key); number > 0) {
            lines.emplace_back(number, value);
        }
    });
    // Stable: of two copies of a key, the first one counts.
    std::ranges::stable_sort(lines, {}, &std::pair<int, QByteArrayView>::first);
    int expected = 1;
    for (const auto &[number, value] : lines) {
        if (number < expected) {
            continue;
        }
        if (number > expected || value.isEmpty()) {
            break;
        }
        record.pairs.push_back(parseRecordLine(QString::fromUtf8(value)).value_or(RenamedPair{}));
        ++expected;
    }
    return record;
}

} // namespace namenswerk
