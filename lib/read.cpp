#include "varnel/read.h"

#include <utility>

#include "lib/records.h"
#include "textio/problem_input.h"

namespace varnel::api {

namespace {

ReadResult resultOf(std::vector<InputProblem>& problems,
                    const std::vector<InputDiagnostic>& diagnostics) {
    ReadResult result;
    result.puzzles.reserve(problems.size());
    for (InputProblem& problem : problems)
        result.puzzles.push_back(puzzleOf(std::move(problem)));
    result.diagnostics.reserve(diagnostics.size());
    for (const InputDiagnostic& d : diagnostics)
        result.diagnostics.push_back(diagnosticOf(d));
    result.error = errorText(diagnostics);
    return result;
}

}  // namespace

std::string formatDiagnostic(const Diagnostic& diagnostic) {
    return varnel::formatDiagnostic({diagnostic.source, diagnostic.line, diagnostic.column,
                                     diagnostic.warning, diagnostic.message});
}

ReadResult readPuzzles(std::string_view text, const std::string& source) {
    std::vector<InputProblem> problems;
    std::vector<InputDiagnostic> diagnostics;
    readInputText(text, source, problems, diagnostics);
    return resultOf(problems, diagnostics);
}

ReadResult readPuzzleArgument(std::string_view argument) {
    std::vector<InputProblem> problems;
    std::vector<InputDiagnostic> diagnostics;
    readLiteralProblem(argument, problems, diagnostics);
    return resultOf(problems, diagnostics);
}

bool looksLikePuzzleArgument(std::string_view argument) {
    return looksLikeLiteralProblem(argument);
}

}  // namespace varnel::api
