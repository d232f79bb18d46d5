// The grade as players feel it, against the nearest public anchor: the settings of Simon Tatham's
// Loopy, which are defined by the deductions a puzzle needs. tests/ladder/data holds 60 Loopy
// puzzles of each setting, 15 each of 7 x 7, 10 x 10, 15 x 15 and 20 x 20, from seeds the ladder
// was not tuned on.

#include "ladder/difficulty.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "ladder/techniques.h"
#include "tests/support/text_file.h"
#include "textio/problem_input.h"

namespace varnel {
namespace {

struct Rated {
    int setting;  // 1 Easy, 2 Normal, 3 Tricky, 4 Hard
    int size;     // the board's width
    Difficulty difficulty;
};

std::vector<Rated> ratedLoopyPuzzles() {
    std::vector<Rated> rated;
    const char* const settings[] = {"easy", "normal", "tricky", "hard"};
    for (int s = 0; s < 4; ++s) {
        const std::string name = std::string("ladder/data/loopy_") + settings[s] + ".txt";
        std::vector<InputProblem> problems;
        std::vector<InputDiagnostic> diagnostics;
        readInputText(testing_support::readTextFile(std::string(VARNEL_TEST_DATA) + "/" + name),
                      name, problems, diagnostics);
        EXPECT_EQ(problems.size(), 60u) << name;
        for (const InputProblem& p : problems)
            rated.push_back({s + 1, p.width, gradeDifficulty(p.grid.data(), p.width, p.height)});
    }
    return rated;
}

// Average ranks, ties sharing theirs.
std::vector<double> ranksOf(const std::vector<double>& values) {
    std::vector<size_t> order(values.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return values[a] < values[b]; });
    std::vector<double> ranks(values.size());
    for (size_t i = 0; i < order.size();) {
        size_t j = i;
        while (j + 1 < order.size() && values[order[j + 1]] == values[order[i]])
            ++j;
        for (size_t k = i; k <= j; ++k)
            ranks[order[k]] = (i + j) / 2.0;
        i = j + 1;
    }
    return ranks;
}

double spearman(const std::vector<double>& a, const std::vector<double>& b) {
    const std::vector<double> ra = ranksOf(a);
    const std::vector<double> rb = ranksOf(b);
    const double n = static_cast<double>(a.size());
    double ma = 0, mb = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        ma += ra[i] / n;
        mb += rb[i] / n;
    }
    double cov = 0, va = 0, vb = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        cov += (ra[i] - ma) * (rb[i] - mb);
        va += (ra[i] - ma) * (ra[i] - ma);
        vb += (rb[i] - mb) * (rb[i] - mb);
    }
    return cov / std::sqrt(va * vb);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

TEST(Difficulty, FollowsLoopysSettingsAtEverySize) {
    const std::vector<Rated> rated = ratedLoopyPuzzles();
    std::vector<double> settings;
    std::vector<double> ratings;
    std::map<int, std::map<int, std::vector<double>>> ranks;      // size, setting
    std::map<int, std::map<int, std::vector<double>>> ratingsBy;  // size, setting
    for (const Rated& r : rated) {
        ASSERT_EQ(r.difficulty.end, DifficultyEnd::RATED);
        EXPECT_GE(r.difficulty.rating, r.difficulty.rank);
        EXPECT_LT(r.difficulty.rating, r.difficulty.rank + 1);
        settings.push_back(r.setting);
        ratings.push_back(r.difficulty.rating);
        ranks[r.size][r.setting].push_back(r.difficulty.rank);
        ratingsBy[r.size][r.setting].push_back(r.difficulty.rating);
    }
    EXPECT_GE(spearman(settings, ratings), 0.85);
    // Easy, Normal, Tricky and Hard are easy, medium, hard and hard at every size.
    const double expected[5] = {0, 1, 2, 3, 3};
    for (auto& [size, bySetting] : ranks) {
        for (int setting = 1; setting <= 4; ++setting)
            EXPECT_EQ(median(bySetting[setting]), expected[setting]) << size << "x" << size;
        // Every Easy puzzle is rated below every Hard one of its size.
        for (const double easy : ratingsBy[size][1]) {
            for (const double hard : ratingsBy[size][4])
                EXPECT_LT(easy, hard) << size;
        }
    }
}

// The rating counts shares of steps, not steps: a mix of techniques rates the same on any board.
TEST(Difficulty, RatingDependsOnTheMixNotOnTheBoardsSize) {
    LadderRun small;
    LadderRun large;
    const uint8_t grid[1] = {NO_CLUE};
    startLadder(small, grid, 1, 1, RecordMode::COUNTS);
    startLadder(large, grid, 1, 1, RecordMode::COUNTS);
    const auto techniques = ladderTechniques();
    for (size_t t = 0; t < techniques.size(); ++t) {
        if (techniques[t].rank > RANK_HARD) continue;
        small.counts[t] = static_cast<int32_t>(t % 3 + 1);
        large.counts[t] = 7 * small.counts[t];
    }
    const Difficulty a = difficultyOf(small, LadderEnd::SOLVED);
    const Difficulty b = difficultyOf(large, LadderEnd::SOLVED);
    EXPECT_EQ(a.rank, RANK_HARD);
    EXPECT_EQ(a.rating, b.rating);
    // Trials: a longer chain rates higher within the rank.
    const int trial = static_cast<int>(techniques.size()) - 2;
    small.counts[trial] = 2;
    small.trialChains = {3, 3};
    const Difficulty shortChains = difficultyOf(small, LadderEnd::SOLVED);
    small.trialChains = {30, 30};
    const Difficulty longChains = difficultyOf(small, LadderEnd::SOLVED);
    EXPECT_EQ(shortChains.rank, RANK_EXPERT);
    EXPECT_LT(shortChains.rating, longChains.rating);
    EXPECT_EQ(difficultyOf(small, LadderEnd::STUCK).end, DifficultyEnd::STUCK);
    EXPECT_EQ(std::string(difficultyName(difficultyOf(small, LadderEnd::STUCK))), "unfinished");
}

}  // namespace
}  // namespace varnel
