#pragma once

#include <QString>

#include <cstddef>
#include <vector>

namespace namenswerk {

// One entry's move as the order sees it: where the file is and where it goes,
// both as whole paths in one spelling.
struct PlannedMove {
    QString from;
    QString to;
};

// A step of a run that resolves chains and swaps. A move that is part of a
// cycle goes in two steps: out of the way to a temporary name first, and to
// its target once the others of the cycle have left their names.
struct OrderedStep {
    enum Kind { Whole, ToTemporary, FromTemporary };
    std::size_t move = 0; // index into the planned moves
    Kind kind = Whole;
};

// Orders the moves so that every move whose target is the old name of
// another move comes after that one (B -> C before A -> B); a cycle is
// broken by the two steps through a temporary name of its first member.
// Moves that wait for nothing keep their place relative to each other.
std::vector<OrderedStep> orderMoves(const std::vector<PlannedMove> &moves);

// The moves whose targets are the old names of other moves of the same run:
// in list order, without resolving, these are the ones that may fail only
// because the run itself had not yet moved the file in their way.
std::vector<bool> targetsOfOtherMoves(const std::vector<PlannedMove> &moves);

} // namespace namenswerk
