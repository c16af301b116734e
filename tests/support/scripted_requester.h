#pragma once

#include "settings/requester.h"

#include <deque>
#include <stdexcept>
#include <vector>

namespace namenswerk::test {

// Answers questions from a script and keeps every request it was shown, so a
// test can check each text the user would have read.
class ScriptedRequester final : public Requester {
public:
    explicit ScriptedRequester(std::deque<Answer> answers = {}) : answers_(std::move(answers)) {}

    void add(int code, bool checked = false, int number = 0)
    {
        answers_.push_back({code, checked, number});
    }

    Answer ask(const Request &request) override
    {
        asked.push_back(request);
        if (answers_.empty()) {
            throw std::logic_error("a question was asked that the test did not expect");
        }
        Answer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    bool allAnswersUsed() const { return answers_.empty(); }

    std::vector<Request> asked;

private:
    std::deque<Answer> answers_;
};

} // namespace namenswerk::test
