// Test support: runs a program as a separate process and collects its exit
// status and output.
#ifndef KOMBREL_TESTS_SUPPORT_RUN_PROCESS_H
#define KOMBREL_TESTS_SUPPORT_RUN_PROCESS_H

#include <string>
#include <vector>

namespace testing_support {

struct ProcessResult {
    int exitCode = -1; // -1 when the process did not exit normally (a signal)
    std::string out;
    std::string err;
};

// Runs `arguments[0]` with the arguments, in the current directory, with no
// standard input.
ProcessResult RunProcess(const std::vector<std::string> &arguments);

} // namespace testing_support

#endif
