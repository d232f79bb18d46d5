#pragma once

// A walkthrough of a puzzle as `varnel explain` gives it: the steps a person takes from a board
// to the answer, simplest technique first, each told in one sentence; or, from a player's board,
// the mistakes on it and the next step only (a hint).

#include <cstdint>
#include <string>
#include <vector>

#include "varnel/export.h"
#include "varnel/puzzle.h"
#include "varnel/read.h"

namespace varnel::api {

// One step. Places are named as players read them, rows and columns from 1 at the top left:
// cells "r3c5", sides "r3c5 top" (a side between two cells by either of its names), points
// "r3c5 top-left".
struct ExplainStep {
    int32_t number = 0;                   // 1-based, in the order the steps are taken
    int32_t rank = 0;                     // 1 easy, 2 medium, 3 hard, 4 expert, 5 extreme
    std::string technique;                // the technique's name, "line into a 1"
    std::string text;                     // the step in one sentence: where, what and why
    std::vector<std::string> readCells;   // the cells it read, the one it is about first
    std::vector<std::string> readPoints;  // the points it read
    std::vector<std::string> readSides;   // the decided sides it read
    std::vector<std::string> on;          // the sides it put on the loop
    std::vector<std::string> off;         // the sides it crossed
    std::vector<std::string> inside;      // the cells it found inside the loop
    std::vector<std::string> outside;     // the cells it found outside
};

struct ExplainOptions {
    std::string progress;                       // a player's board, drawn as `varnel convert --to
                                                // ascii` draws with crosses (' x ', 'x') for sides
                                                // marked off; empty for the empty board
    std::string progressSource = "<progress>";  // its name in diagnostics
    bool next = false;                          // the next step only, not the whole walkthrough
    bool detail = false;                        // text: every step on its own line, every trial's
                                                // chain step by step
};

struct ExplainResult {
    std::vector<std::string> mistakes;    // the player's lines and crosses that disagree with the
                                          // one answer: "r4c2 right is drawn but cannot be on the
                                          // loop"; the steps start from the board without them
    std::vector<ExplainStep> steps;       // the walkthrough; with next, the one step (or none)
    std::string end;                      // the walkthrough: "solved", "several answers", "no
                                          // answer", "beyond the deepest trial", "beyond the work
                                          // budget"; with next: "step", "solved" (nothing left),
                                          // "from the answer" (the ladder is stuck: revealed
                                          // says one side of the answer), "none"
    std::string reason;                   // why the steps stop short of the answer, or why there
                                          // is no step; empty otherwise
    std::string revealed;                 // next "from the answer": "r3c5 top is a line"
    std::string difficulty;               // what the steps took: "easy" .. "extreme", or
                                          // "unfinished"
    int32_t rank = 0;                     // 1..5, 0 when unfinished
    double rating = 0;                    // rank <= rating < rank + 1, 0 when unfinished
    std::vector<std::string> answer;      // the one answer as rows of '#' (inside) and '.'
                                          // (outside) when the walkthrough reaches it
    std::string text;                     // all of it as `varnel explain` prints it
    std::vector<Diagnostic> diagnostics;  // what reading the progress drawing found wrong
    std::string error;                    // the puzzle is unusable or the progress drawing could
                                          // not be read (the diagnostics formatted, one per
                                          // line); empty otherwise
};

// Explains a puzzle. A 36 x 20 walkthrough takes milliseconds, a hint on 60 x 60 a few; a puzzle
// that needs trials within trials on a large board can take seconds before the ladder's work
// budget stops it ("beyond the work budget").
VARNEL_API ExplainResult explain(const Puzzle& puzzle, const ExplainOptions& options = {});

}  // namespace varnel::api
