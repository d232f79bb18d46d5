// A judge call split over threads: the candidates dealt out in turn to parts, each judged by a
// judge of its own on a copy of the board that owns its clues and scan record, since judging
// writes candidates' clues into the clue array and floods regions in the scan record.

#include <algorithm>

#include "solver/candidate_judge.h"

namespace varnel {

namespace {

// Fewer candidates than this per part and a split costs more than it saves: each part runs the
// base run itself.
constexpr size_t MIN_CANDIDATES_PER_PART = 8;

// Makes own a working copy of board with clues, a scan record and work counters of its own.
void copyOwning(SolverBoard& own, const SolverBoard& board, RegionScan& scan, WorkCounters& work) {
    const size_t cells = static_cast<size_t>(board.cellCount);
    if (own.ownClues.size() != cells) {
        own.ownClues.assign(cells, NO_BOARD_CLUE);
        own.clues = own.ownClues.data();
        own.ownsClues = 1;
    }
    own.copyFrom(board);  // keeps its own clue array, now set
    std::copy(board.clues, board.clues + cells, own.clues);
    scan.init(board.cellCount, board.stride);
    own.scan = &scan;
    own.work = board.work != nullptr ? &work : nullptr;
    own.sourceRegions = nullptr;
}

}  // namespace

void CandidateJudge::judge(const SolverBoard& board, JudgeBy by) {
    const size_t count = candidates.size();
    const int32_t split =
        std::min<int32_t>(parts, static_cast<int32_t>(count / MIN_CANDIDATES_PER_PART));
    if (split <= 1 || runTasks == nullptr || !board.uf.tracked) {
        judgeHere(board, by);
        return;
    }
    while (helpers.size() + 1 < static_cast<size_t>(split))
        helpers.push_back(std::make_unique<JudgePart>());
    // Candidate k goes to part k mod split; part 0 is this judge on the caller's board.
    allCandidates.swap(candidates);
    candidates.clear();
    for (int32_t part = 1; part < split; ++part) {
        JudgePart& helper = *helpers[part - 1];
        helper.judge.candidates.clear();
        copyOwning(helper.board, board, helper.scan, helper.work);
    }
    for (size_t k = 0; k < count; ++k) {
        const int32_t part = static_cast<int32_t>(k % split);
        (part == 0 ? candidates : helpers[part - 1]->judge.candidates).push_back(allCandidates[k]);
    }
    (*runTasks)(split, [&](int32_t part) {
        if (part == 0) {
            judgeHere(board, by);
        } else {
            JudgePart& helper = *helpers[part - 1];
            helper.judge.judgeHere(helper.board, by);
        }
    });
    for (size_t k = 0; k < count; ++k) {
        const int32_t part = static_cast<int32_t>(k % split);
        const std::vector<ClueCandidate>& judged =
            part == 0 ? candidates : helpers[part - 1]->judge.candidates;
        allCandidates[k].sets = judged[k / split].sets;
    }
    candidates.swap(allCandidates);
    for (int32_t part = 1; part < split && board.work != nullptr; ++part) {
        WorkCounters& work = helpers[part - 1]->work;
        board.work->add(work);
        work = WorkCounters{};
    }
}

}  // namespace varnel
