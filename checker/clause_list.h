#pragma once

#include <cstdint>
#include <vector>

namespace varnel {

// Clauses as the encoding and the loop cuts write them and the SAT solver takes them: literals in
// the DIMACS manner (variable v true is v, false is -v), each clause closed by a 0.
struct ClauseList {
    std::vector<int32_t> literals;  // the clauses one after another, each closed by 0
    int32_t clauseCount = 0;        // clauses closed so far

    void add(int32_t literal) { literals.push_back(literal); }
    void close() {
        literals.push_back(0);
        ++clauseCount;
    }
    void clear() {
        literals.clear();
        clauseCount = 0;
    }
};

// The variable of cell i of a W x H problem (i = y * W + x): true when the cell is inside the loop.
// Variables start at 1, as 0 closes a clause.
inline int32_t cellVariable(int32_t cell) {
    return cell + 1;
}
inline int32_t cellOfVariable(int32_t variable) {
    return variable - 1;
}

}  // namespace varnel
