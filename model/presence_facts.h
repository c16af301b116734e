#pragma once

#include "model/file_facts.h"

namespace namenswerk {

// Facts for rules that show neither sizes, dates nor picture sizes: only
// whether something exists at the path and whether it is a folder (size 0
// and date 0 for a file). One pass over each folder answers that for all of
// its files, instead of one look-up per file. The reader keeps what it has
// listed, so it suits one pass over a list that does not change meanwhile;
// names it cannot judge from a listing are looked up one by one.
// Given a path, the reader lists that path's folder on another thread from
// the start, while the caller still gathers the paths it will ask about.
FactsReader presenceFactsReader(const QString &listAheadPath = {});

} // namespace namenswerk
