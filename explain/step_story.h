#pragma once

// One step of the ladder told as a sentence a player understands, from the board before it.

#include <cstdint>
#include <string>
#include <vector>

#include "explain/board_knowledge.h"
#include "ladder/step_record.h"

namespace varnel {

// A step with its sentence.
struct ToldStep {
    StepRecord record;            // what the ladder recorded: what it read, decided and noted
    std::string text;             // the sentence, lower case, without a final full stop:
                                  // "r2c7 is a 3 next to the 0 at r2c8, so its top, bottom and
                                  // left sides are lines"
    std::vector<ToldStep> chain;  // a trial's chain, told step by step, when asked for
};

// The families of steps a walkthrough may group when they come one after another: the easy
// techniques of one kind. NO_FAMILY for the steps always told one by one.
enum class StepFamily : uint8_t { NO_FAMILY, CLUE_COUNTING, POINTS, LOOP, CORNERS };

// "clue counting", "lines at points", "closing the loop", "corners".
const char* familyName(StepFamily family);

// The family of the technique with this index in the ladder's table.
StepFamily familyOf(int32_t technique);

// The cells step found inside the loop (inside true) or outside: those it recorded, and those it
// found on the other side of the loop from the outside beyond the board (inside) or on the same
// side (outside). In order, each once.
std::vector<int32_t> cellsPlaced(const BoardLayout& layout, const StepRecord& step, bool inside);

// Tells step from the board before it. With chains, a trial's chain is told too, step by step.
ToldStep tellStep(const BoardKnowledge& before, StepRecord step, bool chains);

// Tells steps in order from board, taking each in as it goes: board ends as the last step leaves
// it. first is the index of steps[0] in its walk (what board records as the step that decided a
// side).
std::vector<ToldStep> tellSteps(BoardKnowledge& board, std::vector<StepRecord> steps, bool chains,
                                int32_t first = 0);

// A trial's sentence, and its chain told into chain when asked for (explain/trial_story.cpp).
std::string tellTrial(const BoardKnowledge& before, const StepRecord& step, bool chains,
                      std::vector<ToldStep>& chain);

}  // namespace varnel
