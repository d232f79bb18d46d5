#pragma once

// Whole-program tests of the varnel command: a scratch directory per test, and shell command
// lines run in it with their standard output, standard error and exit status collected.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/text_file.h"

namespace varnel::testing_support {

// What one command line did.
struct ProgramRun {
    int status = -1;     // exit status, or -1 when the program did not exit normally
    std::string out;     // standard output
    std::string errors;  // standard error
};

// The lines of text, without their newlines.
inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A fixture with a fresh scratch directory per test, removed afterwards.
class ScratchDirectoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() /
              ("varnel_" + std::string(info->test_suite_name()) + "_" + std::to_string(getpid()) +
               "_" + info->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Writes a file of the scratch directory and returns its path.
    std::filesystem::path file(const std::string& name, const std::string& text) const {
        const std::filesystem::path path = dir / name;
        writeTextFile(path, text);
        return path;
    }

    // Runs a shell command line in the scratch directory, where $VARNEL is the varnel command.
    ProgramRun shell(const std::string& line) const {
        const std::filesystem::path out = dir / ".stdout";
        const std::filesystem::path errors = dir / ".stderr";
        const std::string command = "cd '" + dir.string() + "' && VARNEL='" + VARNEL_BINARY +
                                    "' && (" + line + ") >'" + out.string() + "' 2>'" +
                                    errors.string() + "'";
        const int raw = std::system(command.c_str());
        ProgramRun result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = readTextFile(out);
        result.errors = readTextFile(errors);
        std::filesystem::remove(out);
        std::filesystem::remove(errors);
        return result;
    }

    std::filesystem::path dir;  // the scratch directory of the running test
};

}  // namespace varnel::testing_support
