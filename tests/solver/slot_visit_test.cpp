#include "solver/slot_visit.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "creator/loop_builder.h"
#include "creator/shared_random.h"
#include "solver/sweep_context.h"

namespace varnel {
namespace {

// A visit played on copies of the cells it reads does to the board exactly what the visit
// itself does: every tag of the board after the visit is the old tag through the play's
// relabels, the recorded relations make the same merges, and the done flag and the contradiction
// flag agree. Checked at every cell of boards part way through their sweeps, with and without an
// overridden clue.
TEST(SlotVisit, PlayDoesWhatTheVisitDoes) {
    std::mt19937 rng(3);
    int merging = 0;  // plays that merged
    for (const int32_t w : {4, 8, 12}) {
        const int32_t h = 8;
        SharedRandom random(500 + w);
        std::vector<uint8_t> full(w * h);
        RandomLoopBuilder builder;
        builder.bind(full.data(), w, h, &random);
        for (int round = 0; round < 6; ++round) {
            builder.buildLoop();
            ClueGrid problem(w * h, NO_CLUE);
            for (int32_t p = 0; p < w * h; ++p) {
                if (full[p] <= 3 && rng() % 2 == 0) problem[p] = full[p];
            }
            RegionScan scan;
            SolverBoard board;
            board.setUp(problem.data(), w, h, scan);
            for (int sweeps = static_cast<int>(rng() % 3); sweeps > 0; --sweeps)
                board.sweep();
            VisitSlots slots;
            slots.build(board.stride);
            PlayTags copies;
            copies.resize(board.cellCount, board.stride);
            const int32_t s = board.stride;
            for (int32_t i = s; i < board.cellCount - s; ++i) {
                SlotVisit play;
                play.start(slots, copies, board.uf.tags(), board.clues, i, board.done[i]);
                // Clues lie on problem cells only.
                const int32_t column = i % s;
                if (column >= 1 && column <= w && rng() % 3 == 0) {
                    play.overrideCell = i;
                    play.overrideValue = static_cast<uint8_t>(rng() % 4);
                }
                rules::visitCell(play, play.done, i, s);

                SolverBoard visited;
                visited.copyFrom(board);
                const uint8_t saved = visited.clues[i];
                if (play.overrideCell == i) visited.clues[i] = play.overrideValue;
                SweepContext context = contextOf(visited);
                rules::visitCell(context, visited.done[i], i, s);
                visited.clues[i] = saved;

                for (int32_t j = 0; j < board.cellCount; ++j)
                    ASSERT_EQ(visited.uf.tags()[j], play.after(board.uf.tags()[j]))
                        << i << " " << j;
                for (int32_t n = 0; n < slots.count(); ++n)
                    ASSERT_EQ(play.slotTag(n), visited.uf.tags()[i + slots.offset[n]]);
                ASSERT_EQ(visited.done[i], play.done);
                ASSERT_EQ(context.contradiction, play.contradiction);
                // Relating the recorded cells in order makes the visit's merges.
                SolverBoard replayed;
                replayed.copyFrom(board);
                for (int32_t n = 0; n < play.relabelCount; ++n)
                    replayed.uf.relate(play.merged[n].a, play.merged[n].b, play.merged[n].same);
                ASSERT_EQ(replayed.uf.tagStore, visited.uf.tagStore);
                merging += play.relabelCount > 0;
            }
        }
    }
    EXPECT_GT(merging, 100);
}

}  // namespace
}  // namespace varnel
