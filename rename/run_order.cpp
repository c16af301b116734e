#include "rename/run_order.h"

#include <QHash>

#include <algorithm>
#include <optional>

namespace namenswerk {

namespace {

// For each move, the move whose old name is its target: that one goes first.
std::vector<std::optional<std::size_t>> blockers(const std::vector<PlannedMove> &moves)
{
    QHash<QString, std::size_t> bySource;
    bySource.reserve(qsizetype(moves.size()));
    for (std::size_t index = 0; index < moves.size(); ++index) {
        bySource.insert(moves[index].from, index);
    }
    std::vector<std::optional<std::size_t>> blockedBy(moves.size());
    for (std::size_t index = 0; index < moves.size(); ++index) {
        const auto found = bySource.constFind(moves[index].to);
        if (found != bySource.cend() && *found != index) {
            blockedBy[index] = *found;
        }
    }
    return blockedBy;
}

enum class Mark { Open, OnPath, Done };

} // namespace

std::vector<OrderedStep> orderMoves(const std::vector<PlannedMove> &moves)
{
    const std::vector<std::optional<std::size_t>> blockedBy = blockers(moves);
    std::vector<Mark> marks(moves.size(), Mark::Open);
    std::vector<OrderedStep> steps;
    steps.reserve(moves.size());
    std::vector<std::size_t> path;
    for (std::size_t start = 0; start < moves.size(); ++start) {
        if (marks[start] != Mark::Open) {
            continue;
        }
        // Walk to the end of the chain: the move that waits for nothing, one
        // done already, or one met before on this walk (a cycle).
        path.clear();
        std::optional<std::size_t> current = start;
        while (current && marks[*current] == Mark::Open) {
            marks[*current] = Mark::OnPath;
            path.push_back(*current);
            current = blockedBy[*current];
        }
        // Where the walk met itself, the moves from there on form a cycle;
        // those before it lead into the cycle and go after it.
        std::size_t cycleStart = path.size();
        if (current && marks[*current] == Mark::OnPath) {
            cycleStart = std::size_t(std::find(path.begin(), path.end(), *current) - path.begin());
            steps.push_back({path[cycleStart], OrderedStep::ToTemporary});
        }
        for (std::size_t at = path.size(); at-- > 0;) {
            marks[path[at]] = Mark::Done;
            if (at != cycleStart) {
                steps.push_back({path[at], OrderedStep::Whole});
            } else {
                steps.push_back({path[at], OrderedStep::FromTemporary});
            }
        }
    }
    return steps;
}

std::vector<bool> targetsOfOtherMoves(const std::vector<PlannedMove> &moves)
{
    const std::vector<std::optional<std::size_t>> blockedBy = blockers(moves);
    std::vector<bool> blocked(moves.size());
    for (std::size_t index = 0; index < moves.size(); ++index) {
        blocked[index] = blockedBy[index].has_value();
    }
    return blocked;
}

} // namespace namenswerk
