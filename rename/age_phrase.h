#pragma once

#include <QString>

#include <cstdint>

namespace namenswerk {

// How long ago something happened, for the undo question: "soeben",
// "vor 5 Minuten", "vor 2 Stunden", "gestern", "vorgestern", "am 5. 3.".
// Both times are local seconds since 1970; a time in the future (the clock
// was set back) gets its date.
QString agePhrase(std::int64_t then, std::int64_t now);

} // namespace namenswerk
