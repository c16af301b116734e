#include "ui/input_history.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace namenswerk {

QStringList withEntryOnTop(QStringList entries, const QString &text)
{
    if (text.isEmpty()) {
        return entries;
    }
    entries.removeAll(text);
    entries.prepend(text);
    if (entries.size() > DropDownLimit) {
        entries.resize(DropDownLimit);
    }
    return entries;
}

void addDropDownEntry(QComboBox &field)
{
    const QString text = field.currentText();
    setDropDownEntries(field, withEntryOnTop(dropDownEntries(field), text), text);
}

QStringList dropDownEntries(const QComboBox &field)
{
    QStringList entries;
    entries.reserve(field.count());
    for (int index = 0; index < field.count(); ++index) {
        entries.append(field.itemText(index));
    }
    return entries;
}

void setDropDownEntries(QComboBox &field, const QStringList &entries, const QString &text)
{
    const QSignalBlocker quiet(field);
    field.clear();
    field.addItems(entries);
    field.setEditText(text);
}

} // namespace namenswerk
