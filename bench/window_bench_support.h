#pragma once

// What the benchmarks of the window share: a requester that answers nothing
// and the `--million` switch that adds the runs at 1,000,000 entries.

#include "settings/requester.h"

#include <cstring>

namespace namenswerk::bench {

class SilentRequester final : public Requester {
public:
    Answer ask(const Request &) override { return {AnswerCancel, false, 0}; }
};

// Whether the first argument asks for the runs at a million entries; it is
// taken out of the arguments, so that Google Benchmark never sees it.
inline bool takeMillionSwitch(int &argc, char **&argv)
{
    if (argc < 2 || std::strcmp(argv[1], "--million") != 0) {
        return false;
    }
    argv[1] = argv[0];
    ++argv;
    --argc;
    return true;
}

} // namespace namenswerk::bench
