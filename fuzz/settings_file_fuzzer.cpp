// Settings files: the group/key document read from any bytes, every value
// read in each stored encoding, the document written and read again, and the
// whole settings read from a file, written back and read once more.
//
// Input: the file's bytes.

#include "fuzz/fuzz_check.h"
#include "settings/ini_document.h"
#include "settings/settings_file.h"
#include "settings/status_colors.h"
#include "settings/stored_values.h"

#include <QFile>
#include <QTemporaryDir>

#include <limits>

using namespace namenswerk;
using namespace Qt::StringLiterals;

namespace {

void readEveryValue(const IniDocument &document)
{
    for (const QString &group : document.groups()) {
        const GroupReader reader(document, group);
        for (const QString &key : document.keys(group)) {
            FUZZ_CHECK(document.contains(group, key));
            reader.raw(key);
            reader.text(key);
            reader.number(key, 0);
            reader.bit(key, false);
            FUZZ_CHECK(reader.color(key, 0) <= 0xFFFFFF);
        }
    }
    readColors(document, true);
}

// What a program reading the document sees: groups, keys and values.
void checkSameContent(const IniDocument &a, const IniDocument &b)
{
    FUZZ_CHECK(a.groups() == b.groups());
    for (const QString &group : a.groups()) {
        FUZZ_CHECK(a.keys(group) == b.keys(group));
        for (const QString &key : a.keys(group)) {
            FUZZ_CHECK(a.value(group, key) == b.value(group, key));
        }
    }
}

// Values the program writes into a document someone else wrote come back
// as written, and the rest of the document reads as before.
void checkWritesIntoForeignDocument(const IniDocument &original)
{
    IniDocument document = original;
    const QString global = u"Global"_s;
    QString text = original.value(global, u"RegReplace"_s);
    text.append(u"\r\n[Global]\nx=1"_s);
    GroupWriter writer(document, global);
    writer.text(u"RegReplace"_s, text);
    writer.number(u"Filebuffer"_s, std::numeric_limits<std::int64_t>::max());
    writer.remove(u"Window"_s);
    document.removeGroup(u"Profile T"_s);

    const IniDocument reread = IniDocument::fromBytes(document.toBytes());
    QString expected = text;
    expected.replace(u'\r', u' ').replace(u'\n', u' ');
    const GroupReader reader(reread, global);
    FUZZ_CHECK(reader.text(u"RegReplace"_s) == expected);
    FUZZ_CHECK(reader.number(u"Filebuffer"_s, 0) == std::numeric_limits<int>::max());
    FUZZ_CHECK(!reread.contains(global, u"Window"_s));
    FUZZ_CHECK(!reread.groups().contains(u"Profile T"_s, Qt::CaseInsensitive));
    for (const QString &group : original.groups()) {
        if (group.compare(global, Qt::CaseInsensitive) == 0 ||
            group.compare(u"Profile T"_s, Qt::CaseInsensitive) == 0) {
            continue;
        }
        FUZZ_CHECK(original.keys(group) == reread.keys(group));
        for (const QString &key : original.keys(group)) {
            FUZZ_CHECK(original.value(group, key) == reread.value(group, key));
        }
    }
}

QString settingsFolder()
{
    static const QTemporaryDir folder;
    FUZZ_CHECK(folder.isValid());
    return folder.path();
}

StoredSettings saveAndRead(const StoredSettings &settings)
{
    FUZZ_CHECK(writeSettings(settingsFolder(), settings));
    return readSettings(settingsFolder());
}

// Equal apart from the count of saves, which each save raises by one.
bool sameAfterSave(const StoredSettings &before, StoredSettings after)
{
    const int saves = before.startCount == std::numeric_limits<int>::max() ? before.startCount
                                                                           : before.startCount + 1;
    if (after.startCount != saves) {
        return false;
    }
    after.startCount = before.startCount;
    return after == before;
}

// A carriage return that does not end a line cannot be written back inside a
// value; the writer turns it into a blank.
bool hasLoneCarriageReturn(QByteArray bytes)
{
    return bytes.replace("\r\n", "").contains('\r');
}

// Everything the program reads survives its own save.
void checkSettingsRoundTrip(const QByteArray &bytes)
{
    QFile file(settingsFilePath(settingsFolder()));
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
    file.close();

    const StoredSettings first = readSettings(settingsFolder());
    activeProfileSlot(first.records);
    const StoredSettings second = saveAndRead(first);
    FUZZ_CHECK(hasLoneCarriageReturn(bytes) || sameAfterSave(first, second));
    FUZZ_CHECK(sameAfterSave(second, saveAndRead(second)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const IniDocument document = IniDocument::fromBytes(bytes);
    readEveryValue(document);

    const QByteArray written = document.toBytes();
    const IniDocument reread = IniDocument::fromBytes(written);
    checkSameContent(document, reread);
    FUZZ_CHECK(reread.toBytes() == written);

    checkWritesIntoForeignDocument(document);
    checkSettingsRoundTrip(bytes);
    return 0;
}
