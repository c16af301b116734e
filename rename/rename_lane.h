#pragma once

#include <QByteArray>

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <span>
#include <thread>

namespace namenswerk {

class RenameJournal;

// One move as the lane makes it: everything turned into bytes beforehand.
struct LaneMove {
    QByteArray from; // paths as the system takes them
    QByteArray to;
    QByteArray pendingLine; // the journal's announcement of the pair
    // Where the paths' folders are open (platform/open_folders.h): their
    // descriptors and where the names start in the paths; -1 where not.
    int fromFolder = -1;
    int toFolder = -1;
    qsizetype fromName = 0;
    qsizetype toName = 0;
};

struct LaneOutcome {
    std::size_t done = 0;       // moves made, in order, from the first one started
    int error = 0;              // the system's answer to the move after them; 0 when all were made
    bool nextAnnounced = false; // the journal holds the move after them as pending
};

// Makes the renames of a run on a second thread, while the run prepares the
// next ones: paths, journal lines and the checks of a rename cost about a
// third of what the rename itself costs the kernel, and on a second core
// they cost the run no time. Each move is announced in the journal before
// it is made and confirmed right after, with the next one announced in the
// same store, just as the run does it. The lane stops at the first move the
// system refuses: the run takes that one over with all its care (the
// slower ways of a file system without a replace-refusing rename, letter
// case) and hands the rest back.
//
// While the lane works, it alone stores into the journal. Its thread lives
// as long as the lane: starting a thread costs about as much as a hundred
// renames, and a new one often begins on the busy core of the run.
class RenameLane {
public:
    using RenameCall = int (*)(const char *from, const char *to); // 0 or an errno value

    RenameLane(RenameJournal &journal, RenameCall rename) : journal_(journal), rename_(rename) {}
    ~RenameLane();
    RenameLane(const RenameLane &) = delete;
    RenameLane &operator=(const RenameLane &) = delete;
    RenameLane(RenameLane &&) = delete;
    RenameLane &operator=(RenameLane &&) = delete;

    // Starts on the moves from `first` on; they stay where they are, untouched,
    // until wait() returns. `announced`: the journal holds the first as pending.
    void start(std::span<const LaneMove> moves, std::size_t first, bool announced);
    LaneOutcome wait();

private:
    struct Job {
        std::span<const LaneMove> moves;
        std::size_t first = 0;
        bool announced = false;
    };

    void work(const std::stop_token &stop);
    LaneOutcome makeMoves(const Job &job);
    int make(const LaneMove &move) const;

    RenameJournal &journal_;
    const RenameCall rename_;
    std::mutex mutex_;
    std::condition_variable_any changed_;
    Job job_;
    bool busy_ = false; // a job is handed over and not done yet
    LaneOutcome outcome_;
    std::jthread worker_; // last: it stops and joins before the members it uses go
};

} // namespace namenswerk
