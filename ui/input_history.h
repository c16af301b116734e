#pragma once

#include <QStringList>

class QComboBox;

namespace namenswerk {

// How many earlier texts a field's drop-down list keeps.
inline constexpr int DropDownLimit = 9;

// The drop-down entries with text on top: an equal entry further down goes,
// and the oldest falls off beyond the limit. An empty text changes nothing.
QStringList withEntryOnTop(QStringList entries, const QString &text);

// Puts the field's current text on top of its drop-down list; the text in
// the field stays and no change is reported.
void addDropDownEntry(QComboBox &field);

// The texts of a field's drop-down list, top first.
QStringList dropDownEntries(const QComboBox &field);
// Replaces the drop-down list and then the text, without reporting a change.
void setDropDownEntries(QComboBox &field, const QStringList &entries, const QString &text);

} // namespace namenswerk
