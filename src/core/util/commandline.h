#pragma once

#include <string>
#include <utility>
#include <vector>

namespace sestara {

// What a command line asks before anything else: the usage, the version, or to run; or it holds
// an option the program does not know.
enum class CommandLineRequest { Run, Help, Version, UnknownOption };

struct CommandLineCheck {
    CommandLineRequest request = CommandLineRequest::Run;
    std::string option; // the unknown option, as written
};

// The options of a program and how its command line is read. "--help"/"-h" and "--version"/"-V"
// are always known; "--" ends the options, and "-" alone is no option.
struct CommandLineOptions {
    std::vector<std::string> known;     // options without a value
    std::vector<std::string> withValue; // options followed by a value, which is never an option
    // Options of one dash are left to someone else (the toolkit's own), only "--" ones checked.
    bool longOnly = false;
};

// The first request of the arguments (without the program's name), from left to right: the
// first of --help, --version or an unknown option decides.
CommandLineCheck checkCommandLine(const std::vector<std::string>& args, const CommandLineOptions& options);

// A command's arguments: its operands, and its options in the order given, each with its value
// ("" for one without). Every argument after the first "--" is an operand, whatever it looks like.
struct CommandArguments {
    std::vector<std::string> operands;
    std::vector<std::pair<std::string, std::string>> options;
    bool missingValue = false; // an option that takes a value came last
};
CommandArguments splitCommandArguments(const std::vector<std::string>& args, const std::vector<std::string>& flags,
                                       const std::vector<std::string>& withValue);

// The line that reports an unknown option: <program>: opzione sconosciuta "<option>". Usa --help
std::string unknownOptionText(const std::string& program, const std::string& option);

} // namespace sestara
