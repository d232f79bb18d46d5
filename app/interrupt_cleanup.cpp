#include "app/interrupt_cleanup.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstring>

namespace varnel {

namespace {

constexpr int MAX_GUARDED = 3;  // the three files of the batch by difficulty
constexpr int GUARDED_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP};

char guardedNames[MAX_GUARDED][256];          // names in the current folder
volatile std::sig_atomic_t guardedCount = 0;  // names published to the handler
volatile std::sig_atomic_t guarding = 0;      // 1 while empty files are to be removed
struct sigaction previousActions[3];          // per guarded signal: its action before the guard
bool replaced[3] = {};                        // per guarded signal: the guard installed a handler

void removeEmptyOutputs(int signalNumber) {
    if (guarding) {
        for (int i = 0; i < guardedCount; ++i) {
            // Only a file still empty: one that a write already reached is left alone.
            struct stat status {};
            if (::stat(guardedNames[i], &status) == 0 && status.st_size == 0) {
                ::unlink(guardedNames[i]);
            }
        }
    }
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);  // delivered on return from the handler, with the default action
}

}  // namespace

void guardOutputFiles() {
    guardedCount = 0;  // a run before this one in the same process guarded its own files
    guarding = 1;
    for (int n = 0; n < 3; ++n) {
        const int signalNumber = GUARDED_SIGNALS[n];
        // A signal the caller ignores (nohup, a background job) stays ignored: the run goes on.
        sigaction(signalNumber, nullptr, &previousActions[n]);
        if (previousActions[n].sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = removeEmptyOutputs;
        sigemptyset(&action.sa_mask);
        // The other guarded signals wait while the files are removed, so one cleanup runs.
        for (const int other : GUARDED_SIGNALS)
            sigaddset(&action.sa_mask, other);
        sigaction(signalNumber, &action, nullptr);
        replaced[n] = true;
    }
}

void guardOutputFile(const char* name) {
    if (guardedCount >= MAX_GUARDED) return;
    std::strncpy(guardedNames[guardedCount], name, sizeof guardedNames[0] - 1);
    guardedNames[guardedCount][sizeof guardedNames[0] - 1] = '\0';
    // The name is complete before the handler may see it.
    std::atomic_signal_fence(std::memory_order_seq_cst);
    guardedCount = guardedCount + 1;
}

void endOutputGuard() {
    guarding = 0;
    for (int n = 0; n < 3; ++n) {
        if (replaced[n]) sigaction(GUARDED_SIGNALS[n], &previousActions[n], nullptr);
        replaced[n] = false;
    }
}

}  // namespace varnel
