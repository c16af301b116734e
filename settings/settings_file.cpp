#include "settings/settings_file.h"

#include "platform/file_system.h"
#include "settings/settings_lock.h"

#include <QDir>

#include <algorithm>

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

const QString GlobalGroup = u"Global"_s;
const QString RecoveryGroup = u"Recovery"_s;
constexpr int HistoryLength = 9;
constexpr int CaseModes = 6;
constexpr int FirstFilter = static_cast<int>(ListFilter::Found);

// The five input texts of a record, each with its drop-down list, in the
// order they are written.
struct TextInput {
    QString key;
    QString RenameSettings::*text;
    QStringList InputLists::*list;
};

const std::array<TextInput, 5> &textInputs()
{
    static const std::array<TextInput, 5> inputs{{
        {u"RegFindname"_s, &RenameSettings::regFindname, &InputLists::regFindname},
        {u"RegFindext"_s, &RenameSettings::regFindext, &InputLists::regFindext},
        {u"RegReplace"_s, &RenameSettings::regReplace, &InputLists::regReplace},
        {u"TxtFind"_s, &RenameSettings::txtFind, &InputLists::txtFind},
        {u"TxtReplace"_s, &RenameSettings::txtReplace, &InputLists::txtReplace},
    }};
    return inputs;
}

QString historyKey(const QString &key, int number)
{
    return key + u'-' + QString::number(number);
}

// "left top width height"; missing numbers read as 0.
WindowPlacement parseWindow(QStringView text)
{
    std::array<int, 4> numbers{};
    for (int &number : numbers) {
        const qsizetype blank = text.indexOf(u' ');
        number = leadingNumber(text.first(blank < 0 ? text.size() : blank));
        text = blank < 0 ? QStringView() : text.sliced(blank + 1);
    }
    return {numbers[0], numbers[1], numbers[2], numbers[3]};
}

QString windowText(const WindowPlacement &window)
{
    return u"%1 %2 %3 %4"_s.arg(window.left).arg(window.top).arg(window.width).arg(window.height);
}

void readOrder(int order, StoredSettings &settings)
{
    const int direction = order % 10;
    const int column = order / 10;
    if ((direction == 1 || direction == 2) && column >= 0 && column <= 5) {
        settings.sortColumn = static_cast<ListColumn>(column);
        settings.sortDirection = static_cast<SortDirection>(direction);
    }
}

int readFilter(int stored)
{
    return stored >= 0 && stored <= 5 ? stored + FirstFilter : 0;
}

RenameSettings readRecord(const GroupReader &group)
{
    RenameSettings record;
    record.active = true;
    record.name = group.raw(u"Name"_s);
    for (const TextInput &input : textInputs()) {
        record.*input.text = group.text(input.key);
    }
    record.regCase = group.bit(u"RegCase"_s, false);
    record.txtFirst = group.bit(u"TxtFirst"_s, false);
    record.txtName = group.bit(u"TxtName"_s, true);
    record.txtCase = group.bit(u"TxtCase"_s, false);
    record.txtAll = group.bit(u"TxtAll"_s, true);
    record.filenameCase = group.number(u"FilenameCase"_s, 0) % CaseModes;
    record.fileextCase = group.number(u"FileextCase"_s, 0) % CaseModes;
    record.fileDate = group.bit(u"FileDate"_s, false);
    record.resolveChains = group.bit(u"ResolveChains"_s, false);
    return record;
}

InputLists readInputLists(const GroupReader &group, const RenameSettings &current)
{
    InputLists lists;
    for (const TextInput &input : textInputs()) {
        const QString &text = current.*input.text;
        QStringList &list = lists.*input.list;
        if (!text.isEmpty()) {
            list.append(text);
        }
        for (int number = 1; number <= HistoryLength; ++number) {
            const QString earlier = group.text(historyKey(input.key, number));
            if (!earlier.isEmpty() && earlier != text) {
                list.append(earlier);
            }
        }
    }
    return lists;
}

void writeHistory(GroupWriter &group, const QString &key, const QString &current,
                  const QStringList &list)
{
    int number = 1;
    for (const QString &earlier : list) {
        if (number > HistoryLength) {
            break;
        }
        if (!earlier.isEmpty() && earlier != current) {
            group.text(historyKey(key, number++), earlier);
        }
    }
    for (; number <= HistoryLength; ++number) {
        group.remove(historyKey(key, number));
    }
}

// Input lists are kept for slot 0 only; profiles pass none.
void writeRecord(GroupWriter &group, const RenameSettings &record, const InputLists *lists)
{
    group.raw(u"Name"_s, record.name);
    group.flag(u"Active"_s, true);
    const auto writeText = [&](int index) {
        const TextInput &input = textInputs()[std::size_t(index)];
        group.text(input.key, record.*input.text);
        if (lists) {
            writeHistory(group, input.key, record.*input.text, lists->*input.list);
        }
    };
    writeText(0);
    writeText(1);
    writeText(2);
    group.flag(u"RegCase"_s, record.regCase);
    writeText(3);
    writeText(4);
    group.flag(u"TxtFirst"_s, record.txtFirst);
    group.flag(u"TxtName"_s, record.txtName);
    group.flag(u"TxtCase"_s, record.txtCase);
    group.flag(u"TxtAll"_s, record.txtAll);
    group.number(u"FilenameCase"_s, record.filenameCase);
    group.number(u"FileextCase"_s, record.fileextCase);
    group.flag(u"FileDate"_s, record.fileDate);
    // Written only when on, so that files of users who never chose it stay as they were.
    if (record.resolveChains) {
        group.flag(u"ResolveChains"_s, true);
    } else {
        group.remove(u"ResolveChains"_s);
    }
}

void readGlobalOptions(const GroupReader &global, StoredSettings &settings)
{
    settings.upper = global.bit(u"Upper"_s, false);
    settings.rememberList = global.number(u"Logging"_s, 0) != 0;
    settings.flickering = global.number(u"Flickering"_s, 1) != 0;
    settings.startCount = global.number(u"Filebuffer"_s, 0);
    settings.window = parseWindow(global.raw(u"Window"_s));
    readOrder(global.number(u"Order"_s, 0), settings);
    settings.activeFilter = readFilter(global.number(u"Filter"_s, -1));
    settings.theme = global.number(u"Theme"_s, 1) != 0;
}

void writeGlobalOptions(GroupWriter &global, const StoredSettings &settings)
{
    global.raw(u"Window"_s, windowText(settings.window));
    global.number(u"Order"_s, static_cast<int>(settings.sortColumn) * 10 +
                                  static_cast<int>(settings.sortDirection));
    global.number(u"Filter"_s, std::max(settings.activeFilter - FirstFilter, -1));
    global.flag(u"Upper"_s, settings.upper);
    global.flag(u"Logging"_s, settings.rememberList);
    // Counts the runs that saved, however often this run saves.
    global.number(u"Filebuffer"_s, std::int64_t(settings.startCount) + 1);
}

} // namespace

bool WindowPlacement::fits(QSize screen) const
{
    return width >= 720 && width <= screen.width() && height >= 400 && height <= screen.height();
}

SettingsRecords StoredSettings::defaultRecords()
{
    SettingsRecords records;
    records.fill(RenameSettings::cleared());
    records[0] = RenameSettings();
    records[0].active = true;
    return records;
}

QString settingsFilePath(const QString &folder)
{
    return QDir(folder).filePath(u"Brindlewick.ini"_s);
}

QString profileGroup(int slot)
{
    return u"Profile "_s + QChar(u'A' + slot - 1);
}

StoredSettings readSettings(const QString &folder)
{
    StoredSettings settings;
    const IniDocument document = IniDocument::load(settingsFilePath(folder));
    if (!document.wasRead()) {
        return settings;
    }
    const GroupReader global(document, GlobalGroup);
    readGlobalOptions(global, settings);

    settings.records[0] = readRecord(global);
    settings.inputLists = readInputLists(global, settings.records[0]);
    // Groups of unused slots are skipped, so the profiles in use close up.
    int slot = 0;
    for (int letter = 1; letter <= ProfileSlots; ++letter) {
        const GroupReader profile(document, profileGroup(letter));
        if (profile.number(u"Active"_s, 0) != 0) {
            settings.records[std::size_t(++slot)] = readRecord(profile);
        }
    }
    settings.colors = readColors(document, settings.theme);
    return settings;
}

bool writeSettings(const QString &folder, const StoredSettings &settings)
{
    // Read again under the lock: only the groups written here change, and a
    // record another process wrote since the start is kept as it is now.
    const SettingsLock lock(folder);
    if (lock.busy()) {
        return false;
    }
    const QString path = settingsFilePath(folder);
    IniDocument document = IniDocument::load(path);
    if (!document.wasRead() && platform::pathExists(path)) {
        return false; // writing would lose the recorded run and every group of others
    }

    GroupWriter global(document, GlobalGroup);
    writeGlobalOptions(global, settings);
    writeRecord(global, settings.records[0], &settings.inputLists);
    for (int slot = 1; slot <= ProfileSlots; ++slot) {
        GroupWriter profile(document, profileGroup(slot));
        const RenameSettings &record = settings.records[std::size_t(slot)];
        if (record.active) {
            writeRecord(profile, record, nullptr);
        } else {
            // The other keys stay: a profile that was given up keeps its old values.
            profile.flag(u"Active"_s, false);
        }
    }
    if (settings.theme) {
        writeColors(document, settings.colors);
    }
    // A file that a rename run created holds its record first; the record
    // belongs after the groups written here.
    document.moveGroupToEnd(RecoveryGroup);
    return document.save(path);
}

ColorTable readColors(const QString &folder, bool customScheme)
{
    if (!customScheme) {
        return fixedColors();
    }
    return readColors(IniDocument::load(settingsFilePath(folder)), true);
}

int activeProfileSlot(const SettingsRecords &records)
{
    const QString &name = records[0].name;
    if (name.isEmpty()) {
        return -1;
    }
    int active = 0;
    for (int slot = 1; slot <= ProfileSlots; ++slot) {
        const RenameSettings &record = records[std::size_t(slot)];
        if (record.active && record.name == name) {
            active = slot;
        }
    }
    return active;
}

} // namespace namenswerk
