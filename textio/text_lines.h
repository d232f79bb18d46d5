#pragma once

// What the readers of drawings and answers share: an input text cut into lines, and the
// positioned messages about them, capped so that a hostile input cannot flood the output.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "textio/problem_input.h"

namespace varnel {

// One line of an input text, without its line end ("\n", or "\r\n").
struct TextLine {
    std::string_view text;  // the line's bytes
    int64_t number = 0;     // 1-based
};

// The lines of text, in order. A text ending with a line end has no empty last line.
inline std::vector<TextLine> splitLines(std::string_view text) {
    std::vector<TextLine> lines;
    size_t pos = 0;
    int64_t number = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back({line, ++number});
        pos = end + 1;
    }
    return lines;
}

inline bool isBlankByte(char c) {
    return c == ' ' || c == '\t';
}

// text without the spaces and tabs at its end.
inline std::string_view trimmedEnd(std::string_view text) {
    while (!text.empty() && isBlankByte(text.back()))
        text.remove_suffix(1);
    return text;
}

// True when text holds nothing but spaces and tabs.
inline bool isBlankLine(std::string_view text) {
    return trimmedEnd(text).empty();
}

// The lines from the first that is not blank to the last that is not: [first, end), empty when
// every line is blank.
struct LineSpan {
    size_t first = 0;
    size_t end = 0;
};

inline LineSpan nonBlankSpan(const std::vector<TextLine>& lines) {
    LineSpan span{0, lines.size()};
    while (span.first < span.end && isBlankLine(lines[span.first].text))
        ++span.first;
    while (span.end > span.first && isBlankLine(lines[span.end - 1].text))
        --span.end;
    return span;
}

// The errors of one input, at most MAX_DIAGNOSTICS_PER_INPUT of them; one more line then says
// that the rest were left out.
struct ErrorList {
    const std::string& source;                  // names the input
    std::vector<InputDiagnostic>& diagnostics;  // where the messages go
    int64_t count = 0;                          // errors reported, kept or not

    void add(int64_t line, int64_t column, std::string message) {
        if (++count <= static_cast<int64_t>(MAX_DIAGNOSTICS_PER_INPUT)) {
            diagnostics.push_back({source, line, column, false, std::move(message)});
        } else if (count == static_cast<int64_t>(MAX_DIAGNOSTICS_PER_INPUT) + 1) {
            diagnostics.push_back(
                {source, line, column, false, "more errors in this input not shown"});
        }
    }

    // True when any error was reported.
    bool any() const { return count > 0; }
};

}  // namespace varnel
