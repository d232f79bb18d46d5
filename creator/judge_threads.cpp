#include "creator/judge_threads.h"

namespace varnel {

void runOnThreads(int32_t count, const std::function<void(int32_t)>& task) {
#pragma omp parallel for num_threads(count) schedule(static, 1)
    for (int32_t t = 0; t < count; ++t)
        task(t);
}

}  // namespace varnel
