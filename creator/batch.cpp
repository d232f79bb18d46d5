#include "creator/batch.h"

#include "creator/problem_maker.h"
#include "creator/shared_random.h"
#include "creator/size_classes.h"

namespace varnel {

void makeBatch(std::vector<ProblemSlot>& slots, int32_t step, uint32_t seed,
               const ProgressMark& markProgress) {
    SharedRandom random(seed);
    const int32_t count = static_cast<int32_t>(slots.size());
#pragma omp parallel for schedule(static)
    for (int32_t i = 0; i < count; ++i) {
        ProblemSlot& slot = slots[i];
        const int32_t width = CLASS_WIDTHS[slot.sizeClass];
        const int32_t height = CLASS_HEIGHTS[slot.sizeClass];
        // A failed attempt leaves the slot untouched; the next one makes fresh draws.
        ProblemGrade grade;
        while (!makeProblem(random, width, height, slot.grid.data(), grade)) {
        }
        slot.score = grade.score;
        if (i % step == step - 1) markProgress();
    }
}

void sortSlots(std::vector<ProblemSlot>& slots) {
    // Equal keys keep their creation order: a slot moves only past strictly greater keys.
    auto key = [](const ProblemSlot& s) { return s.sizeClass * 65536 + s.score; };
    for (size_t k = 1; k < slots.size(); ++k) {
        for (size_t j = k; j > 0 && key(slots[j - 1]) > key(slots[j]); --j) {
            std::swap(slots[j - 1], slots[j]);
        }
    }
}

}  // namespace varnel
