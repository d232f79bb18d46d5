#pragma once

// Puzzles for the tests of explain/: the problems of a file under tests/, and the board a
// walkthrough reaches after its first steps.

#include <string>
#include <vector>

#include "explain/walkthrough.h"
#include "tests/support/text_file.h"
#include "textio/problem_input.h"

namespace varnel::testing_support {

inline std::vector<InputProblem> problemsIn(const std::string& relativePath) {
    const std::string path = std::string(VARNEL_TEST_DATA) + "/" + relativePath;
    std::vector<InputProblem> problems;
    std::vector<InputDiagnostic> diagnostics;
    readInputText(readTextFile(path), relativePath, problems, diagnostics);
    return problems;
}

// One problem given as text in any input form.
inline InputProblem problemOf(const std::string& text) {
    std::vector<InputProblem> problems;
    std::vector<InputDiagnostic> diagnostics;
    readInputText(text, "<test>", problems, diagnostics);
    return problems.empty() ? InputProblem{} : problems.front();
}

// The sides of a walkthrough's board after its first count steps.
inline std::vector<SideState> boardAfter(const Walkthrough& walk, size_t count) {
    std::vector<SideState> sides = walk.start;
    for (size_t i = 0; i < count && i < walk.steps.size(); ++i) {
        for (const int32_t s : walk.steps[i].record.on)
            sides[s] = SideState::ON;
        for (const int32_t s : walk.steps[i].record.off)
            sides[s] = SideState::OFF;
    }
    return sides;
}

}  // namespace varnel::testing_support
