#include "companion/answers.h"

#include "checker/problem_check.h"

namespace varnel {

AnswerSearch findAnswers(const uint8_t* grid, int32_t width, int32_t height) {
    AnswerSearch search;
    CheckResult check = checkProblem(grid, width, height);
    search.answers = std::move(check.answers);
    switch (check.verdict) {
        case Verdict::UNIQUE:
            break;
        case Verdict::MULTIPLE:
            search.reason = "it has several answers";
            break;
        case Verdict::NONE:
            search.reason = "it has no answer";
            break;
    }
    return search;
}

}  // namespace varnel
