#pragma once

#include <QString>
#include <QStringView>

namespace namenswerk {

// Letter-case modes of the name part and the extension, numbered as the items
// of their combo boxes and as stored in the settings.
enum class CaseMode : int {
    Unchanged = 0,
    AllLower,
    FirstCharUpper,
    FirstLetterUpper,
    WordStartsUpper,
    AllUpper,
};

inline constexpr int CaseModeCount = 6;

// upper: the capitalising modes also lower-case every letter they do not
// capitalise. A mode outside 0..5 leaves the text as it is.
QString convertCase(QStringView text, int mode, bool upper);

// The extension is converted only when there is one.
void applyCaseModes(QString &name, QString &extension, int filenameCase, int fileextCase,
                    bool upper);

// The combo box item of a mode; empty for a mode outside 0..5.
QString caseModeText(int mode, bool upper);

} // namespace namenswerk
