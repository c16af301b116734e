#pragma once

// Lets GoogleTest show the rename types as text in failure messages.

#include "rename/record_line.h"
#include "tests/support/printers.h"

#include <ostream>

namespace namenswerk {

inline void PrintTo(const RenamedPair &pair, std::ostream *out)
{
    *out << '"' << pair.oldName.toStdString() << "\" > \"" << pair.newName.toStdString() << '"';
}

} // namespace namenswerk
