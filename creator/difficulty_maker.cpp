#include "creator/difficulty_maker.h"

#include <algorithm>

#include "creator/loop_source.h"
#include "solver/clue_grid.h"

namespace varnel {

namespace {

// True when the ladder up to rank solves the W x H problem.
bool solvableWithin(DifficultyMaker& maker, const uint8_t* grid, int32_t width, int32_t height,
                    int32_t rank) {
    startLadder(maker.run, grid, width, height, RecordMode::CLOSURE, rank);
    maker.run.workBudget = THINNING_TEST_BUDGET;
    return runLadder(maker.run, rank) == LadderEnd::SOLVED;
}

}  // namespace

bool makeProblemOfDifficulty(SharedRandom& random, int32_t width, int32_t height,
                             DifficultyRange range, LoopBuilderKind kind, uint8_t* grid,
                             Difficulty& difficulty, DifficultyMaker& maker) {
    const int32_t cells = width * height;
    const int32_t target = range.lowest + random.draw(range.highest - range.lowest + 1);

    maker.full.resize(static_cast<size_t>(cells));
    LoopSource builder;
    builder.bind(kind, maker.full.data(), width, height, &random);
    // The strip builder's regions may leave several loops or cells meeting at a corner; their
    // full clue grids are not solvable, and a new loop is drawn.
    do {
        builder.buildLoop();
    } while (!solvableWithin(maker, maker.full.data(), width, height, target));

    std::vector<uint8_t> problem(maker.full);
    maker.order.resize(static_cast<size_t>(cells));
    for (int32_t c = 0; c < cells; ++c)
        maker.order[c] = c;
    for (int32_t i = cells - 1; i > 0; --i)
        std::swap(maker.order[i], maker.order[random.draw(i + 1)]);
    for (const int32_t c : maker.order) {
        const uint8_t clue = problem[c];
        problem[c] = NO_CLUE;
        if (!solvableWithin(maker, problem.data(), width, height, target)) problem[c] = clue;
    }

    startLadder(maker.run, problem.data(), width, height, RecordMode::COUNTS);
    maker.run.workBudget = DEFAULT_GRADE_BUDGET;
    const Difficulty grade = difficultyOf(maker.run, runLadder(maker.run, target));
    if (grade.end != DifficultyEnd::RATED) return false;
    difficulty = grade;
    std::copy(problem.begin(), problem.end(), grid);
    return true;
}

}  // namespace varnel
