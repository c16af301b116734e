#pragma once

namespace namenswerk::platform {

// Lets the memory the process allocates from now on come in large pages
// where the system hands them out on request (transparent huge pages in
// "madvise" mode): a command that builds hundreds of thousands of entries
// otherwise spends a good part of its time on the first touch of each small
// page. Costs nothing where large pages are not to be had.
void preferLargePages();

} // namespace namenswerk::platform
