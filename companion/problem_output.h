#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "textio/svg_drawing.h"
#include "varnel/puzzle.h"
#include "varnel/write.h"

namespace CLI {
class App;
}

namespace varnel {

// How the subcommands that write problems write them: the forms of --to, the options of the
// pictures and the output target, shared so that every such subcommand offers the same forms.

// The forms of --to are the library's, which writes each of them.
using OutputForm = api::Form;

struct OutputOptions {
    std::string formName = "compact";       // as given to --to
    OutputForm form = OutputForm::COMPACT;  // from formName (checkOutputOptions)
    bool answer = false;                    // ascii, svg: draw the loop of a unique problem
    bool bothAnswers = false;  // ascii, svg: also draw a problem with several answers with two
    bool sheet = false;        // svg: A4 pages instead of one picture per problem
    int32_t perPage = SHEET_PROBLEMS;  // svg sheets: problems per page, 1..12
    int32_t defaultLevel = 0;     // 1..5: the level of problems that carry none; 0: their grade
    std::string output;           // empty: standard output
    bool outputIsFolder = false;  // output names a folder: one file per document
    uint64_t firstNumber = 1;     // number of the first problem in svg titles and file names
};

// Declares --to, --answer, --sheet, --per-page, --default-level and -o on command.
void addOutputOptions(CLI::App& command, OutputOptions& options);

// Checks the combinations CLI11 cannot express and works out form and outputIsFolder. Throws
// CLI::ValidationError, so it belongs in the subcommand's parse callback, where the error is
// reported like any usage error.
void checkOutputOptions(OutputOptions& options, const CLI::App& command);

// The --help paragraphs on the forms and the output target, for a subcommand's footer.
extern const char* const OUTPUT_HELP;

// True when the chosen target can hold the documents that problemCount problems make in the chosen
// form; otherwise says so on standard error, naming the command as label (writePuzzles then
// returns STATUS_USAGE). Lets a subcommand refuse before it does long work.
bool targetHoldsDocuments(const OutputOptions& options, size_t problemCount, const char* label);

// Writes puzzles in the chosen form to the chosen target, working out what the form shows: the
// level of a puzzle that carries none (compact lines, svg titles), the answer (--answer, with a
// warning for a puzzle without exactly one), the titles of the pictures; the library writes
// each. A progress line named label shows on a terminal while that takes long. Returns
// STATUS_DONE; STATUS_USAGE when the form makes several documents and the target holds one
// (nothing is written); STATUS_FAILED when a document could not be made or written (reported,
// nothing half-written left).
int writePuzzles(const OutputOptions& options, const std::vector<api::Puzzle>& puzzles,
                 const char* label);

}  // namespace varnel
