#include "app/batch/progress_line.h"

#include <chrono>
#include <cstdio>
#include <unistd.h>

namespace namenswerk::batch {

ProgressLine::ProgressLine(const QString &label) : label_(label.toLocal8Bit())
{
    if (::isatty(STDERR_FILENO) == 1) {
        thread_ = std::jthread([this](const std::stop_token &stopToken) { tick(stopToken); });
    }
}

ProgressLine::~ProgressLine()
{
    stop();
}

void ProgressLine::stop()
{
    if (!thread_.joinable()) {
        return;
    }
    thread_.request_stop();
    thread_.join();
    if (shown_) {
        // A line that cannot be shown is no reason to fail the run.
        (void)std::fputc('\n', stderr);
    }
}

void ProgressLine::tick(const std::stop_token &stopToken)
{
    std::unique_lock lock(mutex_);
    for (int seconds = 1;; ++seconds) {
        // Nothing but the stop request wakes the line before its second is up.
        wake_.wait_for(lock, stopToken, std::chrono::seconds(1), [] { return false; });
        if (stopToken.stop_requested()) {
            return;
        }
        const QByteArray line =
            "\rnamenswerk-batch: " + label_ + " ... " + QByteArray::number(seconds) + " s";
        (void)std::fputs(line.constData(), stderr);
        (void)std::fflush(stderr);
        shown_ = true;
    }
}

} // namespace namenswerk::batch
