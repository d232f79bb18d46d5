#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace varnel {

// A progress line on standard error for work on many items, such as
//   varnel convert: 120 of 6000 problems, 45.0/s, about 2 min left
// redrawn a few times a second by a thread of its own, so that it also names an item that has
// been running long ("; in.txt:7 (30 x 30) has run for 2 min"). It appears only when standard error
// is a terminal and the work has taken more than a second, and it is cleared when the work ends.
// Messages printed meanwhile go through message(), which keeps them apart from the line.
struct ProgressLine {
    ProgressLine(std::string label, std::string unit, int64_t total);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // Work on the next item begins: done items are finished, and item names it for the line
    // ("FILE:LINE (10 x 10)") should it run long.
    void begin(int64_t done, std::string item);

    // From now on the line counts the finished items from done (as a run that cannot call
    // begin() counts them) rather than from begin().
    void follow(const std::atomic<int64_t>* done);

    // Prints one line (a warning, an error) to standard error.
    void message(std::string_view line);

    // Writes text to standard output and flushes it, the line cleared first, as standard output
    // may be the same terminal. False (printed on standard error) when the write fails.
    bool output(std::string_view text);

  private:
    using Clock = std::chrono::steady_clock;

    void run();
    void draw();
    void clear();

    const std::string label_;  // "varnel convert"
    const std::string unit_;   // "problems"
    const int64_t total_;
    const Clock::time_point start_;
    int64_t done_ = 0;                                // items finished; guarded by mutex_
    const std::atomic<int64_t>* followed_ = nullptr;  // counts them instead when set
    std::string item_;                                // the item being worked on; guarded by mutex_
    Clock::time_point itemStart_;                     // when it began; guarded by mutex_
    bool shown_ = false;     // a line is on the terminal; guarded by mutex_
    bool stopping_ = false;  // guarded by mutex_
    std::mutex mutex_;
    std::condition_variable wake_;
    std::thread thread_;
};

}  // namespace varnel
