// Whole-program tests of create mode on hostile output places: a name already taken, a file-size
// limit that stops the writing half-way, a folder without write permission. The program must
// never overwrite a file, must say what failed, exit with status 1 and leave no partial file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/output_files.h"
#include "tests/support/run_command.h"
#include "tests/support/text_file.h"
#include "textio/problem_reader.h"

namespace {

using varnel::testing_support::readTextFile;

namespace fs = std::filesystem;

const std::string SOLVER = VARNEL_SOLVER_BINARY;
const std::string HEADER = "creating problems...\n+----------------------------+\n";
const std::string MARKS(30, 'o');

// The name that a run started now gives to output file number n of the given kind: "size" and
// 1 for c1, a difficulty name and 0 for c.
std::string todayName(int n, const char* kind, int32_t number) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char name[256];
    varnel::formatOutputName(name, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, n, kind,
                             number);
    return name;
}

std::string todaySize1Name(int n) {
    return todayName(n, "size", 1);
}

// The .dat files in dir, by name.
std::vector<std::string> outputFiles(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".dat") names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct ProgramRun {
    int status = -1;  // exit status, or -1 when the program was killed
    std::string out;  // standard output with the varying text of the elapsed-time line removed
};

// A scratch directory per test, removed afterwards.
class CreateMode : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("varnel_create_" + std::to_string(getpid()) + "_" + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs "varnel_solver c1" (or the arguments in command, with any redirection) in workDir
    // through sh, after the shell commands in prefix (such as a ulimit); standard output arrives
    // through a pipe, which no file-size limit touches.
    static ProgramRun runC1(const fs::path& workDir, const std::string& prefix = "",
                            const std::string& command = "c1 2>&1") {
        ProgramRun result;
        const std::string text = varnel::testing_support::runCommand(
            prefix + "cd '" + workDir.string() + "' && exec '" + SOLVER + "' " + command,
            &result.status);
        static const std::regex finished("finished\\. time = [0-9]+\\.[0-9]{3} sec\n$");
        std::smatch match;
        EXPECT_TRUE(std::regex_search(text, match, finished)) << "no elapsed-time line:\n" << text;
        result.out = match.empty() ? text : text.substr(0, static_cast<size_t>(match.position(0)));
        return result;
    }

    fs::path dir;
};

TEST_F(CreateMode, TakenNameIsKeptAndTheRunTakesTheNextNumber) {
    const std::string taken = todaySize1Name(1);
    std::ofstream(dir / taken, std::ios::binary) << "keep me\n";
    const ProgramRun result = runC1(dir);
    if (todaySize1Name(1) != taken) GTEST_SKIP() << "the date changed during the run";

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, HEADER + MARKS + "\n");
    EXPECT_EQ(readTextFile(dir / taken), "keep me\n");
    const std::vector<std::string> expected = {taken, todaySize1Name(2)};
    ASSERT_EQ(outputFiles(dir), expected);
    int problems = 0;
    const varnel::ReadOutcome outcome =
        varnel::readProblems(readTextFile(dir / expected[1]),
                             [&](const varnel::ClueGrid&, int32_t, int32_t) { ++problems; });
    EXPECT_EQ(outcome, varnel::ReadOutcome::COMPLETE);
    EXPECT_EQ(problems, 30);
}

// A c1 file is about 6 kB; a limit of 4 blocks (2 kB under dash, 4 kB under bash) stops it
// half-way. The program must not die of SIGXFSZ: it reports the file on a line of its own,
// removes it and fails.
TEST_F(CreateMode, FileSizeLimitFailsTheRunAndLeavesNoPartialFile) {
    const ProgramRun result = runC1(dir, "ulimit -f 4 && ");
    const std::string name = todaySize1Name(1);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, HEADER + MARKS + "\nfailed to write: " + name + "\n\n");
    EXPECT_EQ(outputFiles(dir), std::vector<std::string>());
}

TEST_F(CreateMode, ReadOnlyFolderFailsToOpenBeforeMakingProblems) {
    const fs::path locked = dir / "locked";
    fs::create_directories(locked);
    fs::permissions(locked, fs::perms(0555));
    // Root (and a process with CAP_DAC_OVERRIDE) writes there all the same.
    const std::string probe = (locked / "probe").string();
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd >= 0) {
        ::close(fd);
        fs::remove(probe);
        GTEST_SKIP() << "this process can write into a folder of mode 0555 (running as root)";
    }

    const ProgramRun result = runC1(locked);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "failed to open: " + todaySize1Name(1) + "\n\n");
    EXPECT_EQ(outputFiles(locked), std::vector<std::string>());
}

// Mode c opens its three files before making anything. With room for one more open file only,
// the first opens and the other two fail: the run makes nothing, fails, and removes the empty
// file it created instead of leaving it behind looking like a batch.
TEST_F(CreateMode, FailedOpenInModeCLeavesNoEmptyFile) {
    // Descriptors 3 to 9 that the test's own runner may have left open are closed first, so that
    // exactly one is free below the limit. No redirection on the program's line: dash would first
    // save a descriptor above 9.
    const ProgramRun result =
        runC1(dir, "exec 3>&- 4>&- 5>&- 6>&- 7>&- 8>&- 9>&- && ulimit -n 4 && ", "c");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "failed to open: " + todayName(1, "normal", 0) +
                              "\nfailed to open: " + todayName(1, "hard", 0) + "\n\n");
    EXPECT_EQ(outputFiles(dir), std::vector<std::string>());
}

}  // namespace

namespace {

// Starts varnel_solver with argument in dir, waits until its output files exist (or a few
// seconds pass), sends signalNumber and returns the wait status.
int interruptedRun(const fs::path& dir, const char* argument, int signalNumber,
                   size_t expectedFiles) {
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(dir.c_str()) != 0) _exit(127);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        execl(SOLVER.c_str(), SOLVER.c_str(), argument, static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int waited = 0; waited < 100 && outputFiles(dir).size() < expectedFiles; ++waited)
        usleep(50 * 1000);
    usleep(1000 * 1000);  // well inside the batch, which takes several seconds
    kill(child, signalNumber);
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

}  // namespace

// An interrupt while the problems are made (before anything is written) removes the empty dated
// files of this run, touches nothing else, and ends the program by the signal itself.
TEST_F(CreateMode, InterruptedBatchLeavesNoEmptyFile) {
    std::ofstream(dir / "notes.dat", std::ios::binary) << "unrelated\n";
    const struct {
        const char* argument;
        int signalNumber;
        size_t files;
    } runs[] = {{"c", SIGINT, 3}, {"c5", SIGTERM, 1}, {"c", SIGHUP, 3}};
    for (const auto& run : runs) {
        const int status = interruptedRun(dir, run.argument, run.signalNumber, run.files + 1);
        ASSERT_TRUE(WIFSIGNALED(status)) << run.argument << " exited with " << status;
        EXPECT_EQ(WTERMSIG(status), run.signalNumber) << run.argument;
        EXPECT_EQ(outputFiles(dir), std::vector<std::string>{"notes.dat"}) << run.argument;
    }
    EXPECT_EQ(readTextFile(dir / "notes.dat"), "unrelated\n");
}
