// The four commands of `kombrel`. Each returns the process's exit status:
// 0 success, 1 a file or container that could not be handled.
#ifndef KOMBREL_CLI_COMMANDS_H
#define KOMBREL_CLI_COMMANDS_H

#include "cli/command_line.h"

int RunPack(const Invocation &invocation);
int RunList(const Invocation &invocation);
int RunExtract(const Invocation &invocation);
int RunTest(const Invocation &invocation);

#endif
