#pragma once

#include <cstdint>

namespace namenswerk {

// The local date and time now, as seconds since 1970-01-01 00:00:00.
std::int64_t currentLocalSeconds();

} // namespace namenswerk
