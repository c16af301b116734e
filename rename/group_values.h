#pragma once

#include "settings/ini_document.h"

#include <QHash>
#include <QString>

namespace namenswerk {

// Every key of a group with its value, read in one pass over the document;
// keys are case-folded. As with IniDocument, the first copy of the group and
// of each key counts. The recovery group can hold hundreds of thousands of
// keys, too many to look up one at a time.
QHash<QString, QString> groupValues(const IniDocument &document, const QString &group);

} // namespace namenswerk
