#pragma once

#include <cstdint>

#include "creator/loop_builder.h"
#include "creator/problem_maker.h"
#include "creator/region_builder.h"
#include "creator/shared_random.h"

namespace varnel {

// The loop builder of one attempt: one of the two, bound to the full clue grid.
struct LoopSource {
    LoopBuilderKind kind = LoopBuilderKind::STRIP;
    RandomLoopBuilder strips;
    RegionLoopBuilder region;

    void bind(LoopBuilderKind k, uint8_t* clues, int32_t w, int32_t h, SharedRandom* random) {
        kind = k;
        if (kind == LoopBuilderKind::STRIP) {
            strips.bind(clues, w, h, random);
        } else {
            region.bind(clues, w, h, random);
        }
    }

    void buildLoop() {
        if (kind == LoopBuilderKind::STRIP) {
            strips.buildLoop();
        } else {
            region.buildLoop();
        }
    }
};

}  // namespace varnel
