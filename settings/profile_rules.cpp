#include "settings/profile_rules.h"

#include "platform/case_tables.h"

#include <QStringView>

#include <algorithm>

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

QStringView trimmed(QStringView text, QChar unit)
{
    while (text.startsWith(unit)) {
        text = text.sliced(1);
    }
    while (text.endsWith(unit)) {
        text.chop(1);
    }
    return text;
}

} // namespace

QString trimmedProfileName(const QString &typed)
{
    return trimmed(trimmed(typed, u' '), u'*').toString();
}

bool sameProfileName(const QString &a, const QString &b)
{
    return a.size() == b.size() && platform::toUpperPerUnit(a) == platform::toUpperPerUnit(b);
}

bool canConfirm(ProfileDialogMode mode, const QString &text, const SettingsRecords &records)
{
    if (mode == ProfileDialogMode::Save) {
        return !trimmedProfileName(text).isEmpty();
    }
    if (text.isEmpty()) {
        return false;
    }
    return std::none_of(records.begin() + 1, records.end(), [&](const RenameSettings &record) {
        return record.active && sameProfileName(record.name, text);
    });
}

QString windowTitle(const QString &profileName, bool modified)
{
    if (profileName.isEmpty()) {
        return u"Namenswerk"_s;
    }
    return u"Namenswerk - "_s + profileName + (modified ? u"*"_s : QString());
}

QChar profileLetter(int slot)
{
    static constexpr char16_t letters[] = u"ABCDEFGHIJKLMNOPQRXY";
    return slot >= 1 && slot <= ProfileSlots ? QChar(letters[slot - 1]) : QChar();
}

} // namespace namenswerk
