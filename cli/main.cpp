// kombrel: pack files into a Kombrel container and take them out again, from
// the command line. Uses the same container unit as the wizard.
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "platform/exceptions.h"

#ifndef KOMBREL_VERSION
#define KOMBREL_VERSION "unknown"
#endif

int main(int argc, char **argv)
{
    std::setlocale(LC_ALL, "");
    const std::vector<std::string> arguments(argv, argv + argc);
    Invocation inv;
    try {
        inv = ParseCommandLine(arguments);
    } catch (const UsageError &e) {
        Complain(std::string(e.what()) + " (try 'kombrel --help')");
        return 2;
    }
    try {
        switch (inv.command) {
        case Command::Help:
            std::fputs(HelpText(inv.helpFor).c_str(), stdout);
            return 0;
        case Command::Version:
            std::printf("kombrel %s\n", KOMBREL_VERSION);
            return 0;
        case Command::Pack: return RunPack(inv);
        case Command::List: return RunList(inv);
        case Command::Extract: return RunExtract(inv);
        case Command::Test: return RunTest(inv);
        }
    } catch (const std::exception &e) {
        Complain(e.what());
    }
    return 1;
}
