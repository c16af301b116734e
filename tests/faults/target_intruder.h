#pragma once

#include "tests/faults/disk_manifest.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <atomic>
#include <functional>
#include <random>
#include <thread>
#include <vector>

namespace namenswerk::test {

// Someone else working in the same folder: a thread that keeps creating files
// at the names a run is about to give, in a shuffled order, until it is
// stopped or has tried every name. Each file it manages to make holds a
// content of its own, so a manifest can tell its files from the run's.
class TargetIntruder {
public:
    TargetIntruder(QString folder, std::vector<QByteArray> targets, unsigned seed)
        : folder_(std::move(folder)), targets_(std::move(targets))
    {
        std::shuffle(targets_.begin(), targets_.end(), std::mt19937(seed));
    }

    ~TargetIntruder() { stop(); }

    // Returns once the first file is made, so that the run to be started
    // afterwards meets at least one taken name.
    void start()
    {
        thread_ = std::thread([this] { work(); });
        while (!firstMade_.load() && !finished_.load()) {
            std::this_thread::yield();
        }
    }

    void stop()
    {
        stopping_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    static QByteArray contentFor(const QByteArray &name) { return "intruder at " + name; }

    // The names it made a file at; read after stop().
    const std::vector<QByteArray> &made() const { return made_; }

private:
    void work()
    {
        for (const QByteArray &name : targets_) {
            if (stopping_.load()) {
                break;
            }
            if (writeRawFile(folder_, name, contentFor(name))) {
                made_.push_back(name);
                firstMade_ = true;
            }
        }
        finished_ = true;
    }

    QString folder_;
    std::vector<QByteArray> targets_;
    std::vector<QByteArray> made_;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> firstMade_{false};
    std::atomic<bool> finished_{false};
};

} // namespace namenswerk::test
