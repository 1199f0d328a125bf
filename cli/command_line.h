// The command line of `kombrel`: which command, with which operands.
#ifndef KOMBREL_CLI_COMMAND_LINE_H
#define KOMBREL_CLI_COMMAND_LINE_H

#include <stdexcept>
#include <string>
#include <vector>

enum class Command { Help, Version, Pack, List, Extract, Test };

struct PackSource {
    std::string path;
    bool compressed;
};

struct Invocation {
    Command command = Command::Help;
    Command helpFor = Command::Help; // with Command::Help: the command asked about
    std::string container;
    std::vector<PackSource> sources; // pack
    bool longListing = false;        // list --long
    std::vector<std::string> names;  // extract: the entries asked for, all when empty
    std::string directory = ".";     // extract -C
};

// A command line that cannot be carried out; exits 2 with a one-line hint.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

Invocation ParseCommandLine(const std::vector<std::string> &arguments);

// The help text of the program (Command::Help) or of one command.
std::string HelpText(Command command);

#endif
