#include "tests/support/run_process.h"

#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/temp_dir.h"

extern char **environ;

namespace testing_support {

ProcessResult RunProcess(const std::vector<std::string> &arguments)
{
    char outName[] = "/tmp/kombrel-out-XXXXXX";
    char errName[] = "/tmp/kombrel-err-XXXXXX";
    const int outFd = mkstemp(outName);
    const int errFd = mkstemp(errName);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outFd, 1);
    posix_spawn_file_actions_adddup2(&actions, errFd, 2);

    std::vector<char *> argv;
    for (const std::string &a : arguments)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);

    ProcessResult result;
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(outFd);
    close(errFd);
    result.out = ReadFileBytes(outName);
    result.err = ReadFileBytes(errName);
    std::remove(outName);
    std::remove(errName);
    return result;
}

} // namespace testing_support
