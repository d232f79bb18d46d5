#include <CLI/CLI.hpp>

#include <csignal>
#include <iostream>
#include <string>

#include "companion/exit_status.h"
#include "companion/subcommands.h"

namespace {

// Usage errors read like the rest of the command's messages and all end in status 2, whatever
// CLI11's own code for them is.
std::string usageMessage(const CLI::App* app, const CLI::Error& error) {
    std::string command = "varnel";
    for (const CLI::App* sub : app->get_subcommands())
        command += " " + sub->get_name();
    return command + ": " + error.what() + "\nRun '" + command + " --help' for more information.\n";
}

// The command proper; main only keeps anything thrown from escaping it.
int run(int argc, char** argv) {
    // Under a file-size limit a write past it raises SIGXFSZ, which would kill the command with a
    // temporary file left behind. Ignored, the write fails with EFBIG, which is reported, and the
    // temporary file is removed.
    std::signal(SIGXFSZ, SIG_IGN);

    CLI::App app{
        "varnel: loop puzzles in the forms players use, printable pictures of them, complete\n"
        "checks of their answers, new problems, and verdicts on proposed answers.",
        "varnel"};
    app.set_version_flag("--version", "varnel " VARNEL_VERSION);
    app.require_subcommand(1);
    app.failure_message(usageMessage);
    app.footer(
        "Run 'varnel SUBCOMMAND --help' for the options of a subcommand.\n"
        "\n"
        "Examples:\n"
        "  varnel convert --to ascii --answer 3x3t0:1a2a3a3a2\n"
        "  varnel check puzzle.txt\n"
        "  varnel make --size 10x10 --count 3 --seed 7\n"
        "\n"
        "Exit status:\n" +
        std::string(varnel::COMMON_STATUS_HELP) +
        "  3  check: some problem has several answers or none; make: no problem of the\n"
        "     asked levels within the tries; verify: some answer is invalid\n");

    varnel::CommandAction action;
    varnel::addConvertCommand(app, action);
    varnel::addCheckCommand(app, action);
    varnel::addMakeCommand(app, action);
    varnel::addVerifyCommand(app, action);
    varnel::addExplainCommand(app, action);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);
        return code == 0 ? varnel::STATUS_DONE : varnel::STATUS_USAGE;
    }
    return action ? action() : varnel::STATUS_USAGE;
}

}  // namespace

int main(int argc, char** argv) {
    // The libraries report through results, never by throwing; what can still arrive here is a
    // failed allocation or a library's own error at the command's edge. It ends the command with
    // a message and status 1, never with an abort.
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "varnel: " << error.what() << "\n";
    } catch (...) {
        std::cerr << "varnel: unexpected error\n";
    }
    return varnel::STATUS_FAILED;
}
