#include "tests/fuzz/formats_input.h"

#include <algorithm>
#include <vector>

#include "solver/clue_grid.h"
#include "textio/game_id.h"
#include "textio/problem_input.h"
#include "textio/problem_writer.h"
#include "textio/puzz_link.h"

namespace varnel::fuzz {

namespace {

// Bytes of every line of text, its line end excluded; a text ending in '\n' has no empty last
// line, and an empty text has none.
std::vector<size_t> lineLengths(std::string_view text) {
    std::vector<size_t> lengths;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        lengths.push_back(end - start);
        start = end + 1;
    }
    return lengths;
}

std::string checkProblem(const InputProblem& p, int64_t lineCount) {
    if (!fitsSolverLabels(p.width, p.height)) return "a problem beyond the solver's labels";
    if (p.grid.size() != static_cast<size_t>(p.width) * static_cast<size_t>(p.height)) {
        return "a grid of the wrong size";
    }
    for (const uint8_t cell : p.grid) {
        if (cell > NO_CLUE) return "a cell above NO_CLUE";
    }
    if (p.level < 0 || p.level > 5) return "a level outside 0-5";
    if (p.line < 1 || p.line > lineCount) return "a problem's line outside the text";
    return {};
}

std::string checkDiagnostic(const InputDiagnostic& d, const std::vector<size_t>& lengths) {
    if (d.message.empty()) return "a diagnostic without message";
    // "no problem in this input" points at 1:1 even in an empty text.
    const size_t lineBytes = d.line >= 1 && d.line <= static_cast<int64_t>(lengths.size())
                                 ? lengths[static_cast<size_t>(d.line - 1)]
                                 : 0;
    if (d.line < 1 || d.line > std::max<int64_t>(1, static_cast<int64_t>(lengths.size()))) {
        return "a diagnostic's line outside the text";
    }
    if (d.column < 1 || d.column > static_cast<int64_t>(lineBytes) + 1) {
        return "a diagnostic's column outside its line";
    }
    return {};
}

bool sameProblem(const InputProblem& a, const InputProblem& b) {
    return a.width == b.width && a.height == b.height && a.grid == b.grid;
}

// Writes p in every form and reads each back, as a text and, for the URL and the ID, as an
// argument: the same problem, nothing reported.
std::string checkRoundTrips(const InputProblem& p) {
    std::string compact, grid, url, id;
    appendCompactLine(p.level == 0 ? 1 : p.level, p.grid, p.width, p.height, compact);
    appendGridRows(p.grid, p.width, p.height, grid);
    appendPuzzLinkUrl(p.grid, p.width, p.height, url);
    appendGameId(p.grid, p.width, p.height, id);
    const std::string texts[] = {compact, grid, url, id};
    for (const std::string& text : texts) {
        std::vector<InputProblem> problems;
        std::vector<InputDiagnostic> diagnostics;
        readInputText(text, "written", problems, diagnostics);
        if (!diagnostics.empty() || problems.size() != 1 || !sameProblem(problems[0], p)) {
            return "a written problem reads back otherwise: " + text.substr(0, 200);
        }
        if (&text == &texts[0] && problems[0].level != (p.level == 0 ? 1 : p.level)) {
            return "a compact line's level reads back otherwise";
        }
    }
    for (const std::string& literal : {url, id}) {
        std::vector<InputProblem> problems;
        std::vector<InputDiagnostic> diagnostics;
        readLiteralProblem(literal, problems, diagnostics);
        if (!diagnostics.empty() || problems.size() != 1 || !sameProblem(problems[0], p)) {
            return "a written URL or ID given as an argument reads back otherwise";
        }
    }
    return {};
}

}  // namespace

FormatsRun formatsFuzzInput(std::string_view bytes) {
    FormatsRun run;
    auto fail = [&run](std::string what) {
        if (run.violation.empty() && !what.empty()) run.violation = std::move(what);
    };

    const std::vector<size_t> lengths = lineLengths(bytes);
    std::vector<InputProblem> problems;
    std::vector<InputDiagnostic> diagnostics;
    readInputText(bytes, "fuzz", problems, diagnostics);
    run.problemsRead = static_cast<int32_t>(problems.size());
    if (diagnostics.size() > MAX_DIAGNOSTICS_PER_INPUT + 1) fail("too many diagnostics kept");
    std::vector<int64_t> errorLines;
    for (const InputDiagnostic& d : diagnostics) {
        if (d.source != "fuzz") fail("a diagnostic names another source");
        fail(checkDiagnostic(d, lengths));
        if (!d.warning) {
            ++run.errors;
            errorLines.push_back(d.line);
        }
    }
    if (problems.empty() && run.errors == 0) fail("an input gave neither a problem nor an error");
    int32_t roundTrips = 0;
    for (const InputProblem& p : problems) {
        if (p.source != "fuzz") fail("a problem names another source");
        fail(checkProblem(p, static_cast<int64_t>(lengths.size())));
        for (const int64_t line : errorLines) {
            if (line == p.line) fail("a problem read from a line with an error");
        }
        if (run.violation.empty() && roundTrips++ < MAX_ROUND_TRIPS) fail(checkRoundTrips(p));
    }

    // The same bytes as a command-line argument: one problem or at least one error.
    problems.clear();
    diagnostics.clear();
    readLiteralProblem(bytes, problems, diagnostics);
    run.literalRead = !problems.empty();
    int32_t literalErrors = 0;
    for (const InputDiagnostic& d : diagnostics) {
        if (d.line != 1 || d.column < 1 || d.column > static_cast<int64_t>(bytes.size()) + 1) {
            fail("a literal's diagnostic outside the argument");
        }
        literalErrors += d.warning ? 0 : 1;
    }
    if (problems.size() > 1) fail("one argument gave several problems");
    if (problems.size() == 1 && literalErrors != 0) fail("a literal read despite an error");
    if (problems.empty() && literalErrors == 0)
        fail("a literal gave neither a problem nor an error");
    for (const InputProblem& p : problems) {
        fail(checkProblem(p, 1));
        if (run.violation.empty()) fail(checkRoundTrips(p));
    }
    return run;
}

}  // namespace varnel::fuzz
