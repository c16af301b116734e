#pragma once

#include <QString>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace namenswerk::batch {

// A line on standard error that counts the seconds of a long step, shown only
// when standard error is a terminal and the step takes more than a second.
// The step itself offers no progress to report, so the line shows time only.
class ProgressLine {
public:
    explicit ProgressLine(const QString &label);
    ~ProgressLine();
    ProgressLine(const ProgressLine &) = delete;
    ProgressLine &operator=(const ProgressLine &) = delete;
    ProgressLine(ProgressLine &&) = delete;
    ProgressLine &operator=(ProgressLine &&) = delete;

    // Ends the line; nothing more is written to standard error by it.
    void stop();

private:
    void tick(const std::stop_token &stopToken);

    QByteArray label_;
    std::mutex mutex_;
    std::condition_variable_any wake_;
    bool shown_ = false;
    std::jthread thread_;
};

} // namespace namenswerk::batch
