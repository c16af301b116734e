#pragma once

#include <vector>

namespace namenswerk {

class FileList;

// Makes the given order of entries the list order for good: the entries
// listed come first, in that order, and every entry not listed (hidden by
// the filter) follows in its previous relative order. Unknown or repeated
// indexes are skipped. The shown rows stay the same entries, the sort is
// cleared and every name is computed again.
void adoptOrder(FileList &list, const std::vector<int> &shownEntries);

} // namespace namenswerk
