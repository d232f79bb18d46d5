// varnel_probe help, --help, -h: every command with its arguments, the meaning of every field it
// prints, and the exit statuses.

#include <cstdio>

#include "tools/probe_commands.h"

namespace varnel::probe {

namespace {

constexpr const char* HELP_INTRO =
    R"(varnel_probe: the solver's counters and the creator's raw outputs in plain line formats,
built from the same libraries as varnel_solver, so that they can be compared and measured.

)";

// After the usage lines.
constexpr const char* HELP_TEXT =
    R"(       varnel_probe help | --help | -h    (also COMMAND --help): this text

solve FILE [--work]
    Solves every problem of FILE (grid or compact form) in file order, exactly as
    `varnel_solver s FILE` does but without the diagram, and prints one line per problem:
      W=16 H=12 result=1 failed=0 answers=1 trials=3 scans=10 sets=1 sweepSets=29
    W, H       the problem's width and height in cells
    result     1 when the answer was found: one colour set left, so every cell is known
               inside or outside and the colouring is one loop that fits every clue
    failed     1 when the solve failed: the clues contradict themselves, or the branching
               step found no pair of sets it could decide (solve mode prints
               "failed to solve."); 0 otherwise
    answers    answers found, 0 or 1 (solve mode prints "found N answer(s)."); 0 with
               failed=0 means the solver stopped undecided, not that there is no answer
    trials     relations decided by search: one per trial-step deduction and one for the
               branching step's deduction, on the problem's own board
    scans      connectivity passes run by propagate on the problem's own board
    sets       colour sets left at the end; 1 when solved
    sweepSets  colour sets that one sweep of the local rules leaves on the freshly set-up
               problem (what the creator's score starts from)
    A problem too large for the solver prints "W=.. H=.. too-large" instead.

loop W H SEED COUNT
    Builds COUNT random loops in a row from one random source seeded with SEED, as the
    creator draws them, and prints each one's full clue grid: H lines of W digits, each the
    number of the cell's sides on the drawn boundary (0 to 4), then an empty line.
    W, H: multiples of 4 from 4 to 36; SEED: 0 to 4294967295; COUNT: 0 or more.

make CLASS SEED COUNT [--threads N] [--work]
    Makes COUNT problems of one size class in a row from one random source seeded with SEED,
    and prints one line per problem:
      3/12/16/..13.3..0.3....1/0.1.23...11120../ ... /221..0.0..1..3.0/ score=20
    line       the problem's compact line as create mode writes it: level/H/W/, then each
               row top first, '.' for no clue, each row closed by '/'
    score      the difficulty score from 0 to 49, which grows with the solver's work per
               cell; the level, the line's first number, is score / 10 + 1
    CLASS: 0 to 4, the sizes of c1 to c5 (16x12, 20x12, 24x16, 32x16, 36x20).
    --threads N: the candidate clues of each problem are judged on N threads (1 to 64,
    default 1); the problems, scores and draws are the same for every N.

thin FILE SEED MIN MAX [branch]
    Makes harder problems out of the problems of FILE: removes their clues one at a time in a
    random order (one source seeded with SEED for the whole file), keeping each removal while
    the solver still finds the answer with at most MAX trials, and stops at the first state
    that needs at least MIN trials (with `branch`: and the branching step too). Prints each
    such problem as a compact line on standard output, and on standard error one line per
    problem:
      thin: problem N: trials=17 scans=24 branched=1
    N          the problem's number in FILE, from 1
    trials     as in solve, for the problem printed
    scans      as in solve
    branched   1 when the solve loop got stuck and the branching step ran
    A problem that does not reach the goal is reported on standard error as
    "goal not reached" (with its trials) or "too large", and skipped.

bench [--quick] [FILE]
    A fixed workload that measures the program and pins its behaviour: problems of every
    size class made from fixed seeds as make does, the same problems solved back, and the
    hard problems of FILE (default: bench/data/hard_problems.txt) solved as solve does. Per
    phase (make class 0 to 4, solve made problems, solve hard file) it prints a line and the
    phase's work counts (as --work below):
      make class 0 (16x12 seed 1601) problems=2    time=   0.145 s  signature=c18235ae84b298b9
          work: setUps=341 sweeps=17068 cellsSwept=2330180 ...
    problems   problems made or solved in the phase
    time       wall time of the phase in seconds
    signature  the phase's behaviour signature: the 64-bit FNV-1a hash of exactly the lines
               that make and solve print for the same work, so a change means the program
               behaves differently, and it can be traced to the first line that differs
    then the whole run's time and work counts (total), and last the whole run's signature:
      bench signature: e1b68a4061badf87      (the quick workload's)
    --quick runs a small part of the workload in a fraction of a second.

--work (solve, make)
    After the output, one line on standard error with the solver's work counts:
      make work: setUps=154 sweeps=3864 cellsSwept=618462 cellsVisited=467126
                 ruleRelates=794150 propagateCalls=221 passes=1719 copies=3010
    (one line; "solve work:" after solve)
    setUps          boards set up
    sweeps          sweeps of the local rules
    cellsSwept      cells those sweeps cover
    cellsVisited    cells they visited (cells that no change reached since their last visit
                    recorded nothing are skipped)
    ruleRelates     relate calls made by the local rules
    propagateCalls  propagate calls
    passes          connectivity passes (scans)
    copies          board copies for the search and the clue judging
    They count every board and scratch copy, so they measure work, not behaviour.

Examples, run from the top of a checkout (the sample lines of solve, make, --work and
bench above are theirs):
  varnel_probe solve examples/needs_trials.txt
  varnel_probe make 0 1601 2 --work
  varnel_probe bench --quick

Exit status: 0 done; 1 a file could not be read or held invalid or too-large problems, or
the output could not be written; 2 a wrong call, with the usage on standard error.
)";

}  // namespace

int probeHelp() {
    std::fputs(HELP_INTRO, stdout);
    std::fputs(PROBE_USAGE, stdout);
    std::fputs(HELP_TEXT, stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace varnel::probe
