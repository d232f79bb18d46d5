#pragma once

// The pieces the sentences of every technique are made of: what a step decided and noted, said
// from the point of view of the cell it is about, and the words for what a corner can hold.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "explain/board_knowledge.h"
#include "ladder/step_record.h"

namespace varnel {

// What a story is told from: the board before the step, and the step.
struct StoryContext {
    const BoardKnowledge& before;
    const StepRecord& step;
    const BoardLayout& layout;
};

// "no line", "exactly one line", "two lines", "at most one line", "at least one line", "no line
// or two", for a PairCounts mask.
const char* countsWords(uint8_t counts);

// "r3c5's top-left corner", or "its top-left corner" when cell is the focus.
std::string cornerPhrase(const BoardLayout& layout, int32_t cell, int corner, int32_t focus);

// "top and left sides", "top side": some of cell's own sides.
std::string ownSidesPhrase(const BoardLayout& layout, int32_t cell,
                           const std::vector<int32_t>& sides);

// "r3c5 and r3c6 are on different sides of the loop", "r3c5 is inside the loop".
std::string relationWords(const BoardLayout& layout, int32_t a, int32_t b, bool different);

// How the sides and corners of the cell a sentence is about are named: as "its" when the
// sentence starts with the cell, by the cell's name ("r2c2's") when it starts elsewhere.
enum class Owner : uint8_t { ITS, NAMED };

// "its top and left sides are lines and r3c4 right is crossed": the sides the step decided,
// those of focus (a cell, or -1) named as its own. Empty when it decided no side.
std::string decisionClause(const StoryContext& c, int32_t focus, Owner owner = Owner::ITS);

// What the step noted, in words: corners whose sides it did not both decide, and relations.
std::vector<std::string> noteClauses(const StoryContext& c, int32_t focus,
                                     Owner owner = Owner::ITS);

// premise + ", so " + the notes and decisions; premise alone when there is neither.
std::string sentence(const std::string& premise, const StoryContext& c, int32_t focus,
                     Owner owner = Owner::ITS);

// The technique's one-line description, then what the step decided: for a record whose places
// do not fit its technique's own sentence.
std::string plainSentence(const StoryContext& c);

// The corner of cell at point, or -1.
int cornerAt(const BoardLayout& layout, int32_t cell, int32_t point);

// The sides beyond a corner, as a reason: "r2c5 left and r3c4 top crossed", "the board's corner",
// "the board's edge and r2c5 left crossed".
std::string beyondCornerWords(const StoryContext& c, int32_t point, int corner);

// The counts a corner of a clue cell can hold when its opposite corner can hold opposite: the two
// make up the clue.
uint8_t acrossClueCounts(uint8_t opposite, int32_t clue);

}  // namespace varnel
