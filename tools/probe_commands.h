#pragma once

// Commands of varnel_probe. Each takes the arguments after the command word and returns the
// process exit status.
namespace varnel::probe {

// The usage lines of every command: printed for a wrong call, and at the head of the help.
inline constexpr const char* PROBE_USAGE =
    "usage: varnel_probe solve FILE [--work]\n"
    "       varnel_probe loop W H SEED COUNT\n"
    "       varnel_probe make CLASS SEED COUNT [--threads N] [--work]\n"
    "       varnel_probe thin FILE SEED MIN MAX [branch]\n"
    "       varnel_probe bench [--quick] [FILE]\n";

// solve FILE: one line of counters per problem of FILE.
int probeSolve(int argc, char** argv);

// loop W H SEED COUNT: the full clue grids of COUNT loops built in a row from SEED.
int probeLoop(int argc, char** argv);

// make CLASS SEED COUNT [--threads N]: COUNT problems of one size class made in a row from SEED,
// with scores; the candidate clues judged on N threads.
int probeMake(int argc, char** argv);

// thin FILE SEED MIN MAX [branch]: removes clues of each problem of FILE at random while the
// solver still solves it, until it needs MIN to MAX trial deductions (and the branching step).
int probeThin(int argc, char** argv);

// bench [--quick] [FILE]: a fixed workload of making and solving, with its times, work counts
// and behaviour signature.
int probeBench(int argc, char** argv);

// help: every command, its arguments and the meaning of every field it prints, on standard
// output.
int probeHelp();

}  // namespace varnel::probe
