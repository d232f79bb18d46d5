#include "creator/clue_reducer.h"

#include "creator/judge_threads.h"

#include <algorithm>
#include <array>
#include <cassert>

namespace varnel {

namespace {

// Clues whose removals one sweep of the problem measures together. After a removal the rest of
// them are measured again, so more is not always better: with 12, a 16 x 12 problem's removals
// cost about half of measuring each alone (measured on make 0 201 30).
constexpr int32_t REMOVAL_ROUND = 12;

// Neighbour counts of topUpClues, indexed by a three-bit window of occupied positions (bit 0 the
// left column, bit 1 the middle, bit 2 the right).
constexpr std::array<int, 8> OCCUPIED_ENDS = {0, 1, 0, 1, 1, 2, 1, 2};    // left and right
constexpr std::array<int, 8> OCCUPIED_MIDDLE = {0, 0, 1, 1, 0, 0, 1, 1};  // middle

// A full-grid value the problem can take as a clue. A 4 only marks a lone inside cell (or an
// enclosed outside cell); it is no clue, so it is never a candidate.
bool isClueValue(uint8_t v) {
    return v <= 3;
}

}  // namespace

bool isSparsePlace(const PaddedRowMasks& occupied, int32_t c, int32_t r) {
    const uint32_t up = occupied.window3(r, c);
    const uint32_t mid = occupied.window3(r + 1, c);
    const uint32_t down = occupied.window3(r + 2, c);
    const int sides = OCCUPIED_ENDS[mid] + OCCUPIED_MIDDLE[up] + OCCUPIED_MIDDLE[down];
    const int corners = OCCUPIED_ENDS[up] + OCCUPIED_ENDS[down];
    return sides <= 2 && corners <= 3 && sides + corners <= 3;
}

void ClueReducer::init(SharedRandom* source, int32_t w, int32_t h) {
    assert(fitsSolverLabels(w, h));
    random = source;
    const size_t cells = static_cast<size_t>(w) * static_cast<size_t>(h);
    if (problem.size() != cells) {
        problem.assign(cells, NO_CLUE);
        candidates.assign(cells, 0);
        removalSets.assign(cells, 0);
    }
    if (w != width || h != height || zeroRows.rows == 0) {
        zeroRows.reshape(h + 2, w + 2);
        occupied.reshape(h + 2, w + 2);
    }
    width = w;
    height = h;
}

void ClueReducer::takeClue(const uint8_t* full, int32_t p) {
    const uint8_t v = full[p];
    problem[p] = v;
    if (v == 0) zeroRows.set(p / width + 1, p % width + 1);
    ++clueCount;
}

void ClueReducer::rebuildZeroRows() {
    zeroRows.clear();
    for (int32_t p = 0; p < width * height; ++p) {
        if (problem[p] == 0) zeroRows.set(p / width + 1, p % width + 1);
    }
}

void ClueReducer::seedClues(const uint8_t* full) {
    std::fill(problem.begin(), problem.end(), NO_CLUE);
    zeroRows.clear();
    clueCount = 0;
    for (int32_t r = 0; r < height; ++r) {
        for (int32_t c = 0; c < width; ++c) {
            const int32_t p = r * width + c;
            if (full[p] == 3) {
                if (random->draw(4) > 0) takeClue(full, p);
            } else if (full[p] == 0 && !zeroNearby(c, r)) {
                if (random->draw(2) == 0) takeClue(full, p);
            }
        }
    }
}

bool ClueReducer::addBestClue(const uint8_t* full, SolverBoard& board, JudgeBy by, int32_t& best) {
    // Candidates in row-major order, each measured as if placed alone on a copy of the board.
    std::vector<ClueCandidate>& list = judge.candidates;
    list.clear();
    for (int32_t r = 0; r < height; ++r) {
        for (int32_t c = 0; c < width; ++c) {
            const int32_t p = r * width + c;
            const uint8_t v = full[p];
            if (problem[p] != NO_CLUE || !isClueValue(v)) continue;
            if (v == 3 && by == JudgeBy::SWEEP) continue;  // the sweep phase never adds a 3
            if (v == 0 && zeroNearby(c, r)) continue;
            list.push_back(ClueCandidate{c, r, v, 0});
        }
    }
    judge.judge(board, by);

    // Tie rule, in visiting order: only a count below the iteration's start can be chosen, and
    // the list keeps the candidates with the lowest count found.
    int32_t tied = 0;
    for (const ClueCandidate& candidate : list) {
        const int32_t p = candidate.y * width + candidate.x;
        if (candidate.sets < best) {
            best = candidate.sets;
            tied = 0;
            candidates[tied++] = p;
        } else if (candidate.sets == best && tied > 0) {
            candidates[tied++] = p;
        }
    }
    if (tied == 0) return false;
    const int32_t p = candidates[random->draw(tied)];
    takeClue(full, p);
    if (best != 1) board.placeClue(p % width, p / width, full[p]);
    return true;
}

bool ClueReducer::addClues(const uint8_t* full, SolverBoard& board, SolverBoard& scratch,
                           RegionScan& scan, int32_t minSets, int32_t maxSets) {
    // Start: one sweep of the problem as it stands.
    board.setUp(problem.data(), width, height, scan);
    scratch.copyFrom(board);
    scratch.sweep();
    int32_t best = scratch.uf.setCount;
    if (best > maxSets) return false;

    // Sweep phase: each candidate judged by one sweep.
    while (best >= minSets) {
        if (!addBestClue(full, board, JudgeBy::SWEEP, best)) return false;
        if (best == 1) return true;
    }

    // Propagation phase: each candidate judged by propagate.
    scratch.copyFrom(board);
    scratch.propagate();  // its result is not used: only the set count is compared
    best = scratch.uf.setCount;
    while (best != 1) {
        if (!addBestClue(full, board, JudgeBy::PROPAGATE, best)) return false;
    }
    return true;
}

void ClueReducer::removeClues(const uint8_t* full, SolverBoard& board, RegionScan& scan) {
    const int32_t cells = width * height;
    // Both passes compare with the set count of the whole problem at the start of the pass.
    for (const JudgeBy by : {JudgeBy::SWEEP, JudgeBy::PROPAGATE}) {
        auto judge = [&]() {
            board.setUp(problem.data(), width, height, scan);
            measureBy(board, by);
            return board.uf.setCount;
        };
        const int32_t reference = judge();
        // The removals of the next clues are measured together, on one thread by one sweep of
        // the problem they branch off, on several side by side; a removal changes the problem,
        // and the measures after it are made again.
        int32_t measuredUpTo = 0;
        for (int32_t p = 0; p < cells; ++p) {
            if (problem[p] == NO_CLUE) continue;
            if (p >= measuredUpTo) {
                measuredUpTo =
                    threads > 1 ? measureRemovals(board, p, by) : judgeRemovals(board, scan, p, by);
            }
            int32_t sets = removalSets[p];
            if (sets < 0) {
                // A clue whose removal changes what the set-up seeds: measured alone.
                problem[p] = NO_CLUE;
                sets = judge();
                problem[p] = full[p];
            }
            const bool needed = sets > reference;
            // In the second pass a clue that is not needed still stays with four chances in five.
            if (needed || (by == JudgeBy::PROPAGATE && random->draw(5) > 0)) continue;
            problem[p] = NO_CLUE;
            --clueCount;
            measuredUpTo = 0;
        }
    }
    rebuildZeroRows();
}

int32_t ClueReducer::judgeRemovals(SolverBoard& board, RegionScan& scan, int32_t from, JudgeBy by) {
    const int32_t cells = width * height;
    board.setUp(problem.data(), width, height, scan);
    std::vector<ClueCandidate>& list = removalJudge.removals;
    list.clear();
    int32_t end = from;
    int32_t clues = 0;
    for (; end < cells && clues < REMOVAL_ROUND; ++end) {
        if (problem[end] == NO_CLUE) continue;
        ++clues;
        const int32_t x = end % width, y = end / width;
        removalSets[end] = -1;
        if (!RemovalJudge::clearingMaySeed(board, x, y)) list.push_back(ClueCandidate{x, y, 0, 0});
    }
    removalJudge.judge(board, by);
    for (const ClueCandidate& removal : list)
        removalSets[removal.y * width + removal.x] = removal.sets;
    return end;
}

int32_t ClueReducer::measureRemovals(const SolverBoard& board, int32_t from, JudgeBy by) {
    const int32_t cells = width * height;
    std::vector<int32_t>& tried = removalTried;
    tried.clear();
    int32_t end = from;
    for (; end < cells && static_cast<int32_t>(tried.size()) < threads; ++end) {
        if (problem[end] != NO_CLUE) tried.push_back(end);
    }
    while (removalWorkers.size() < tried.size())
        removalWorkers.emplace_back();
    runOnThreads(static_cast<int32_t>(tried.size()), [&](int32_t t) {
        RemovalWorker& worker = removalWorkers[t];
        worker.grid = problem;
        worker.grid[tried[t]] = NO_CLUE;
        worker.board.work = board.work != nullptr ? &worker.work : nullptr;
        worker.board.setUp(worker.grid.data(), width, height, worker.scan);
        measureBy(worker.board, by);
        removalSets[tried[t]] = worker.board.uf.setCount;
    });
    for (size_t t = 0; t < tried.size() && board.work != nullptr; ++t) {
        board.work->add(removalWorkers[t].work);
        removalWorkers[t].work = WorkCounters{};
    }
    return end;
}

void ClueReducer::topUpClues(const uint8_t* full, int32_t target) {
    if (clueCount >= target) return;

    // Occupied positions of rows -1 to H (row r + 1): a clue, or outside the board.
    occupied.clear();
    occupied.fillRow(0, width + 2);
    occupied.fillRow(height + 1, width + 2);
    for (int32_t r = 0; r < height; ++r) {
        occupied.set(r + 1, 0);
        occupied.set(r + 1, width + 1);
        for (int32_t c = 0; c < width; ++c) {
            if (problem[r * width + c] != NO_CLUE) occupied.set(r + 1, c + 1);
        }
    }

    while (clueCount < target) {
        int32_t count = 0;
        for (int32_t r = 0; r < height; ++r) {
            for (int32_t c = 0; c < width; ++c) {
                const int32_t p = r * width + c;
                const uint8_t v = full[p];
                if (problem[p] != NO_CLUE || !isClueValue(v)) continue;
                if (v == 0 && zeroNearby(c, r)) continue;
                if (isSparsePlace(occupied, c, r)) candidates[count++] = p;
            }
        }
        if (count == 0) return;
        const int32_t p = candidates[random->draw(count)];
        takeClue(full, p);
        occupied.set(p / width + 1, p % width + 1);
    }
}

}  // namespace varnel
