// Connectivity passes of delta runs, worked out from the base run's regions (RegionMap): only the
// sides that touch a differing cell count differently.

#include <array>

#include "solver/candidate_judge.h"

namespace varnel {

PassDecision CandidateJudge::deltaPass(const DeltaRun& run, bool& known) {
    std::array<int32_t, DeltaRun::MAX_ENTRIES> cells{};
    std::array<uint16_t, DeltaRun::MAX_ENTRIES> tags{};
    int32_t count = 0;
    for (int32_t n = 0; n < run.entryCount; ++n) {
        const DeltaEntry& e = run.entries[n];
        if (!e.tagDiffers) continue;  // done flags play no part in a pass
        cells[count] = e.cell;
        tags[count++] = e.tag;
    }
    return baseRegions.decideChanged(cells.data(), tags.data(), count, known);
}

}  // namespace varnel
