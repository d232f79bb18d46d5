#pragma once

// The sentence of each technique, one function per technique, grouped in files by family as the
// techniques are (counting, corners, inside and outside, trials). Each tells one step from the
// board before it: why it applies, then what it decided and noted.

#include <string>

#include "explain/story_parts.h"

namespace varnel {

// Counting (explain/counting_stories.cpp).
std::string tellZero(const StoryContext& c);
std::string tellClueComplete(const StoryContext& c);
std::string tellClueNeedsEverySide(const StoryContext& c);
std::string tellTwoLines(const StoryContext& c);
std::string tellDeadEnd(const StoryContext& c);
std::string tellLineGoesOn(const StoryContext& c);
std::string tellLoopFinished(const StoryContext& c);
std::string tellNoEarlyLoop(const StoryContext& c);

// Corners (explain/corner_stories.cpp).
// Closed corner, line at a 3, line into a 1 and corner of a 2: what a point shows a clue's corner.
std::string tellCornerAtPoint(const StoryContext& c);
std::string tellCornerDecides(const StoryContext& c);
std::string tellAcrossAClue(const StoryContext& c);
std::string tellThreeBesideThree(const StoryContext& c);
std::string tellAcrossAPoint(const StoryContext& c);

// Inside and outside (explain/colour_stories.cpp).
std::string tellCornerColours(const StoryContext& c);
std::string tellInsideAndOutside(const StoryContext& c);
std::string tellClueColours(const StoryContext& c);
std::string tellSingleWayOut(const StoryContext& c);

}  // namespace varnel
