#include "rename/rename_lane.h"

#include "platform/open_folders.h"
#include "rename/rename_journal.h"

namespace namenswerk {

// The thread stops and is joined by its own destructor, which the wait
// through the condition notices.
RenameLane::~RenameLane()
{
    wait();
}

void RenameLane::start(std::span<const LaneMove> moves, std::size_t first, bool announced)
{
    wait();
    if (!worker_.joinable()) {
        worker_ = std::jthread([this](const std::stop_token &stop) { work(stop); });
    }
    {
        const std::lock_guard lock(mutex_);
        job_ = {moves, first, announced};
        busy_ = true;
    }
    changed_.notify_all();
}

LaneOutcome RenameLane::wait()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    return outcome_;
}

void RenameLane::work(const std::stop_token &stop)
{
    std::unique_lock lock(mutex_);
    while (changed_.wait(lock, stop, [this] { return busy_; })) {
        const Job job = job_;
        lock.unlock();
        const LaneOutcome outcome = makeMoves(job);
        lock.lock();
        outcome_ = outcome;
        busy_ = false;
        changed_.notify_all();
    }
}

int RenameLane::make(const LaneMove &move) const
{
    if (move.fromFolder < 0 || move.toFolder < 0) {
        return rename_(move.from.constData(), move.to.constData());
    }
    return platform::renameNoReplaceAt(move.fromFolder, move.from.constData() + move.fromName,
                                       move.toFolder, move.to.constData() + move.toName);
}

LaneOutcome RenameLane::makeMoves(const Job &job)
{
    const std::span<const LaneMove> moves = job.moves;
    bool announced = job.announced;
    for (std::size_t at = job.first; at < moves.size(); ++at) {
        const LaneMove &move = moves[at];
        if (!announced) {
            journal_.pending(move.pendingLine);
        }
        if (const int error = make(move)) {
            return {at - job.first, error, true};
        }
        const QByteArray *next = at + 1 < moves.size() ? &moves[at + 1].pendingLine : nullptr;
        journal_.renamed(next);
        announced = next != nullptr;
    }
    return {moves.size() - job.first, 0, announced};
}

} // namespace namenswerk
