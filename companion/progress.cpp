#include "companion/progress.h"

#include <unistd.h>

#include <cinttypes>
#include <cstdio>

#include "companion/output_file.h"

namespace varnel {

namespace {

constexpr auto REDRAW_EVERY = std::chrono::milliseconds(250);
constexpr double SHOW_AFTER_SECONDS = 1.0;
// An item running this long gets its own time on the line.
constexpr double SLOW_ITEM_SECONDS = 3.0;

std::string formatDuration(double seconds) {
    char text[32];
    if (seconds < 60) {
        std::snprintf(text, sizeof text, "%.0f s", seconds);
    } else if (seconds < 3600) {
        std::snprintf(text, sizeof text, "%.0f min", seconds / 60);
    } else {
        std::snprintf(text, sizeof text, "%.1f h", seconds / 3600);
    }
    return text;
}

}  // namespace

ProgressLine::ProgressLine(std::string label, std::string unit, int64_t total)
    : label_(std::move(label)),
      unit_(std::move(unit)),
      total_(total),
      start_(Clock::now()),
      itemStart_(start_) {
    if (::isatty(STDERR_FILENO)) thread_ = std::thread([this] { run(); });
}

ProgressLine::~ProgressLine() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        clear();
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void ProgressLine::begin(int64_t done, std::string item) {
    std::lock_guard<std::mutex> lock(mutex_);
    done_ = done;
    item_ = std::move(item);
    itemStart_ = Clock::now();
}

void ProgressLine::follow(const std::atomic<int64_t>* done) {
    std::lock_guard<std::mutex> lock(mutex_);
    followed_ = done;
}

void ProgressLine::message(std::string_view line) {
    std::lock_guard<std::mutex> lock(mutex_);
    clear();
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fputc('\n', stderr);
}

bool ProgressLine::output(std::string_view text) {
    std::lock_guard<std::mutex> lock(mutex_);
    clear();
    return writeStandardOutput(text);
}

void ProgressLine::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        wake_.wait_for(lock, REDRAW_EVERY);
        if (!stopping_) draw();
    }
}

void ProgressLine::draw() {
    const Clock::time_point now = Clock::now();
    const double elapsed = std::chrono::duration<double>(now - start_).count();
    if (elapsed < SHOW_AFTER_SECONDS) return;
    const int64_t done = followed_ != nullptr ? followed_->load() : done_;
    char text[256];
    int length = std::snprintf(text, sizeof text, "%s: %" PRId64 " of %" PRId64 " %s",
                               label_.c_str(), done, total_, unit_.c_str());
    std::string line(text, static_cast<size_t>(length));
    if (done > 0) {
        const double rate = done / elapsed;
        length = std::snprintf(text, sizeof text, ", %.1f/s, about %s left", rate,
                               formatDuration((total_ - done) / rate).c_str());
        line.append(text, static_cast<size_t>(length));
    }
    const double itemSeconds = std::chrono::duration<double>(now - itemStart_).count();
    if (done < total_ && !item_.empty() && itemSeconds >= SLOW_ITEM_SECONDS) {
        line += "; " + item_ + " has run for " + formatDuration(itemSeconds);
    }
    std::fprintf(stderr, "\r%s\x1b[K", line.c_str());
    std::fflush(stderr);
    shown_ = true;
}

void ProgressLine::clear() {
    if (!shown_) return;
    std::fputs("\r\x1b[K", stderr);
    std::fflush(stderr);
    shown_ = false;
}

}  // namespace varnel
