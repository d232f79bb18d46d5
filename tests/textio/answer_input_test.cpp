#include "textio/answer_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "solver/side_grid.h"
#include "textio/side_names.h"

namespace varnel {
namespace {

// The 3 x 2 board with cells r1c1, r1c2 and r2c2 inside: a loop of 8 sides.
const uint8_t INSIDE[6] = {1, 1, 0, 0, 1, 0};

std::vector<SideState> loopSides() {
    return sidesOfColours(INSIDE, 3, 2);
}

// The ON sides of an answer.
std::vector<bool> onSides(const std::vector<SideState>& sides) {
    std::vector<bool> on;
    for (const SideState side : sides)
        on.push_back(side == SideState::ON);
    return on;
}

// The same loop in the three forms reads to the same sides; the form is told by the first line
// that holds something.
TEST(AnswerInput, TheThreeFormsOfOneLoop) {
    const std::string drawing =
        "\n+---+---+   +\n"
        "| 2     | 3\n"
        "+---+ x +   +\n"
        "  0 | 1 |\n"
        "+   +---+   +\n";
    const std::string colouring = "\n##.  \r\n.#.\n\n";
    std::string list = "# the loop of r1c1, r1c2 and r2c2\n\n";
    for (size_t s = 0; s < loopSides().size(); ++s) {
        if (loopSides()[s] == SideState::ON) {
            list += "  " + sideName(3, 2, static_cast<int32_t>(s)) + "\t\n";
        }
    }
    // Either name of a side between two cells, in any case.
    list.replace(list.find("r1c3 left"), 9, "R1C2   RIGHT");

    const std::vector<std::pair<std::string, AnswerForm>> forms = {
        {drawing, AnswerForm::DRAWING},
        {colouring, AnswerForm::COLOURING},
        {list, AnswerForm::SIDE_LIST}};
    for (const auto& [text, form] : forms) {
        AnswerInput answer;
        std::vector<InputDiagnostic> diagnostics;
        ASSERT_TRUE(readAnswerText(text, "a.txt", 3, 2, answer, diagnostics))
            << text << (diagnostics.empty() ? "" : formatDiagnostic(diagnostics[0]));
        EXPECT_EQ(answer.form, form);
        EXPECT_EQ(answer.width, 3);
        EXPECT_EQ(answer.height, 2);
        EXPECT_EQ(onSides(answer.sides), onSides(loopSides())) << answerFormName(form);
    }

    // The drawing keeps its clues; a colouring keeps its own size, whatever the board's.
    AnswerInput answer;
    std::vector<InputDiagnostic> diagnostics;
    ASSERT_TRUE(readAnswerText(drawing, "a.txt", 3, 2, answer, diagnostics));
    EXPECT_EQ(answer.drawnClues, (ClueGrid{2, NO_CLUE, 3, 0, 1, NO_CLUE}));
    ASSERT_TRUE(readAnswerText("#..\n", "c.txt", 9, 9, answer, diagnostics));
    EXPECT_EQ(answer.width, 3);
    EXPECT_EQ(answer.height, 1);
}

TEST(AnswerInput, MalformedAnswersArePositioned) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "a.txt:1:1: no answer in this input"},
        {" \n\t\n", "a.txt:1:1: no answer in this input"},
        {"\xEF\xBB\xBF##.\n.#.\n", "a.txt:1:1: a byte-order mark: save the answer without one"},
        {"##.\n#.x\n",
         "a.txt:2:3: expected '#' (a cell inside the loop) or '.' (outside), found 'x'"},
        {"##.\n#.\n", "a.txt:2:3: a row of 2 cells after rows of 3"},
        {"##.\n\n#..\n", "a.txt:2:1: a blank line inside the colouring"},
        {"r1c1 top\nr1c1\n",
         "a.txt:2:1: r1c1 is a cell, not a side: name one of its sides, such as r1c1 top"},
        {"  r2c3 top-left\n", "a.txt:1:3: r2c3 top-left is a grid point, not a side"},
        {"r1c1 top\nr3c1 top\n", "a.txt:2:1: row 3 is not on the board's 2 rows"},
        {"r1c2 bottom\nr1c1 left\nr2c2 TOP\n",
         "a.txt:3:1: the side r2c2 top is listed twice (first on line 1)"},
        {"r1c1 top, r1c2 top\n",
         "a.txt:1:1: expected top, right, bottom or left for a side, or top-left, top-right, "
         "bottom-right or bottom-left for a point, after r1c1"},
    };
    for (const auto& [text, expected] : cases) {
        AnswerInput answer;
        std::vector<InputDiagnostic> diagnostics;
        EXPECT_FALSE(readAnswerText(text, "a.txt", 3, 2, answer, diagnostics)) << text;
        ASSERT_FALSE(diagnostics.empty()) << text;
        EXPECT_EQ(formatDiagnostic(diagnostics.front()), expected);
    }
}

}  // namespace
}  // namespace varnel
