// SPDX-License-Identifier: GPL-3.0-or-later
// How many rows of a bitmap being made are ready: the producer publishes them on its
// thread while a consumer reads the ready ones on another.
#pragma once

#include <algorithm>
#include <climits>
#include <condition_variable>
#include <mutex>

class RowProgress
{
public:
    void publish(int rows)
    {
        bool wake = false;
        {
            const std::lock_guard lock(mutex_);
            ready_ = rows;
            // Waking a waiter costs a system call and a task switch; rows come often, so
            // only the rows somebody waits for wake anybody.
            wake = ready_ >= wanted_;
            if (wake)
                wanted_ = INT_MAX;
        }
        if (wake)
            changed_.notify_all();
    }
    // The producer is done, whether all rows came or not.
    void finish()
    {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        changed_.notify_all();
    }
    // Blocks until `rows` rows are ready; false when the producer stopped short of them.
    bool waitFor(int rows) const
    {
        std::unique_lock lock(mutex_);
        while (ready_ < rows && !done_) {
            wanted_ = std::min(wanted_, rows);
            changed_.wait(lock);
        }
        return ready_ >= rows;
    }
    // Blocks until the producer is done; true when every one of `rows` rows came.
    bool waitForEnd(int rows) const
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return done_; });
        return ready_ >= rows;
    }

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    int ready_ = 0;
    mutable int wanted_ = INT_MAX; // the fewest rows a waiter waits for
    bool done_ = false;
};
