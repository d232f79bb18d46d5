// A tour of the varnel library: read a puzzle, write it in two forms, check it and rate its
// difficulty, verify its answer and a wrong one, solve it as the main program does, and make new
// puzzles, one for a difficulty. Prints what it finds and exits with 1 when anything is not as it
// should be.
#include <varnel/varnel.h>

#include <cstdio>
#include <string>

namespace api = varnel::api;

namespace {

int failures = 0;

void expect(bool condition, const char* what) {
    if (!condition) {
        std::printf("UNEXPECTED: %s\n", what);
        ++failures;
    }
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

}  // namespace

int main() {
    std::printf("varnel library %s\n", api::version());

    // Any input form: here a Loopy game ID of a 6 x 6 puzzle.
    const api::ReadResult read = api::readPuzzles("6x6t0:a3a22b3a3d13a33d3b3a3a21c1", "<tour>");
    expect(read.error.empty() && read.puzzles.size() == 1, "the game ID reads as one puzzle");
    if (read.puzzles.empty()) return 1;
    const api::Puzzle& puzzle = read.puzzles.front();

    api::WriteOptions url;
    url.form = api::Form::URL;
    std::printf("as a URL: %s", api::writePuzzle(puzzle, url).text.c_str());

    const api::CheckResult check = api::check(puzzle);
    expect(check.error.empty(), "the check runs");
    std::printf("check: %s", api::verdictName(check.verdict));
    if (check.graded) {
        std::printf(
            ", difficulty %s (rating %.2f), level %d (score %d); the program's own "
            "solver: %s, %d trials",
            check.difficulty.name.c_str(), check.difficulty.rating, check.grade.level,
            check.grade.score, api::solverResultName(check.grade.solver), check.grade.trials);
        std::printf("\ntechniques:");
        for (const api::TechniqueCount& t : check.difficulty.techniques)
            std::printf(" %s %d;", t.technique.c_str(), t.count);
    }
    std::printf("\n");
    expect(check.difficulty.rated, "the ladder rates the puzzle");
    expect(check.verdict == api::Verdict::UNIQUE, "the puzzle has one answer");
    if (check.answers.empty()) return 1;

    api::WriteOptions drawing;
    drawing.form = api::Form::ASCII;
    drawing.answers = {check.answers.front()};
    const std::string drawn = api::writePuzzle(puzzle, drawing).text;
    std::printf("%s", drawn.c_str());

    // Its answer verifies in every form; with one cell fewer inside, it does not.
    expect(api::verify(puzzle, drawn).valid, "the drawn answer is valid");
    expect(api::verify(puzzle, joined(api::answerRows(check.answers.front()))).valid,
           "the answer's rows are valid");
    expect(api::verify(puzzle, joined(api::answerSides(check.answers.front()))).valid,
           "the answer's sides are valid");
    api::Answer wrong = check.answers.front();
    for (uint8_t& cell : wrong.inside) {
        if (cell != 0) {
            cell = 0;
            break;
        }
    }
    const api::VerifyResult verdict = api::verifyAnswer(puzzle, wrong);
    std::printf("a wrong answer: %s (%s)\n", verdict.reason.c_str(), api::ruleName(verdict.rule));
    expect(!verdict.valid && !verdict.reason.empty(), "the wrong answer is invalid");

    const api::SolveReport solved = api::solve(puzzle);
    std::printf("the main program's verdict: %s\n", solved.verdict.c_str());
    expect(solved.result == api::SolverResult::FOUND, "the main program solves it");

    api::MakeOptions options;
    options.width = 7;
    options.height = 7;
    options.seed = 18;
    options.jobs = 1;
    const api::MakeResult made = api::make(options);
    expect(made.error.empty() && made.puzzles.size() == 1, "one puzzle is made");
    if (!made.puzzles.empty()) {
        std::printf("made: %s", api::writePuzzle(made.puzzles.front().puzzle, {}).text.c_str());
        expect(api::verifyAnswer(made.puzzles.front().puzzle, made.puzzles.front().answer).valid,
               "the made puzzle's answer is valid");
    }

    // A puzzle made for a difficulty, by name as `varnel make --difficulty` reads it.
    const api::DifficultyRange medium = api::readDifficulties("medium");
    options.lowestDifficulty = medium.lowest;
    options.highestDifficulty = medium.highest;
    const api::MakeResult madeMedium = api::make(options);
    expect(madeMedium.error.empty() && madeMedium.puzzles.size() == 1,
           "one puzzle of difficulty medium is made");
    if (!madeMedium.puzzles.empty()) {
        const api::MadePuzzle& m = madeMedium.puzzles.front();
        std::printf("made for a difficulty: %s (rating %.2f): %s", m.difficulty.name.c_str(),
                    m.difficulty.rating, api::writePuzzle(m.puzzle, {}).text.c_str());
        expect(m.difficulty.rank == 2, "it is medium");
        expect(api::gradeDifficulty(m.puzzle).rating == m.difficulty.rating,
               "its difficulty is the one gradeDifficulty gives");
    }

    // Errors come back as text, never as exceptions.
    const api::ReadResult bad = api::readPuzzles("3x3t0:4h", "<bad>");
    std::printf("a bad puzzle: %s\n", bad.error.c_str());
    expect(!bad.error.empty() && bad.puzzles.empty(), "a clue 4 is refused with its place");

    std::printf(failures == 0 ? "tour: all as expected\n" : "tour: %d unexpected\n", failures);
    return failures == 0 ? 0 : 1;
}
