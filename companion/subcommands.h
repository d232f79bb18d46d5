#pragma once

#include <functional>

namespace CLI {
class App;
}

namespace varnel {

// What runs once the command line has been parsed: returns the exit status.
using CommandAction = std::function<int()>;

// Each subcommand lives in a file of its own and is added to the varnel command by one
// registration function: it declares the subcommand, its options and its --help on app, and,
// when the subcommand is chosen, parsing stores in action the function that carries it out.
void addCheckCommand(CLI::App& app, CommandAction& action);
void addConvertCommand(CLI::App& app, CommandAction& action);
void addExplainCommand(CLI::App& app, CommandAction& action);
void addMakeCommand(CLI::App& app, CommandAction& action);
void addVerifyCommand(CLI::App& app, CommandAction& action);

}  // namespace varnel
