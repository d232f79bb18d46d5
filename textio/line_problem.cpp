#include "textio/line_problem.h"

#include <utility>

namespace varnel {

std::string describeByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == ' ') return "a space";
    if (byte == '\t') return "a tab";
    if (byte == 0) return "a NUL byte";
    if (byte == '\r') return "a carriage return";
    if (byte > ' ' && byte < 0x7F) return std::string("'") + c + "'";
    static constexpr char HEX[] = "0123456789ABCDEF";
    return std::string("byte 0x") + HEX[byte >> 4] + HEX[byte & 0xF];
}

void addIssue(std::vector<LineIssue>& issues, size_t offset, std::string message, bool warning) {
    issues.push_back({offset, warning, std::move(message)});
}

void reportExpected(std::string_view text, size_t pos, const char* what,
                    std::vector<LineIssue>& issues) {
    std::string message = std::string("expected ") + what;
    message += pos < text.size() ? ", found " + describeByte(text[pos]) : " at the end";
    addIssue(issues, pos, std::move(message));
}

bool readSizeNumber(std::string_view text, size_t& pos, const char* name, SizeNumber& number,
                    std::vector<LineIssue>& issues) {
    number.offset = pos;
    size_t at = pos;
    const bool negative = at < text.size() && text[at] == '-';
    if (negative) ++at;
    const size_t firstDigit = at;
    int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > SIZE_VALUE_CAP) value = SIZE_VALUE_CAP;
    }
    if (at == firstDigit) {
        reportExpected(text, pos, name, issues);
        return false;
    }
    pos = at;
    number.digits = text.substr(number.offset, at - number.offset);
    number.value = negative ? -value : value;
    if (number.value >= 1) return true;
    addIssue(issues, number.offset,
             std::string(name) + " must be at least 1, not " + shownNumber(number.digits));
    return false;
}

std::string shownNumber(std::string_view digits) {
    if (digits.size() <= LONGEST_SHOWN_NUMBER) return std::string(digits);
    std::string shown;
    shown.reserve(LONGEST_SHOWN_NUMBER + 3);
    shown.append(digits.data(), LONGEST_SHOWN_NUMBER);
    shown.append("...");
    return shown;
}

std::string printableText(std::string text) {
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < ' ' || byte == 0x7F) c = '?';
    }
    return text;
}

std::string overLabelLimitMessage(std::string_view width, std::string_view height) {
    return "a " + shownNumber(width) + " x " + shownNumber(height) +
           " board is beyond the solver's limit: (columns + 2) x (rows + 2) may be at most " +
           std::to_string(MAX_PADDED_CELLS);
}

bool checkBoardFits(const SizeNumber& width, const SizeNumber& height, size_t offset,
                    std::vector<LineIssue>& issues) {
    if (fitsSolverLabels(width.value, height.value)) return true;
    addIssue(issues, offset, overLabelLimitMessage(width.digits, height.digits));
    return false;
}

}  // namespace varnel
