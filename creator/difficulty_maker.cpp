#include "creator/difficulty_maker.h"

#include <algorithm>

#include "creator/loop_source.h"
#include "solver/clue_grid.h"

namespace varnel {

namespace {

// The shares of the board, in tenths, whose clues are first taken away together. Measured on
// 10 x 10 loops: a random three tenths of the full clues taken away leave half of them solvable
// within the hard rank, two tenths five in six, four tenths one in twenty.
constexpr int32_t BULK_TENTHS[] = {3, 2};

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
    // A full clue grid says far more than any puzzle needs: the first cells of the order first
    // lose their clues together, three tenths of the board at once and, if that leaves the puzzle
    // unsolvable, two tenths; each cell after them is tried on its own. It saves about a fifth of
    // the tests and leaves a puzzle just as thin, from which no single clue can be taken.
    size_t next = 0;
    for (const int32_t share : BULK_TENTHS) {
        const size_t bulk = static_cast<size_t>(cells) * share / 10;
        for (size_t i = 0; i < bulk; ++i)
            problem[maker.order[i]] = NO_CLUE;
        if (solvableWithin(maker, problem.data(), width, height, target)) {
            next = bulk;
            break;
        }
        for (size_t i = 0; i < bulk; ++i)
            problem[maker.order[i]] = maker.full[maker.order[i]];
    }
    for (size_t i = next; i < maker.order.size(); ++i) {
        const int32_t c = maker.order[i];
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
