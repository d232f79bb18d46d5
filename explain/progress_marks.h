#pragma once

// A player's board: read from the ascii drawing `varnel convert --to ascii` writes, with crosses
// for sides marked off, checked to be a drawing of the puzzle, and judged against the one answer.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "checker/problem_check.h"
#include "solver/side_grid.h"
#include "textio/problem_input.h"

namespace varnel {

// Reads a player's board for the W x H puzzle grid: sides receives sideCount(W, H) states. False,
// with every fault in diagnostics as source:LINE:COLUMN, when text is not a drawing or is the
// drawing of another puzzle (another size, or a clue that differs).
bool readProgress(std::string_view text, const std::string& source, const uint8_t* grid,
                  int32_t width, int32_t height, std::vector<SideState>& sides,
                  std::vector<InputDiagnostic>& diagnostics);

// A line or cross the player drew that disagrees with the answer.
struct Mistake {
    int32_t side = 0;                   // numbered as in solver/side_grid.h
    SideState drawn = SideState::OPEN;  // ON: a line where the answer has none; OFF: a cross on
                                        // a side of the loop
};

// Every mark of drawn that disagrees with answer (both sideCount(W, H) states), in the order a
// reader meets them: row by row from the top, the sides above a row before those beside it.
std::vector<Mistake> findMistakes(int32_t width, int32_t height,
                                  const std::vector<SideState>& drawn,
                                  const std::vector<SideState>& answer);

// "r4c2 right is drawn but cannot be on the loop", "r4c2 right is crossed but is on the loop".
std::string mistakeText(int32_t width, int32_t height, const Mistake& mistake);

// drawn without the mistaken marks.
std::vector<SideState> withoutMistakes(const std::vector<SideState>& drawn,
                                       const std::vector<Mistake>& mistakes);

// What a player drew, judged: the marks to start from, and the mistakes among them.
struct PlayerBoard {
    std::vector<SideState> start;   // the correct marks (every mark when the puzzle has no one
                                    // answer to judge them by)
    std::vector<Mistake> mistakes;  // the marks that disagree with the one answer
    int32_t lines = 0;              // lines drawn, mistakes included
    int32_t crosses = 0;            // crosses drawn, mistakes included
};

// Reads a player's board (as readProgress) and judges it against check's one answer when it has
// exactly one. False, with the faults in diagnostics, when the drawing cannot be read.
bool judgeProgress(std::string_view text, const std::string& source, const uint8_t* grid,
                   int32_t width, int32_t height, const CheckResult& check, PlayerBoard& board,
                   std::vector<InputDiagnostic>& diagnostics);

// Where a walkthrough starts from a player's board named name: "mine.txt (12 lines and 30
// crosses; 2 mistakes left out)".
std::string boardWords(const std::string& name, const PlayerBoard& board);

}  // namespace varnel
