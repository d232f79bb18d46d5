#include "textio/problem_input.h"

#include <utility>

#include "textio/compact_line.h"
#include "textio/game_id.h"
#include "textio/line_problem.h"
#include "textio/problem_reader.h"
#include "textio/puzz_link.h"

namespace varnel {

namespace {

constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";
constexpr size_t LITERAL_SOURCE_LIMIT = 80;

// Collects the diagnostics of one input in text order, keeping at most
// MAX_DIAGNOSTICS_PER_INPUT; finish() adds one line for those left out.
struct DiagnosticSink {
    const std::string& source;
    std::vector<InputDiagnostic>& diagnostics;
    size_t kept = 0;
    int64_t leftOut = 0;  // diagnostics not kept
    // Where the summary goes: the first left-out error's line, else the first left-out
    // warning's, so that an error never points at a line whose problem was read.
    int64_t summaryLine = 0;
    bool leftOutError = false;  // an error was left out

    void add(int64_t line, int64_t column, bool warning, std::string message) {
        if (kept < MAX_DIAGNOSTICS_PER_INPUT) {
            diagnostics.push_back({source, line, column, warning, std::move(message)});
            ++kept;
            return;
        }
        if (leftOut++ == 0 || (!warning && !leftOutError)) summaryLine = line;
        leftOutError = leftOutError || !warning;
    }

    void finish() {
        if (leftOut == 0) return;
        diagnostics.push_back({source, summaryLine, 1, !leftOutError,
                               std::to_string(leftOut) + " more " +
                                   (leftOutError ? "errors or warnings" : "warnings") +
                                   " in this input not shown"});
    }
};

// What a line holds, from its first characters; decoding it says whether it holds it well.
enum class LineKind : uint8_t {
    BLANK,     // nothing but spaces and tabs
    COMMENT,   // '#' as the first non-blank character
    URL,       // '?' or "://" anywhere
    COMPACT,   // '/' anywhere (and no URL)
    GAME_ID,   // digits then 'x', or ':' anywhere (and none of the above)
    GRID_ROW,  // anything else
};

LineKind classify(std::string_view trimmed) {
    if (trimmed.empty()) return LineKind::BLANK;
    if (trimmed[0] == '#') return LineKind::COMMENT;
    if (looksLikePuzzLinkUrl(trimmed)) return LineKind::URL;
    if (trimmed.find('/') != std::string_view::npos) return LineKind::COMPACT;
    if (looksLikeGameId(trimmed) || trimmed.find(':') != std::string_view::npos) {
        return LineKind::GAME_ID;
    }
    return LineKind::GRID_ROW;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// One line of an input without its line end, leading and trailing spaces and tabs (and the
// byte-order mark on line 1) cut off; column numbers still count from the line's first byte.
struct TextLine {
    std::string_view trimmed;
    int64_t number = 0;     // 1-based
    int64_t firstByte = 0;  // column - 1 of trimmed's first byte
};

// Splits text into lines one at a time. A CR right before a line's end belongs to the line end.
struct LineSplitter {
    std::string_view text;
    size_t pos = 0;
    int64_t number = 0;

    bool next(TextLine& line) {
        if (pos >= text.size()) return false;
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view raw = text.substr(pos, end - pos);
        pos = end + 1;
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        size_t first = 0;
        if (number == 1 && raw.substr(0, BYTE_ORDER_MARK.size()) == BYTE_ORDER_MARK) {
            first = BYTE_ORDER_MARK.size();
        }
        while (first < raw.size() && isBlank(raw[first]))
            ++first;
        size_t last = raw.size();
        while (last > first && isBlank(raw[last - 1]))
            --last;
        line = {raw.substr(first, last - first), number, static_cast<int64_t>(first)};
        return true;
    }
};

bool isCell(char c) {
    return c == '.' || (c >= '0' && c <= '3');
}

// True when a line holds nothing but cells, spaces and tabs.
bool onlyCells(std::string_view line) {
    for (const char c : line) {
        if (!isCell(c) && !isBlank(c)) return false;
    }
    return true;
}

std::string notACell(char c) {
    if (c >= '4' && c <= '9') {
        // Appended piece by piece: GCC 12 warns falsely (-Wstringop-overread) about
        // std::string("'") + c once link-time optimisation inlines it.
        std::string message = "'";
        message += c;
        message += "' is not a clue (clues are 0 to 3)";
        return message;
    }
    return describeByte(c) + " is not a cell ('.' or a clue 0 to 3)";
}

// Decodes a line of a one-line form of the given kind (URL, COMPACT or GAME_ID).
bool decodeOneLine(std::string_view trimmed, LineKind kind, LineProblem& problem,
                   std::vector<LineIssue>& issues) {
    if (kind == LineKind::URL) return decodePuzzLinkUrl(trimmed, problem, issues);
    if (kind == LineKind::COMPACT) return decodeCompactLine(trimmed, problem, issues);
    return decodeGameId(trimmed, problem, issues);
}

// Decodes a line of a one-line form and reports its issues. True when it gave a problem.
bool decodeLine(const TextLine& line, LineKind kind, LineProblem& problem, DiagnosticSink& sink) {
    std::vector<LineIssue> issues;
    const bool accepted = decodeOneLine(line.trimmed, kind, problem, issues);
    for (LineIssue& issue : issues) {
        sink.add(line.number, line.firstByte + static_cast<int64_t>(issue.offset) + 1,
                 issue.warning, std::move(issue.message));
    }
    return accepted;
}

void handOver(const std::string& source, int64_t line, LineProblem& problem,
              std::vector<InputProblem>& problems) {
    problems.push_back(
        {source, line, problem.width, problem.height, problem.level, std::move(problem.grid)});
}

// Where the main program would misread a text of compact lines only, which this reader takes
// whole: line 1 when it reads the text as a grid (readAsGrid: the text does not start with a
// level and '/'), else the first comment line (its '#' ends up in the next header, which then
// reads wrongly). 0 when the main program reads the text as this reader does, or when the text
// holds URLs or game IDs, which it cannot read at all.
int64_t mainProgramMisreadLine(std::string_view text, bool readAsGrid) {
    // Without a '#' there is no comment line to misread.
    if (!readAsGrid && text.find('#') == std::string_view::npos) return 0;
    LineSplitter lines{text};
    TextLine line;
    int64_t firstComment = 0;
    while (lines.next(line)) {
        const LineKind kind = classify(line.trimmed);
        if (kind == LineKind::COMMENT && firstComment == 0) firstComment = line.number;
        if (kind != LineKind::BLANK && kind != LineKind::COMMENT && kind != LineKind::COMPACT) {
            return 0;
        }
    }
    return readAsGrid ? 1 : firstComment;
}

// The line form: every problem line decoded on its own. badFirstLine rejects line 1's problem
// (it carried a byte-order mark, already reported).
void readLineForm(std::string_view text, const std::string& source, bool badFirstLine,
                  std::vector<InputProblem>& problems, DiagnosticSink& sink) {
    const bool readAsGrid = detectForm(text) == TextForm::GRID;
    const int64_t misreadLine = mainProgramMisreadLine(text, readAsGrid);
    if (misreadLine == 1 && readAsGrid && !badFirstLine) {
        sink.add(1, 1, true,
                 "the main program would read this file as a grid: it does not start with a "
                 "compact line's level and '/'");
    }
    LineSplitter lines{text};
    TextLine line;
    LineProblem problem;
    while (lines.next(line)) {
        const LineKind kind = classify(line.trimmed);
        if (kind == LineKind::COMMENT && line.number == misreadLine && !readAsGrid) {
            sink.add(line.number, line.firstByte + 1, true,
                     "a comment among compact lines: the main program would read it as part of "
                     "the next problem's header");
        }
        if (kind == LineKind::BLANK || kind == LineKind::COMMENT) continue;
        if (kind == LineKind::GRID_ROW) {
            sink.add(line.number, line.firstByte + 1, false,
                     onlyCells(line.trimmed)
                         ? "a grid row among one-line problems: a grid needs an input of its own"
                         : "not a compact line, puzz.link URL or game ID");
            continue;
        }
        if (decodeLine(line, kind, problem, sink) && !(badFirstLine && line.number == 1)) {
            handOver(source, line.number, problem, problems);
        }
    }
}

// The grid form: one problem, every row checked against the first good one.
struct GridScan {
    int64_t width = -1;        // cells of the first row without a bad character; -1 before it
    int64_t rows = 0;          // rows seen, bad ones included
    int64_t firstRowLine = 0;  // where the grid starts
    int64_t firstRowColumn = 0;
    bool blankAfterRows = false;  // a blank line came after the last row
    bool failed = false;          // an error was reported
    bool lengthReported = false;  // a row of another length was reported; later ones are not
    ClueGrid cells;               // every cell, until there are more than any board can hold
};

// Scans one grid row; reports its first fault.
void scanGridRow(const TextLine& line, GridScan& grid, DiagnosticSink& sink) {
    int64_t count = 0;
    int64_t excessColumn = 0;  // column of the first cell past the reference width
    int64_t endColumn = line.firstByte + 1;
    for (size_t i = 0; i < line.trimmed.size(); ++i) {
        const char c = line.trimmed[i];
        const int64_t column = line.firstByte + static_cast<int64_t>(i) + 1;
        if (isBlank(c)) continue;
        if (c == '#') {
            sink.add(line.number, column, false,
                     "a comment after cells on the same line (the main program joins this row "
                     "to the next one)");
            grid.failed = true;
            return;
        }
        if (!isCell(c)) {
            sink.add(line.number, column, false, notACell(c));
            grid.failed = true;
            return;
        }
        if (count == grid.width) excessColumn = column;
        if (grid.cells.size() <= static_cast<size_t>(MAX_PADDED_CELLS)) {
            grid.cells.push_back(c == '.' ? NO_CLUE : static_cast<uint8_t>(c - '0'));
        }
        ++count;
        endColumn = column + 1;
    }
    if (grid.width < 0) {
        grid.width = count;
        return;
    }
    if (count == grid.width || grid.lengthReported) return;
    grid.lengthReported = true;
    sink.add(
        line.number, count > grid.width ? excessColumn : endColumn, false,
        "a row of " + std::to_string(count) + " cells after rows of " + std::to_string(grid.width));
    grid.failed = true;
}

void readGridForm(std::string_view text, const std::string& source, bool failed,
                  std::vector<InputProblem>& problems, DiagnosticSink& sink) {
    GridScan grid;
    grid.failed = failed;
    LineProblem ignoredProblem;
    std::vector<LineIssue> ignoredIssues;
    LineSplitter lines{text};
    TextLine line;
    while (lines.next(line)) {
        const LineKind kind = classify(line.trimmed);
        if (kind == LineKind::COMMENT) continue;
        if (kind == LineKind::BLANK) {
            grid.blankAfterRows = grid.rows > 0;
            continue;
        }
        if (grid.blankAfterRows) {
            sink.add(line.number, line.firstByte + 1, false,
                     "a second grid after a blank line: the grid form holds one problem");
            grid.failed = true;
            break;
        }
        if (grid.rows++ == 0) {
            grid.firstRowLine = line.number;
            grid.firstRowColumn = line.firstByte + 1;
        }
        // A well-formed one-line problem is named as such; anything else is a row with a
        // character that is not a cell.
        ignoredIssues.clear();
        if (kind != LineKind::GRID_ROW &&
            decodeOneLine(line.trimmed, kind, ignoredProblem, ignoredIssues)) {
            sink.add(line.number, line.firstByte + 1, false,
                     "a compact line, URL or game ID in a grid: the grid form holds one problem "
                     "drawn as rows");
            grid.failed = true;
            continue;
        }
        scanGridRow(line, grid, sink);
    }
    if (grid.failed) return;
    if (!fitsSolverLabels(grid.width, grid.rows)) {
        sink.add(grid.firstRowLine, grid.firstRowColumn, false,
                 overLabelLimitMessage(std::to_string(grid.width), std::to_string(grid.rows)));
        return;
    }
    problems.push_back({source, grid.firstRowLine, static_cast<int32_t>(grid.width),
                        static_cast<int32_t>(grid.rows), 0, std::move(grid.cells)});
}

// The first line that holds something decides the form; BLANK when there is none.
LineKind firstContentKind(std::string_view text) {
    LineSplitter lines{text};
    TextLine line;
    while (lines.next(line)) {
        const LineKind kind = classify(line.trimmed);
        if (kind != LineKind::BLANK && kind != LineKind::COMMENT) return kind;
    }
    return LineKind::BLANK;
}

// A literal argument as shown in messages: cut when long, control bytes shown as '?'.
std::string literalSource(std::string_view argument) {
    std::string shown = printableText(std::string(argument.substr(0, LITERAL_SOURCE_LIMIT)));
    if (argument.size() > LITERAL_SOURCE_LIMIT) shown += "...";
    return shown;
}

}  // namespace

std::string formatDiagnostic(const InputDiagnostic& diagnostic) {
    return diagnostic.source + ':' + std::to_string(diagnostic.line) + ':' +
           std::to_string(diagnostic.column) + ": " + (diagnostic.warning ? "warning: " : "") +
           diagnostic.message;
}

void readInputText(std::string_view text, const std::string& source,
                   std::vector<InputProblem>& problems, std::vector<InputDiagnostic>& diagnostics) {
    const std::string name = source == "-" ? "<stdin>" : source;
    DiagnosticSink sink{name, diagnostics};
    const bool byteOrderMark = text.substr(0, BYTE_ORDER_MARK.size()) == BYTE_ORDER_MARK;
    if (byteOrderMark) {
        sink.add(1, 1, false,
                 "a byte-order mark: save the input without one (the main program would read "
                 "it as part of the first line)");
    }
    const LineKind kind = firstContentKind(text);
    if (kind == LineKind::BLANK) {
        sink.add(1, 1, false, "no problem in this input");
    } else if (kind == LineKind::GRID_ROW) {
        readGridForm(text, name, byteOrderMark, problems, sink);
    } else {
        readLineForm(text, name, byteOrderMark, problems, sink);
    }
    sink.finish();
}

bool looksLikeLiteralProblem(std::string_view argument) {
    if (looksLikePuzzLinkUrl(argument)) return true;
    return looksLikeGameId(argument) && argument.find_first_of(":#") != std::string_view::npos;
}

void readLiteralProblem(std::string_view argument, std::vector<InputProblem>& problems,
                        std::vector<InputDiagnostic>& diagnostics) {
    auto isSpace = [](char c) { return isBlank(c) || c == '\r' || c == '\n'; };
    size_t first = 0;
    while (first < argument.size() && isSpace(argument[first]))
        ++first;
    size_t last = argument.size();
    while (last > first && isSpace(argument[last - 1]))
        --last;
    const std::string source = literalSource(argument.substr(0, last));
    DiagnosticSink sink{source, diagnostics};
    const TextLine line{argument.substr(first, last - first), 1, static_cast<int64_t>(first)};

    LineKind kind = LineKind::GRID_ROW;  // anything that is neither a URL nor a game ID
    if (looksLikePuzzLinkUrl(line.trimmed)) {
        kind = LineKind::URL;
    } else if (looksLikeGameId(line.trimmed)) {
        kind = LineKind::GAME_ID;
    }
    LineProblem problem;
    if (kind == LineKind::GRID_ROW) {
        sink.add(1, line.firstByte + 1, false, "not a puzz.link URL or game ID");
    } else if (decodeLine(line, kind, problem, sink)) {
        handOver(source, 1, problem, problems);
    }
    sink.finish();
}

}  // namespace varnel
