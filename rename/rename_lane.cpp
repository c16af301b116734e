#include "rename/rename_lane.h"

#include "platform/open_folders.h"
#include "rename/rename_journal.h"

namespace namenswerk {

void RenameLane::start(std::span<const LaneMove> moves, std::size_t first, bool announced)
{
    wait();
    worker_ = std::jthread([this, moves, first, announced] { makeMoves(moves, first, announced); });
}

LaneOutcome RenameLane::wait()
{
    if (worker_.joinable()) {
        worker_.join();
    }
    return outcome_;
}

int RenameLane::make(const LaneMove &move) const
{
    if (move.fromFolder < 0 || move.toFolder < 0) {
        return rename_(move.from.constData(), move.to.constData());
    }
    return platform::renameNoReplaceAt(move.fromFolder, move.from.constData() + move.fromName,
                                       move.toFolder, move.to.constData() + move.toName);
}

void RenameLane::makeMoves(std::span<const LaneMove> moves, std::size_t first, bool announced)
{
    for (std::size_t at = first; at < moves.size(); ++at) {
        const LaneMove &move = moves[at];
        if (!announced) {
            journal_.pending(move.pendingLine);
        }
        if (const int error = make(move)) {
            outcome_ = {at - first, error, true};
            return;
        }
        const QByteArray *next = at + 1 < moves.size() ? &moves[at + 1].pendingLine : nullptr;
        journal_.renamed(next);
        announced = next != nullptr;
    }
    outcome_ = {moves.size() - first, 0, announced};
}

} // namespace namenswerk
