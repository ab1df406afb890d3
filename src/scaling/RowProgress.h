// How many rows of a bitmap being decoded are ready: the decoder publishes them on its
// thread while the scaler reads the ready ones on another.
#pragma once

#include <condition_variable>
#include <mutex>

class RowProgress
{
public:
    void publish(int rows)
    {
        {
            const std::lock_guard lock(mutex_);
            ready_ = rows;
        }
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
        changed_.wait(lock, [&] { return ready_ >= rows || done_; });
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
    bool done_ = false;
};
