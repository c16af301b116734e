#pragma once

#include <QString>
#include <QStringView>

namespace namenswerk {

struct SplitName {
    QString name;      // name part, without folder
    QString extension; // without dot; empty when there is none
};

// The same parts as views into the text that was split.
struct SplitNameView {
    QStringView name;
    QStringView extension;
};

// Splits the last path component of a name into name part and extension. A
// dot starts no extension when it begins the component, ends the text, or is
// followed by a blank anywhere ("read me", "a.b c", ".profile").
SplitNameView splitFileNameView(QStringView text);
SplitName splitFileName(QStringView text);

// Index of the last "/" in text; -1 when there is none. Within the engine a
// backslash is always a character of a name: it comes from an old name,
// where the system allows it like any other character, while the rules'
// folder separators have become "/" when they were read.
qsizetype lastFolderSeparator(QStringView text);

} // namespace namenswerk
