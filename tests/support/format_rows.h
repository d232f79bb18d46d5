#pragma once

// The golden format tables for the tests: tab-separated lines of tests/golden/formats, and the
// compact rows ("1.3/..0/") they give problems in.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "solver/clue_grid.h"
#include "tests/support/text_file.h"

namespace varnel::testing_support {

// A problem given as rows.
struct RowsProblem {
    int32_t width = 0;
    int32_t height = 0;
    ClueGrid grid;
};

// Rows such as "1.3/..0/": every '/' closes a row; '.' is NO_CLUE. The row lengths are checked,
// so a table with a broken row fails loudly instead of comparing nonsense.
inline RowsProblem parseRows(const std::string& rows) {
    RowsProblem problem;
    int32_t rowCells = 0;
    for (const char c : rows) {
        if (c == '/') {
            if (problem.height == 0) problem.width = rowCells;
            EXPECT_EQ(rowCells, problem.width) << rows;
            ++problem.height;
            rowCells = 0;
            continue;
        }
        EXPECT_TRUE(c == '.' || (c >= '0' && c <= '3')) << rows;
        problem.grid.push_back(c == '.' ? NO_CLUE : static_cast<uint8_t>(c - '0'));
        ++rowCells;
    }
    EXPECT_EQ(rowCells, 0) << rows;
    return problem;
}

// The fields of every line of a golden table but its '#' header.
inline std::vector<std::vector<std::string>> readGoldenTable(const char* name) {
    const std::string text =
        readTextFile(std::filesystem::path(VARNEL_TEST_DATA) / "golden" / "formats" / name);
    std::vector<std::vector<std::string>> table;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::istringstream cells(line);
        std::string field;
        while (std::getline(cells, field, '\t'))
            fields.push_back(field);
        table.push_back(fields);
    }
    return table;
}

}  // namespace varnel::testing_support
