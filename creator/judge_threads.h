#pragma once

#include <cstdint>
#include <functional>

namespace varnel {

// Runs task(0) to task(count - 1) at the same time, one OpenMP thread each, and returns when all
// are done: the candidate judge's TaskRunner for a problem made on its own. Inside a batch's
// parallel loop the runtime gives a nested region one thread, so the tasks then run in turn.
void runOnThreads(int32_t count, const std::function<void(int32_t)>& task);

}  // namespace varnel
