#pragma once

#include "settings/requester.h"

namespace namenswerk::batch {

// Answers the questions of a rename run as the command line decided
// beforehand, since nobody is there to ask.
class OptionAnswers final : public Requester {
public:
    OptionAnswers(bool allowExtensionLoss, bool createFolders, bool noJournal = false)
        : allowExtensionLoss_(allowExtensionLoss), createFolders_(createFolders),
          noJournal_(noJournal)
    {
    }

    Answer ask(const Request &request) override;

private:
    bool allowExtensionLoss_;
    bool createFolders_;
    bool noJournal_;
};

// Says "Ja" to whatever is asked: the command line is the confirmation.
class AlwaysYes final : public Requester {
public:
    Answer ask(const Request & /*request*/) override { return {AnswerYes}; }
};

} // namespace namenswerk::batch
